// The decoding halves of the picture loaders, without the renderer: safe on a worker thread.
#pragma once

struct SDL_Surface;

// The surface load_png_surface returns, decoded afresh.
SDL_Surface *png_surface_decode(const char *path);

// A background picture (BMP, GIF, JPEG or PNG within the size limits) as a 32-bit surface
// without alpha, or null with the reason logged.
SDL_Surface *picture_surface_decode(const char *path);
