// Picture loading: PNG files through libpng, other formats through the platform decoder.
// None reports an error in words: a picture that cannot be read yields null.
#pragma once

// Pictures beyond these are refused as damaged or hostile: no side above 16384 pixels and
// no more than 256 MiB of decoded R, G, B, A pixels.
#define PICTURE_MAX_SIDE 16384
#define PICTURE_MAX_BYTES (256u * 1024u * 1024u)

struct SDL_Surface;
struct SDL_Texture;
struct SDL_Renderer;

// 32-bit surface of the PNG's size whose bytes are R, G, B, A; caller frees it.
SDL_Surface *load_png_surface(const char *path);

// Static SDL_PIXELFORMAT_ABGR8888 texture of the PNG.
SDL_Texture *load_png_texture(const char *path, SDL_Renderer *renderer);

// Texture without alpha of any picture format the platform decoder reads (res/back).
SDL_Texture *load_picture_texture(const char *path, SDL_Renderer *renderer);
