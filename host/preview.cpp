#include "host/preview.h"

#include <stdio.h>
#include <string.h>

#include <SDL.h>

#include "base/log.h"

bool preview_write(const FramePicture &picture, FILE *out)
{
    const uint8_t *raster = picture.pixels;
    const int raster_w = picture.raster_w;
    const int raster_h = picture.raster_h;
    const int out_w = picture.screen_w;
    const int out_h = picture.screen_h;
    if (!raster || raster_w <= 0 || raster_h <= 0 || out_w <= 0 || out_h <= 0) {
        log_write("no preview picture: empty frame\n");
        return false;
    }
    size_t pixel_count = (size_t)raster_w * (size_t)raster_h;
    uint8_t *rgb = (uint8_t *)SDL_malloc(pixel_count * 3);
    if (!rgb) {
        log_write("no preview picture: out of memory\n");
        return false;
    }
    for (size_t i = 0; i < pixel_count; i++)
        memcpy(rgb + i * 3, raster + i * 4, 3);   // R, G, B; alpha dropped

    bool written = false;
    SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(rgb, raster_w, raster_h, 24,
                                                             raster_w * 3, SDL_PIXELFORMAT_RGB24);
    SDL_Surface *scaled = SDL_CreateRGBSurfaceWithFormat(0, out_w, out_h, 24, SDL_PIXELFORMAT_RGB24);
    SDL_RWops *stream = SDL_RWFromFP(out, SDL_FALSE);
    // Same format on both sides: SDL stretches by picking the nearest source pixel.
    if (source && scaled && stream && SDL_UpperBlitScaled(source, nullptr, scaled, nullptr) == 0)
        written = SDL_SaveBMP_RW(scaled, stream, 0) == 0;
    if (!written)
        log_write("no preview picture: %s\n", SDL_GetError());
    if (stream)
        SDL_RWclose(stream);   // leaves out open
    SDL_FreeSurface(scaled);
    SDL_FreeSurface(source);
    SDL_free(rgb);
    return written;
}
