// The main loop: one pass per emulated video frame until running_quit().
#pragma once

struct AudioStream;

// Runs passes from the given deadline (pacing_now milliseconds) until quit, or until the
// system asks the player to end (app/session_end.h).
void main_loop(AudioStream &stream, double frame_deadline);

// One pass: events, input, emulation, overlay, picture, audio, wait. Returns the next
// deadline.
double loop_pass(AudioStream &stream, double frame_deadline);

// Runs the component unless paused, counting the splash down; once it is over, continues
// the last game first, and steps back instead while rewind is held.
void emulate_step(void);
