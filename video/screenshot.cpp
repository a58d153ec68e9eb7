#include "video/screenshot.h"

#include <stdio.h>
#include <string.h>

#include <SDL.h>

#include "app/log.h"
#include "app/paths.h"
#include "video/gamestate.h"

#if defined(_WIN32)
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>
#endif

#define SCREENSHOT_TEMP_SUFFIX ".tmp"

// Moves the finished temporary file over the old picture in one step.
static bool replace_file(const char *from, const char *to)
{
#if defined(_WIN32)
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return rename(from, to) == 0;
#endif
}

// created tells whether path was opened (and so may need removing after a failure).
static bool save_bmp(SDL_Surface *surface, const char *path, bool *created)
{
    SDL_RWops *out = SDL_RWFromFile(path, "wb");
    if (!out)
        return false;
    *created = true;
    bool written = SDL_SaveBMP_RW(surface, out, 0) == 0;
    // Closing flushes the last bytes; a full disk shows up only here.
    if (SDL_RWclose(out) != 0)
        written = false;
    return written;
}

bool screenshot_write(const uint8_t *raster, int raster_w, int raster_h, int out_w, int out_h,
                      const char *path)
{
    if (!raster || raster_w <= 0 || raster_h <= 0 || out_w <= 0 || out_h <= 0)
        return false;
    char temp[PATH_BUFFER_SIZE + sizeof SCREENSHOT_TEMP_SUFFIX];
    int n = snprintf(temp, sizeof temp, "%s" SCREENSHOT_TEMP_SUFFIX, path);
    if (n < 0 || (size_t)n >= sizeof temp)
        return false;

    size_t pixel_count = (size_t)raster_w * (size_t)raster_h;
    uint8_t *rgb = (uint8_t *)SDL_malloc(pixel_count * 3);
    if (!rgb)
        return false;
    for (size_t i = 0; i < pixel_count; i++)
        memcpy(rgb + i * 3, raster + i * 4, 3);   // R, G, B; alpha dropped

    bool written = false, created = false;
    SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(rgb, raster_w, raster_h, 24,
                                                             raster_w * 3, SDL_PIXELFORMAT_RGB24);
    SDL_Surface *picture = SDL_CreateRGBSurfaceWithFormat(0, out_w, out_h, 24,
                                                          SDL_PIXELFORMAT_RGB24);
    // Same format on both sides: SDL stretches by picking the nearest source pixel.
    if (source && picture && SDL_UpperBlitScaled(source, nullptr, picture, nullptr) == 0)
        written = save_bmp(picture, temp, &created);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(source);
    SDL_free(rgb);

    if (written && !replace_file(temp, path))
        written = false;
    if (!written && created)
        remove(temp);
    return written;
}

bool GameState::save_screenshot(const char *path)
{
    // The frame buffer holds the picture the loop last rendered, laid out by raster_w x
    // raster_h; the loop keeps these in step with the component's raster size.
    log_write("saving screenshot %i %i\n", raster_w, raster_h);
    if (raster_w <= 0 || raster_h <= 0
        || (uint64_t)raster_w * (uint64_t)raster_h * 4 > pixels_size)
        return false;
    return screenshot_write(pixels, raster_w, raster_h, screen_w, screen_h, path);
}
