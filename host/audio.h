// The audio stream: the component's sound of each frame, silenced while paused, resampled
// by at most 1 % to hold the queue at its target, with one overlay sound mixed in, pushed
// into SDL's audio queue. The queue level also paces the main loop.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "host/audio_rate.h"
#include "host/resample.h"
#include "record/gamestate.h"

#define AUDIO_CHANNELS 2
#define AUDIO_SAMPLE_LIMIT 32767 // mixed samples stay within -limit..limit
#define AUDIO_DROP_FACTOR 2      // past this many capacities queued, pushes are dropped

// Owned by main: opened at start-up, pushed once per loop pass, closed when main returns.
struct AudioStream {
    int16_t *samples;              // channels x capacity interleaved samples; null until opened
    int capacity;                  // sample frames in samples: latency video frames of sound
    SDL_AudioDeviceID device;      // 0 when no device could be opened
    SDL_AudioSpec spec;            // the obtained format
    const int16_t *effect_samples; // overlay sound being mixed (mono), or null
    int effect_length;             // samples in effect_samples
    int effect_position;           // next effect sample to mix
    int16_t *source;               // channels x capacity: the component's sound before resampling
    int room;                      // sample frames samples holds: capacity stretched by 1 % and more
    int frames;                    // sample frames in samples after the last push
    int source_frames;             // sample frames the component gave at the last push
    int target;                    // queue level held, sample frames: halfway from the hurry mark to capacity
    double ratio;                  // output frames per source frame of the next push; 1 at open
    AudioRate rate;                // the control that sets ratio (audio_stream_follow)
    Resampler resampler;           // carries the wave from one push to the next
};

// Opens the default playback device (44100 Hz, signed 16-bit, stereo), allocates the
// buffers and queues target frames of silence, so that the sound starts with the queue at
// its level. A device that fails to open leaves device 0: pushes then do nothing audible.
void audio_stream_open(AudioStream &stream);
// Sets the ratio of the next push from the queue level, so that the stream follows the
// loop's pace. Without a device the ratio stays 1.
void audio_stream_follow(AudioStream &stream);
// Renders the component's sound of the frame just emulated, silences it when mute is set,
// resamples it at ratio, mixes the overlay sound in and queues the result. Unpauses the
// device. A queue holding less than one device buffer (and a quarter of the target) is
// first topped up with silence to the target. Nothing is queued while more than
// AUDIO_DROP_FACTOR capacities wait (a stalled device must not take memory without end).
void audio_stream_push(AudioStream &stream, bool mute);
// Starts mixing sound from its beginning, cutting off one that is still playing.
// A sound that was not loaded starts nothing.
void audio_stream_start_effect(AudioStream &stream, const UiSound &sound);
// Sample frames waiting in the device's queue; 0 without a device.
unsigned audio_stream_queued_frames(const AudioStream &stream);
// The queue level, in sample frames, below which the loop hurries to refill the queue: two
// thirds of capacity. The stream's target level sits above it.
unsigned audio_hurry_mark(int capacity);
// Closes the device and frees the buffers; the record is then as before opening.
void audio_stream_close(AudioStream &stream);
