// Drawing the on-screen notice of this moment (base/notice.h) with the overlay's font: one
// line centred across the window near its top, on a dark box clear of the picture's border.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "base/notice.h"

#define NOTICE_PAD 12          // overlay units of the dark box around the line
#define NOTICE_BAND_MARGIN 10  // overlay units kept above and below the box in the band above the picture
#define NOTICE_MARGIN 24       // overlay units between the picture's top edge and a box over it
#define NOTICE_MENU_TOP 150    // overlay y where the menu's panel begins: a box over the menu ends above it
#define NOTICE_BOX_ALPHA 160   // the box's alpha at full strength

// The overlay y of the top of the box around a line text_h high, in a window window_h high
// whose picture begins picture_y pixels down: in the band above the picture where the box fits
// with NOTICE_BAND_MARGIN above and below, else over the picture, NOTICE_MARGIN below its top
// edge. While the menu shows, a box that would reach the menu's panel goes to the top band.
int32_t notice_box_top(int32_t text_h, int32_t window_h, int32_t picture_y, bool menu_open);

// The dark box, in window pixels, around a line of text_w x text_h overlay units centred
// across the overlay, the box's top at overlay y top; *x gets the line's pen start, in
// overlay units.
SDL_Rect notice_box(int32_t text_w, int32_t text_h, int32_t window_w, int32_t window_h, int32_t top,
                    int32_t *x);

// Draws the notice of this moment through the SDL renderer, or with GL quads in the
// renderer's context (blending off and the colour white afterwards), placed by
// notice_box_top for the picture's rectangle.
void notice_draw(SDL_Renderer *renderer, int32_t window_w, int32_t window_h, SDL_Rect picture);
void notice_draw_gl(SDL_Renderer *renderer, int32_t window_w, int32_t window_h, SDL_Rect picture);
