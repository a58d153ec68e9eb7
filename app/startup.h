// The start-up sequence, from the executable's directory to the entry of the main loop.
#pragma once

struct AudioStream;

// Runs every start-up step with its log line and opens the audio stream, then sets the first
// frame deadline (pacing_now milliseconds). A step that fails logs why, shows it in a
// message box and returns false; the caller shuts down what exists and ends with exit code 1.
bool startup(AudioStream &stream, double *frame_deadline);
