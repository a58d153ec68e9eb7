// Frame pacing: a deadline in milliseconds on the SDL_GetTicks64 clock, advanced one frame
// period per pass and pulled earlier while the audio queue runs low, so that a display
// faster than the game lets the loop catch up with the sound card. Double precision keeps
// the period exact for centuries of uptime (a float holds only even milliseconds past 2^24).
#pragma once

#include <stdint.h>

#define PACING_HURRY_MS 64.0
#define PACING_QUEUE_WAIT_MAX_MS 100  // longest wait for the queue, so a stalled device cannot stop the loop

// Milliseconds per frame; a frame rate of 0 or below (outside the component's contract)
// is treated as FALLBACK_FRAME_RATE so that nothing divides by zero.
double frame_period(int frame_rate);

// What to do after the deadline: how long to sleep and the deadline that follows.
struct PacingWait {
    uint32_t sleep_ms;   // whole milliseconds to SDL_Delay
    double deadline;     // the deadline after the wait
};

// Late passes are not made up: a deadline in the past moves to now. Otherwise the whole
// milliseconds are slept and the deadline stays, so the loop keeps the component's exact
// frame rate; waking up to a millisecond early is absorbed by the next pass.
PacingWait pacing_wait(double deadline, double now);

// The audio feedback: while a device is open and fewer than two thirds of capacity sample
// frames are queued, the next deadline moves 64 ms earlier. Without a device the queue
// always reads empty, so the deadline alone paces the loop.
double pacing_feedback(double deadline, unsigned queued_frames, int capacity, bool device_open);

// The bound on the audio queue: milliseconds the device at rate sample frames per second
// needs to play what is queued beyond capacity, which the loop waits before it pushes more.
// 0 at or below capacity, or for a rate of 0 or below; at most PACING_QUEUE_WAIT_MAX_MS.
uint32_t pacing_queue_wait(unsigned queued_frames, int capacity, int rate);
