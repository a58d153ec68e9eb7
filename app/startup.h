// The start-up sequence, from the executable's directory to the entry of the main loop.
#pragma once

struct AudioStream;

// Runs every start-up step with its log line and opens the audio stream. A step that fails
// ends the process with exit code 1 (the exit routines release what exists). Returns the
// first frame deadline (SDL_GetTicks64 milliseconds).
double startup(AudioStream &stream);
