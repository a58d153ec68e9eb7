// The background strips copied into the window with framebuffer blits on the GL path, instead
// of drawn as textured quads: a software rasteriser turns a same-size blit between buffers of
// one pixel layout into row copies, some twenty times cheaper than sampling the copy pixel by
// pixel (on a GPU either is nearly free).
#pragma once

#include <SDL.h>

// Makes sure the blit source exists for copy, the background scaled to a w x h window: its
// pixels read back once and uploaded as plain 8-bit BGRA, the layout a software rasteriser
// gives the window (its target textures have another, and a blit that converts is a shader
// again). False when blits cannot be had here (no framebuffer objects, the copy not a plain
// w x h texture); the reason is logged once per copy.
bool back_blit_ready(SDL_Texture *copy, int w, int h);

// Copies n rectangles (window pixels, top-left origin) of the source into the same places of
// the window's framebuffer, which must be h pixels high and as wide as the copy.
void back_blit(const SDL_Rect *rects, int n, int h);

// Forgets the source; the copy it was made from is about to go.
void back_blit_release(void);
