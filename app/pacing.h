// Frame pacing: a floating deadline on the SDL_GetTicks clock, advanced one frame period per
// pass and pulled earlier while the audio queue runs low, so the sound card keeps the speed.
#pragma once

#include <stdint.h>

#define PACING_HURRY_MS 64.0f

// Milliseconds per frame; a frame rate of 0 or below (outside the component's contract)
// is treated as 60 so that nothing divides by zero.
float frame_period(int frame_rate);

// What to do after the deadline: how long to sleep and the deadline that follows.
struct PacingWait {
    uint32_t sleep_ms;   // whole milliseconds to SDL_Delay
    float deadline;      // the deadline after the wait
};

// Late passes are not made up: a deadline in the past moves to now. Otherwise the whole
// milliseconds are slept; with carry_fraction the fraction not slept is added to the
// deadline. That carry stretches every period by up to a millisecond, which only the audio
// feedback makes good, so without an audio device it is left out and the deadline keeps the
// component's exact frame rate.
PacingWait pacing_wait(float deadline, float now, bool carry_fraction);

// The audio feedback: while a device is open and fewer than two thirds of capacity sample
// frames are queued, the next deadline moves 64 ms earlier. Without a device the queue
// always reads empty, so the deadline alone paces the loop.
float pacing_feedback(float deadline, unsigned queued_frames, int capacity, bool device_open);
