// Picture loading: PNG through libpng into R, G, B, A surfaces and textures; every other
// format through the platform's picture decoder.
#include "video/picture.h"

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <SDL.h>
#include <png.h>

#include "app/log.h"
#include "app/platform.h"

// ---------------------------------------------------------------------------------------
// PNG
// ---------------------------------------------------------------------------------------

// libpng's reasons go to the log with the file's name (its error pointer); an error then
// returns to decode_png's setjmp, as libpng's own handler would.
static void png_failed(png_structp png, png_const_charp message)
{
    log_write("Error: %s: %s\n", (const char *)png_get_error_ptr(png), message);
    png_longjmp(png, 1);
}

static void png_warned(png_structp png, png_const_charp message)
{
    log_write("warning: %s: %s\n", (const char *)png_get_error_ptr(png), message);
}

// Decodes path into rgba (width * height * 4 bytes, owned by the caller afterwards).
// Everything libpng touches lives in this one function with plain C types only: a libpng
// error longjmps back to the setjmp below, which would skip any destructor.
static bool decode_png(const char *path, uint8_t **rgba, uint32_t *width, uint32_t *height)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return false;

    // The macro names the header we compile against; libpng compares only major.minor.
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, (png_voidp)path, png_failed,
                                             png_warned);
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
    // Asked for here so interlaced files decode without libpng warning that it had to.
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

static uint32_t be16(const uint8_t *p)
{
    return (uint32_t)p[0] << 8 | p[1];
}

static uint32_t be32(const uint8_t *p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

static bool size_allowed(uint32_t w, uint32_t h)
{
    return w <= PICTURE_MAX_SIDE && h <= PICTURE_MAX_SIDE &&
           (uint64_t)w * h * 4 <= PICTURE_MAX_BYTES;
}

// Size from the frame header of a JPEG: walk the marker segments up to the first SOFn.
static bool jpeg_size(FILE *file, uint32_t *w, uint32_t *h)
{
    if (fseek(file, 2, SEEK_SET) != 0)
        return false;
    for (int segment = 0; segment < 1024; segment++) {
        uint8_t m[9];
        if (fread(m, 1, 4, file) != 4 || m[0] != 0xFF)
            return false;
        uint32_t length = be16(m + 2);
        bool sof = m[1] >= 0xC0 && m[1] <= 0xCF && m[1] != 0xC4 && m[1] != 0xC8 && m[1] != 0xCC;
        if (sof) {
            if (fread(m + 4, 1, 5, file) != 5)
                return false;
            *h = be16(m + 5);
            *w = be16(m + 7);
            return true;
        }
        if (length < 2 || fseek(file, (long)length - 2, SEEK_CUR) != 0)
            return false;
    }
    return false;
}

// The platform decoder allocates whatever a header claims before reading any pixels, so
// the sizes of the common formats are checked here first. A header we cannot read is left
// to the decoder to refuse.
static bool picture_size_allowed(const char *path)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return false;
    uint8_t head[26] = {};
    size_t got = fread(head, 1, sizeof head, file);
    uint32_t w = 0, h = 0;
    bool known = true;
    if (got >= 24 && memcmp(head, "\x89PNG", 4) == 0) {
        w = be32(head + 16);
        h = be32(head + 20);
    } else if (got >= 26 && head[0] == 'B' && head[1] == 'M') {
        int32_t bw, bh;
        memcpy(&bw, head + 18, 4);  // BITMAPINFOHEADER, little-endian; height < 0: top-down
        memcpy(&bh, head + 22, 4);
        w = bw < 0 ? 0u - (uint32_t)bw : (uint32_t)bw;
        h = bh < 0 ? 0u - (uint32_t)bh : (uint32_t)bh;
    } else if (got >= 10 && memcmp(head, "GIF", 3) == 0) {
        w = (uint32_t)head[6] | (uint32_t)head[7] << 8;
        h = (uint32_t)head[8] | (uint32_t)head[9] << 8;
    } else if (got >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        known = jpeg_size(file, &w, &h);
    } else {
        known = false;
    }
    fclose(file);
    return !known || size_allowed(w, h);
}

SDL_Texture *load_picture_texture(const char *path, SDL_Renderer *renderer)
{
    if (!picture_size_allowed(path))
        return nullptr;
    SDL_Surface *surface = platform_decode_picture(path);
    if (!surface)
        return nullptr;
    SDL_Texture *texture = nullptr;
    if (size_allowed((uint32_t)surface->w, (uint32_t)surface->h))
        texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    return texture;
}
