#include "video/screenshot.h"

#include <stdio.h>
#include <string.h>

#include <SDL.h>

#include "base/log.h"
#include "base/paths.h"
#include "gfx/picture.h"
#include "video/video_state.h"

bool screenshot_write(const uint8_t *raster, int raster_w, int raster_h, int out_w, int out_h,
                      FILE *out)
{
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
    SDL_Surface *picture = SDL_CreateRGBSurfaceWithFormat(0, out_w, out_h, 24,
                                                          SDL_PIXELFORMAT_RGB24);
    SDL_RWops *stream = SDL_RWFromFP(out, SDL_FALSE);
    // Same format on both sides: SDL stretches by picking the nearest source pixel.
    if (source && picture && stream && SDL_UpperBlitScaled(source, nullptr, picture, nullptr) == 0)
        written = SDL_SaveBMP_RW(picture, stream, 0) == 0;
    if (!written)
        log_write("no preview picture: %s\n", SDL_GetError());
    if (stream)
        SDL_RWclose(stream);   // leaves out open
    SDL_FreeSurface(picture);
    SDL_FreeSurface(source);
    SDL_free(rgb);
    return written;
}

void preview_size(int screen_w, int screen_h, int *out_w, int *out_h)
{
    int64_t w = screen_w, h = screen_h;
    int64_t longer = w > h ? w : h;
    if (longer > PICTURE_PREVIEW_MAX_SIDE) {
        w = SDL_max(w * PICTURE_PREVIEW_MAX_SIDE / longer, (int64_t)1);
        h = SDL_max(h * PICTURE_PREVIEW_MAX_SIDE / longer, (int64_t)1);
    }
    *out_w = (int)w;
    *out_h = (int)h;
}

bool screenshot_write_frame(FILE *out)
{
    const VideoState &g = video_state();
    // The frame buffer holds the picture the loop last rendered, laid out by raster_w x
    // raster_h; the loop keeps these in step with the component's raster size.
    log_write("saving screenshot %i %i\n", g.raster_w, g.raster_h);
    if (g.raster_w <= 0 || g.raster_h <= 0
        || (uint64_t)g.raster_w * (uint64_t)g.raster_h * 4 > g.pixels_size) {
        log_write("no preview picture: the frame buffer does not hold the raster\n");
        return false;
    }
    int w = 0, h = 0;
    preview_size(g.screen_w, g.screen_h, &w, &h);
    return screenshot_write(g.pixels, g.raster_w, g.raster_h, w, h, out);
}
