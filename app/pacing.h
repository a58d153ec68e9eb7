// Frame pacing: a deadline in milliseconds on the high-resolution clock, advanced one frame
// period per pass. The loop keeps the game's rate by this clock, or follows the presents when
// vertical sync holds them to a display within 1 % of that rate; the sound follows the loop.
// Double precision keeps the period exact for centuries of uptime.
#pragma once

#include <stdint.h>

// A deadline less than this share of a period ahead counts as reached.
#define PACING_FOLLOW_SHARE 0.01

// Milliseconds per frame; a frame rate of 0 or below (outside the component's contract)
// is treated as FALLBACK_FRAME_RATE so that nothing divides by zero.
double frame_period(int frame_rate);

// Milliseconds since an arbitrary start, with a fraction.
double pacing_now(void);

// What to do after the deadline: how long to sleep and the deadline that follows.
struct PacingWait {
    uint32_t sleep_ms;   // whole milliseconds to SDL_Delay
    double deadline;     // the deadline after the wait
};

// Late passes are not made up: a deadline in the past moves to now. So does one that is
// reached but for PACING_FOLLOW_SHARE of period: a present that vertical sync held to a
// display within that share of the game's rate has then set the pace, and the clock follows
// it instead of waking just after the display's tick and missing the next one. Otherwise the
// whole milliseconds are slept and the deadline stays, so the loop keeps the component's
// exact frame rate; waking up to a millisecond early is absorbed by the next pass.
PacingWait pacing_wait(double deadline, double now, double period);
