// The event dispatch of each loop pass: quit, hotkeys, the pointer, the menu gestures and
// joystick hot-plugging. Held keys and buttons are polled elsewhere, not taken from events.
#pragma once

#include <SDL.h>

// Handles one event taken from SDL's queue.
void handle_event(const SDL_Event &event);

// Maps a position in an output of out_w x out_h pixels into overlay space, whose 16:9 area
// is as high as the output and centred across it. Positions left or right of that area map
// outside 0..1919. False, with *px and *py untouched, for an output without height.
bool map_pointer(int x, int y, int out_w, int out_h, int *px, int *py);
