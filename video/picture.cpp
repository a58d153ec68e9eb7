// Picture loading: PNG through libpng into R, G, B, A surfaces and textures; every other
// format through the platform's picture decoder.
#include "video/picture.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <SDL.h>
#include <png.h>

#include "app/platform.h"

// ---------------------------------------------------------------------------------------
// PNG
// ---------------------------------------------------------------------------------------

// Decodes path into rgba (width * height * 4 bytes, owned by the caller afterwards).
// Everything libpng touches lives in this one function with plain C types only: a libpng
// error longjmps back to the setjmp below, which would skip any destructor.
static bool decode_png(const char *path, uint8_t **rgba, uint32_t *width, uint32_t *height)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return false;

    // The macro names the header we compile against; libpng compares only major.minor.
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(png ? &png : nullptr, nullptr, nullptr);
        fclose(file);
        return false;
    }

    // Written after setjmp and read on the error path, hence volatile.
    uint8_t *volatile pixels = nullptr;
    png_bytep *volatile rows = nullptr;

    if (setjmp(png_jmpbuf(png))) {
        free(rows);
        free(pixels);
        png_destroy_read_struct(&png, &info, nullptr);
        fclose(file);
        return false;
    }

    // A hostile header may claim any size; libpng refuses wider or taller ones itself.
    png_set_user_limits(png, PICTURE_MAX_SIDE, PICTURE_MAX_SIDE);

    png_init_io(png, file);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info);
    png_uint_32 h = png_get_image_height(png, info);
    int color_type = png_get_color_type(png, info);
    int bit_depth = png_get_bit_depth(png, info);

    if (w == 0 || h == 0 || (uint64_t)w * h * 4 > PICTURE_MAX_BYTES)
        png_error(png, "picture too large");

    if (bit_depth == 16)
        png_set_strip_16(png);
    if (color_type == PNG_COLOR_TYPE_PALETTE)
        png_set_palette_to_rgb(png);
    if (color_type == PNG_COLOR_TYPE_GRAY && bit_depth < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    if (color_type == PNG_COLOR_TYPE_RGB || color_type == PNG_COLOR_TYPE_GRAY ||
        color_type == PNG_COLOR_TYPE_PALETTE)
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    if (color_type == PNG_COLOR_TYPE_GRAY || color_type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    // Without this an interlaced file would come out as its first pass only.
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    // Every combination above ends in 8-bit R, G, B, A; anything else is not ours to copy.
    if (png_get_rowbytes(png, info) != (size_t)w * 4)
        png_error(png, "unexpected row layout");

    pixels = (uint8_t *)malloc((size_t)w * h * 4);
    rows = (png_bytep *)malloc(sizeof(png_bytep) * h);
    if (!pixels || !rows)
        png_error(png, "out of memory");
    for (png_uint_32 y = 0; y < h; y++)
        rows[y] = pixels + (size_t)y * w * 4;
    png_read_image(png, rows);

    png_destroy_read_struct(&png, &info, nullptr);
    fclose(file);
    free(rows);
    *rgba = pixels;
    *width = w;
    *height = h;
    return true;
}

SDL_Surface *load_png_surface(const char *path)
{
    uint8_t *rgba = nullptr;
    uint32_t w = 0, h = 0;
    if (!decode_png(path, &rgba, &w, &h))
        return nullptr;

    SDL_Surface *surface = SDL_CreateRGBSurface(0, (int)w, (int)h, 32, 0x000000FF, 0x0000FF00,
                                                0x00FF0000, 0xFF000000);
    if (surface) {
        SDL_LockSurface(surface);
        // Rows may be padded in the surface; the decoded rows are packed.
        for (uint32_t y = 0; y < h; y++) {
            uint8_t *dst = (uint8_t *)surface->pixels + (size_t)y * surface->pitch;
            const uint8_t *src = rgba + (size_t)y * w * 4;
            for (uint32_t x = 0; x < w; x++) {
                uint32_t value = (uint32_t)src[0] | (uint32_t)src[1] << 8 |
                                 (uint32_t)src[2] << 16 | (uint32_t)src[3] << 24;
                memcpy(dst, &value, 4);
                dst += 4;
                src += 4;
            }
        }
        SDL_UnlockSurface(surface);
    }
    free(rgba);
    return surface;
}

SDL_Texture *load_png_texture(const char *path, SDL_Renderer *renderer)
{
    SDL_Surface *surface = load_png_surface(path);
    if (!surface)
        return nullptr;
    SDL_Texture *texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                             SDL_TEXTUREACCESS_STATIC, surface->w, surface->h);
    if (texture)
        SDL_UpdateTexture(texture, nullptr, surface->pixels, surface->pitch);
    SDL_FreeSurface(surface);
    return texture;
}

// ---------------------------------------------------------------------------------------
// Other formats
// ---------------------------------------------------------------------------------------

SDL_Texture *load_picture_texture(const char *path, SDL_Renderer *renderer)
{
    SDL_Surface *surface = platform_decode_picture(path);
    if (!surface)
        return nullptr;
    SDL_Texture *texture = nullptr;
    if (surface->w <= PICTURE_MAX_SIDE && surface->h <= PICTURE_MAX_SIDE)
        texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    return texture;
}
