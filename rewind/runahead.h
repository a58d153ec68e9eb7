// Run-ahead ("Less lag"): each pass runs the real frame with the input and keeps its sound,
// saves the state into a file of the memory-backed folder rewind uses (the component takes
// a path), runs the set number of frames more without their sound, shows the last one's
// picture and loads the state back. The game's own lag frames are so hidden from the
// player, while everything that keeps the game (rewind, slots, the resume file, previews)
// sees only the real frames. When the extra frames with their save and load cost more than
// half a frame on average, run-ahead switches itself off with a notice. Fast-forward (Tab
// held) runs several frames a pass without sound instead.
#pragma once

#include <stdint.h>

#define RUNAHEAD_MAX_FRAMES 2          // the setting's range is 0..this
#define RUNAHEAD_SLOW_AFTER 8          // passes timed before judging their cost
#define FAST_FORWARD_FRAMES 4          // frames a pass while fast-forward is held

// The frames one forward pass runs: real ones (their sound and state kept) and ahead ones
// (run from a saved state, only the last one's picture shown, then undone).
struct ForwardPlan {
    int32_t real;
    int32_t ahead;
};

// The plan for a pass: FAST_FORWARD_FRAMES real frames while fast-forward is held (nothing
// ahead: the picture runs fast anyway); else one real frame and the setting's ahead frames,
// held to 0..RUNAHEAD_MAX_FRAMES, none once run-ahead switched itself off.
ForwardPlan forward_plan(int32_t setting, bool fast, bool switched_off);
// Whether running ahead costs too much to keep: more than half a frame period.
bool runahead_too_slow(uint64_t ahead_us, uint64_t frame_us);

// After start-up: the state file's name in the memory folder and the frame period the cost
// is measured against.
void runahead_init(int32_t fps);
// Whether run-ahead switched itself off (or has no folder for its state).
bool runahead_off(void);
// Chosen again in the menu: one that switched itself off tries again (while it has a folder).
void runahead_rearm(void);
// Saves the component's state to the scratch file; false (run-ahead switched off, with a
// notice) when the component refuses.
bool runahead_save(void);
// Loads the state saved last back; false when the component refuses (logged).
bool runahead_load(void);
// The time one pass's extra frames with their save and load took, in microseconds; switches
// run-ahead off with a notice once the running average exceeds half a frame.
void runahead_account(uint64_t us);
// Removes the scratch file and, once empty, the folder.
void runahead_end(void);
