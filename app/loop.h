// The main loop: passes until running_quit(), each emulating the frames the clock owes.
#pragma once

#include <stdint.h>

#include "app/events.h"

struct AudioStream;

// Runs passes from the given deadline (pacing_now milliseconds) until quit, or until the
// system asks the player to end (app/session_end.h).
void main_loop(AudioStream &stream, double frame_deadline);

// One pass: events and the devices' reading (input_devices()), loop_step, the picture, the
// wait. Returns the next deadline.
double loop_pass(AudioStream &stream, double frame_deadline);

// What a pass hands to its body besides the devices' reading, which the caller takes into
// input_devices() (the loop from the devices, a test by hand).
struct LoopInput {
    Pointer pointer;        // for the overlay
    uint64_t now_ms;        // the clock of the menu's pad repeats
    int frames;             // frames owed: emulated in a row, each with its sound
    AudioStream *stream;    // where each frame's sound and the menu's sounds go; null: none
};

// The body of a pass, in the one order the player and the tests both run: the menu's pad
// gestures, the input step (a capture that ended shows its labels in this very pass), the
// frames owed, the overlay and the menu's reaction, the "Paused" notice.
void loop_step(const LoopInput &in);

// One frame: runs the component unless paused, counting the splash down; once it is over,
// continues the last game first, and steps back instead while rewind is held.
void emulate_step(void);
