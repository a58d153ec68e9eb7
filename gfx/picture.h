// Picture loading: PNG files through libpng, the background through the platform decoder,
// the save-slot previews as BMP. Every file is read as a regular file within its limit; a
// picture that cannot be read yields null.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "base/platform.h"

// Pictures beyond these are refused as damaged or hostile: no side above 16384 pixels and
// no more than 256 MiB of decoded R, G, B, A pixels.
#define PICTURE_MAX_SIDE 16384
#define PICTURE_MAX_BYTES (256u * 1024u * 1024u)
// Previews are pictures of the component's screen: no side above this.
#define PICTURE_PREVIEW_MAX_SIDE 4096

struct SDL_Surface;
struct SDL_Texture;
struct SDL_Renderer;

// Format and size a picture file's header declares.
struct PictureHeader {
    PictureFormat format;
    uint32_t w, h;  // pixels
};

// Tells the format from the signature of a picture's first bytes and reads its size from
// the header: false for any other format and for a header that cannot be read.
bool picture_header(const uint8_t *data, size_t size, PictureHeader *header);

// 32-bit surface of the PNG's size whose bytes are R, G, B, A; caller frees it.
SDL_Surface *load_png_surface(const char *path);

// Static SDL_PIXELFORMAT_ABGR8888 texture of the PNG.
SDL_Texture *load_png_texture(const char *path, SDL_Renderer *renderer);

// Texture without alpha of a BMP, GIF, JPEG or PNG file whose header declares a size within
// the limits above (res/back); anything else is refused before decoding.
SDL_Texture *load_picture_texture(const char *path, SDL_Renderer *renderer);

// Texture of a BMP file of at most PICTURE_PREVIEW_MAX_SIDE a side (a save slot's preview),
// filtered linearly.
SDL_Texture *load_preview_texture(const char *path, SDL_Renderer *renderer);
