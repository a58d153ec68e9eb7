// A fractional-rate resampler for interleaved signed 16-bit sound: linear interpolation with
// the position carried from one call to the next, so that the ratio may change on every call
// without a break in the wave (no click) and with no delay at a ratio of exactly 1.
#pragma once

#include <stdint.h>

#define RESAMPLE_MAX_CHANNELS 8

// Zero-initialised before the first call: position 0, the frame before the sound silent.
struct Resampler {
    // Next output frame, in input frames from the next input's first frame (-1..0.02).
    double position;
    int16_t last[RESAMPLE_MAX_CHANNELS];  // the previous input's last frame (position -1)
};

// Output frames needed for frames input frames at any ratio up to max_ratio.
int resample_room(int frames, double max_ratio);

// Writes frames input frames at ratio output frames per input frame (above 1 stretches)
// into out, at most out_frames frames; returns the frames written. A ratio of 0 or below,
// or channels outside 1..RESAMPLE_MAX_CHANNELS, write nothing.
int resample(Resampler &r, const int16_t *in, int frames, int channels, double ratio, int16_t *out,
             int out_frames);
