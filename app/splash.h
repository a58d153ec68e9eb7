// Skipping the splash: any key, click or pad button ends it, once it has been up for
// SPLASH_SKIP_AFTER frames, so a key still held from the launcher does not skip it.
#pragma once

#include <stdint.h>

#include <SDL.h>

#define SPLASH_SKIP_AFTER 30   // frames (half a second at 60 per second)

// Whether a press ends the splash that has splash_frames left: one is up (frames left), it
// has been shown SPLASH_SKIP_AFTER frames, and the press is not a key's auto-repeat.
bool splash_skips(int32_t splash_frames, bool repeat);

// Ends the splash on a press that skips it.
void splash_event(const SDL_Event &event);
