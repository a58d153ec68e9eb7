// Frame pacing: a deadline in milliseconds on the high-resolution clock, advanced one frame
// period per frame emulated. On a display within 1 % of the game's rate the loop follows the
// presents that vertical sync holds to it, each frame shown once, and the sound's rate control
// absorbs the difference. On any other display, or where drawing is slower than the game, the
// loop keeps the game's exact rate by the clock: a late pass emulates the frames it owes and
// presents only the last, so the picture gives way and the game and its sound keep time.
// Double precision keeps the period exact for centuries of uptime.
#pragma once

#include <stdint.h>

#include <SDL.h>

// A display within this share of the game's rate is followed.
#define PACING_FOLLOW_SHARE 0.01
#define PACING_ADOPT_SHARE 0.02  // a followed display moves the deadline by at most this share a pass
#define PACING_MAX_FRAMES 4      // frames one pass emulates at most
#define PACING_DROP_MS 250.0     // lateness beyond this (a stall) is dropped, never raced through
#define PACING_EARLY_MS 1.0      // a sleep of whole milliseconds wakes up to this early
#define PACING_SAMPLES 64        // present intervals a measured display rate is the median of

// Milliseconds per frame; a frame rate of 0 or below (outside the component's contract)
// is treated as FALLBACK_FRAME_RATE so that nothing divides by zero.
double frame_period(int frame_rate);

// Milliseconds since an arbitrary start, with a fraction.
double pacing_now(void);

// True when a display of display_hz is followed for a game of game_hz: within
// PACING_FOLLOW_SHARE of it. A display of unknown rate (0) is followed until it is known.
bool pacing_follows(double display_hz, double game_hz);

// What one pass does, decided at its start.
struct PacingStep {
    int frames;      // frames to emulate, 0..PACING_MAX_FRAMES, their sound kept
    bool present;    // present the last of them
    double deadline; // when the next pass is due
};

// The pass due at deadline starts at now: it emulates the frames it owes (one, and one more
// for each whole period it is late), at most PACING_MAX_FRAMES, presenting only when it owes no more, so that
// drawing gives way while the game catches up. A pass later than PACING_DROP_MS (a stall)
// emulates one frame and drops the rest of the time: the game must not race.
PacingStep pacing_step(double deadline, double now, double period);

// What to do after a pass: how long to sleep and the deadline that follows.
struct PacingWait {
    uint32_t sleep_ms;   // whole milliseconds to SDL_Delay
    double deadline;     // the deadline after the wait
};

// Following the display (follow), a deadline within PACING_ADOPT_SHARE of a period of now
// moves to now: the present that vertical sync held has set the pace, and the clock follows it
// instead of waking just after the display's tick and missing the next one. Further behind, by
// less than half a period (a present the machine delayed), it moves by that share alone, enough
// to follow a display a little slower than the game; the rest stays owed, as all of it does
// from half a period on (a tick missed, drawing slower than the display), so no frame is lost. By the clock, the deadline never moves. A deadline ahead is slept to in whole
// milliseconds; waking up to a millisecond early is absorbed by the next pass.
PacingWait pacing_wait(double deadline, double now, double period, bool follow);

// The display's rate for the decision: SDL's (0: it gives none), otherwise the one measured
// from the presents, 0 when neither is known. Drawing slower than a display that is followed
// needs no rate of its own: its late passes keep the frames they owe (pacing_wait).
double display_rate_used(double sdl_hz, double measured_hz);

// The median of count present intervals in ms (reordered), as a rate; 0 for none.
double measured_rate(double *intervals, int count);

// Frames emulated per present, rounded: 2 when every 2nd frame is drawn. 0 with no present.
int drawing_ordinal(long frames, long presents);

// "2nd", "3rd", "11th", "22nd" into text of size.
void ordinal_text(int n, char *text, size_t size);

// The loop's knowledge of the display: SDL's rate read again and the measurement started
// afresh (the window moved to another display, or changed mode or size).
void pacing_display_changed(void);
// A present ended at now (ms); slept: the loop slept since the last present, so the interval
// says nothing of the display.
void pacing_presented(double now, bool slept);
// Frames emulated this pass, counted for the drawing's log line.
void pacing_frames_run(int frames);
// Whether the loop follows the display, for a game of game_hz; reads SDL's rate from window
// when the display changed, logs which rate is followed and why when that changes.
bool pacing_follow(SDL_Window *window, int game_hz);
