// The background around the picture. The picture is opaque and in a window covers it whole,
// so each frame draws the background only in the strips the picture leaves uncovered, copied
// pixel for pixel from a copy of the background scaled to the window once per window size
// (sampling the large picture afresh every frame is what a software rasteriser pays most for).
#pragma once

#include <SDL.h>

#define BACK_STRIPS_MAX 4

// The parts of a w x h window outside picture (clipped to the window): above, below, left and
// right of it, empty ones left out. An empty picture leaves the whole window as one strip.
// Returns how many strips were written to out.
int back_strips(int w, int h, SDL_Rect picture, SDL_Rect out[BACK_STRIPS_MAX]);

// Makes sure the scaled copy of back exists for a w x h window (back drawn over black, the
// way a frame draws it), made again for every new size, whatever changed it. Renders through
// the SDL renderer, so on the GL path it is called before any direct GL drawing of the frame.
// False when no copy can be made: the caller then draws back whole, as before.
bool back_copy_update(SDL_Renderer *renderer, SDL_Texture *back, int w, int h);

// Whether a frame copies the strips with framebuffer blits rather than quads: not on the
// copy's first frame (making the blit source costs more than the quads once, and the first
// frame is the one a start waits for), and only when the window's framebuffer (its viewport)
// is w x h, since a blit copies pixel for pixel (not so on high-density displays).
bool back_blits_wanted(bool first_frame, int viewport_w, int viewport_h, int w, int h);

// Draws the strips of a w x h window around picture from the copy made by back_copy_update:
// through the renderer, or with GL quads under the window projection the GL path has set.
void back_draw_sdl(SDL_Renderer *renderer, int w, int h, SDL_Rect picture);
void back_draw_gl(int w, int h, SDL_Rect picture);

// Frees the copy; the renderer it was made with is about to go.
void back_copy_release(void);
