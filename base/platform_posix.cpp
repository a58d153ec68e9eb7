// Portable stand-ins built on SDL for the platform services.
#include "base/platform.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <sys/stat.h>

#include <SDL.h>
#include <SDL_image.h>

#include "base/icon_data.h"

void platform_exe_path(char *out, size_t size)
{
    if (size == 0)
        return;
    out[0] = '\0';
    char *base = SDL_GetBasePath();
    if (!base)
        return;
    // A path that does not fit stays unknown rather than cut: a cut directory could name
    // another folder's files.
    if (strlen(base) < size)
        memcpy(out, base, strlen(base) + 1);
    SDL_free(base);
}

bool platform_make_dir(const char *path)
{
    return mkdir(path, 0700) == 0;
}

bool platform_decode_beside_window(void)
{
    return true;
}

void platform_show_cursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void platform_set_window_icon(SDL_Window *window)
{
    if (!window)
        return;
    // The icon's bytes are R, G, B, A in memory.
    SDL_Surface *icon = SDL_CreateRGBSurfaceWithFormatFrom(
        (void *)PLAYER_ICON_RGBA, PLAYER_ICON_SIZE, PLAYER_ICON_SIZE, 32, PLAYER_ICON_SIZE * 4,
        SDL_PIXELFORMAT_ABGR8888);
    if (!icon)
        return;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
}

SDL_Surface *platform_decode_picture(const void *data, size_t size, PictureFormat format)
{
    SDL_RWops *source = SDL_RWFromConstMem(data, (int)size);
    if (!source)
        return nullptr;
    // The decoder of the format named, never SDL_image's guess: no other decoder is reached.
    SDL_Surface *decoded = nullptr;
    switch (format) {
    case PICTURE_BMP: decoded = IMG_LoadBMP_RW(source); break;
    case PICTURE_GIF: decoded = IMG_LoadGIF_RW(source); break;
    case PICTURE_JPEG: decoded = IMG_LoadJPG_RW(source); break;
    case PICTURE_PNG: decoded = IMG_LoadPNG_RW(source); break;
    }
    SDL_RWclose(source);
    if (!decoded)
        return nullptr;
    // 32 bits without alpha, as the system decoder renders into a plain bitmap.
    SDL_Surface *plain = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(decoded);
    return plain;
}
