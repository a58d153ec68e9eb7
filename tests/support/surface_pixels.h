// The pixels of a 32-bit surface as plain values, for comparing whole pictures.
#pragma once

#include <stdint.h>
#include <string.h>

#include <vector>

#include <SDL.h>

// The surface's pixels row by row without padding, each as the machine reads its 4 bytes;
// the surface is freed. Empty for null.
inline std::vector<uint32_t> surface_pixels(SDL_Surface *surface)
{
    std::vector<uint32_t> pixels;
    if (!surface)
        return pixels;
    pixels.resize((size_t)surface->w * surface->h);
    for (int y = 0; y < surface->h; y++)
        memcpy(&pixels[(size_t)y * surface->w], (const uint8_t *)surface->pixels + (size_t)y * surface->pitch,
               (size_t)surface->w * 4);
    SDL_FreeSurface(surface);
    return pixels;
}
