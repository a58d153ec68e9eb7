// The game run forward in a loop pass: one real frame, or fast-forward's several while Tab
// is held, or the real frame and run-ahead's frames beyond it ("Less lag"), whose last
// picture is the one shown.
#pragma once

// Runs the pass's frames: the real ones each followed by rewind's record, then those ahead,
// undone again.
void forward_step(void);
// Renders the game's picture for presenting, unless run-ahead rendered it this pass already;
// holds the "Fast forward" notice while fast-forward runs. Once a pass, after the emulation.
void forward_frame_update(void);
// After start-up and at shutdown: run-ahead's state file and the sound it holds back.
void forward_init(int capacity);
void forward_end(void);
