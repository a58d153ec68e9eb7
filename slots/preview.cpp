#include "slots/preview.h"

#include <stdio.h>
#include <string.h>

#include <SDL.h>

#include "base/file_read.h"
#include "base/log.h"

static const char MARK_TAG[4] = {'O', 'X', 'P', 'M'};
#define MARK_BYTES (sizeof MARK_TAG + 8)

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

bool preview_mark_write(FILE *out, uint64_t mark)
{
    unsigned char bytes[MARK_BYTES];
    memcpy(bytes, MARK_TAG, sizeof MARK_TAG);
    for (int i = 0; i < 8; i++)
        bytes[sizeof MARK_TAG + i] = (unsigned char)(mark >> (8 * i));
    return fwrite(bytes, 1, sizeof bytes, out) == sizeof bytes;
}

bool preview_mark_read(const char *path, uint64_t *mark)
{
    FILE *in = read_open(path, READ_LIMIT_PICTURE);
    if (!in)
        return false;
    unsigned char bytes[MARK_BYTES];
    const bool read = fseek(in, -(long)sizeof bytes, SEEK_END) == 0 &&
                      fread(bytes, 1, sizeof bytes, in) == sizeof bytes;
    fclose(in);
    if (!read || memcmp(bytes, MARK_TAG, sizeof MARK_TAG) != 0)
        return false;
    *mark = 0;
    for (int i = 7; i >= 0; i--)
        *mark = *mark << 8 | bytes[sizeof MARK_TAG + i];
    return true;
}
