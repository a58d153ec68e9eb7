// Portable stand-ins built on SDL for the platform services.
#include "app/platform.h"

#include <string.h>

#include <SDL.h>
#include <SDL_image.h>

#include "app/icon_data.h"

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

SDL_Surface *platform_decode_picture(const char *path)
{
    SDL_Surface *decoded = IMG_Load(path);
    if (!decoded)
        return nullptr;
    // 32 bits without alpha, as the system decoder renders into a plain bitmap.
    SDL_Surface *plain = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(decoded);
    return plain;
}
