// Drawing the on-screen notice of this moment (base/notice.h) with the overlay's font: one
// line centred near the top of the overlay, on a dark box.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "base/notice.h"

#define NOTICE_Y 40            // overlay y of the line's top, centred across the overlay
#define NOTICE_PAD 12          // overlay units of the dark box around the line
#define NOTICE_BOX_ALPHA 160   // the box's alpha at full strength

// The dark box, in window pixels, around a line of text_w x text_h overlay units centred
// across the overlay at NOTICE_Y; *x gets the line's pen start, in overlay units.
SDL_Rect notice_box(int32_t text_w, int32_t text_h, int32_t window_w, int32_t window_h, int32_t *x);

// Draws the notice of this moment through the SDL renderer, or with GL quads in the
// renderer's context (blending off and the colour white afterwards).
void notice_draw(SDL_Renderer *renderer, int32_t window_w, int32_t window_h);
void notice_draw_gl(SDL_Renderer *renderer, int32_t window_w, int32_t window_h);
