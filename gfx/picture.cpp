// Picture loading: PNG through libpng into R, G, B, A surfaces and textures; the background
// through the platform's picture decoder once its header passed; BMP previews through SDL.
#include "gfx/picture.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include <SDL.h>
#include <png.h>

#include "base/file_read.h"
#include "base/log.h"
#include "base/platform.h"
#include "gfx/picture_decode.h"
#include "gfx/prefetch.h"

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
    FILE *file = read_open(path, READ_LIMIT_PICTURE);
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
    SDL_Surface *surface = nullptr;
    if (picture_prefetch_take(path, PREFETCH_PNG, &surface))
        return surface;
    return png_surface_decode(path);
}

SDL_Surface *png_surface_decode(const char *path)
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
// Headers
// ---------------------------------------------------------------------------------------

static uint32_t le16(const uint8_t *p)
{
    return (uint32_t)p[0] | (uint32_t)p[1] << 8;
}

static uint32_t le32(const uint8_t *p)
{
    return le16(p) | le16(p + 2) << 16;
}

static uint32_t be16(const uint8_t *p)
{
    return (uint32_t)p[0] << 8 | p[1];
}

static uint32_t be32(const uint8_t *p)
{
    return be16(p) << 16 | be16(p + 2);
}

static uint32_t magnitude(uint32_t field)
{
    int32_t value = (int32_t)field;
    return value < 0 ? 0u - field : field;
}

// The file header is followed by an info header that starts with its own length: the old
// 12-byte core header holds 16-bit sizes, every later one (40 bytes and up) 32-bit signed
// ones, a negative height meaning top-down rows.
static bool bmp_size(const uint8_t *d, size_t n, uint32_t *w, uint32_t *h)
{
    if (n < 26)
        return false;
    uint32_t info_size = le32(d + 14);
    if (info_size == 12) {
        *w = le16(d + 18);
        *h = le16(d + 20);
        return true;
    }
    if (info_size < 40)
        return false;
    *w = magnitude(le32(d + 18));
    *h = magnitude(le32(d + 22));
    return true;
}

// The decoder allocates for the first image's own size, which may differ from the logical
// screen's, so the blocks are walked up to the first image descriptor; the larger of the
// two sizes counts.
static bool gif_size(const uint8_t *d, size_t n, uint32_t *w, uint32_t *h)
{
    if (n < 13)
        return false;
    size_t at = 13;
    if (d[10] & 0x80)  // global colour table of 2^(k + 1) entries of 3 bytes
        at += (size_t)3 << ((d[10] & 7) + 1);
    while (at < n && d[at] == 0x21) {  // an extension: its label, then sub-blocks to an empty one
        at += 2;
        while (at < n && d[at] != 0)
            at += 1 + (size_t)d[at];
        at++;
    }
    if (at + 9 > n || d[at] != 0x2C)
        return false;
    *w = SDL_max(le16(d + 6), le16(d + at + 5));
    *h = SDL_max(le16(d + 8), le16(d + at + 7));
    return true;
}

// Size from the frame header: walk the marker segments up to the first SOFn.
static bool jpeg_size(const uint8_t *d, size_t n, uint32_t *w, uint32_t *h)
{
    size_t at = 2;
    while (at + 4 <= n && d[at] == 0xFF) {
        uint8_t marker = d[at + 1];
        bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                   marker != 0xCC;
        if (sof) {
            if (at + 9 > n)
                return false;
            *h = be16(d + at + 5);
            *w = be16(d + at + 7);
            return true;
        }
        uint32_t length = be16(d + at + 2);
        if (length < 2)
            return false;
        at += 2 + (size_t)length;
    }
    return false;
}

bool picture_header(const uint8_t *d, size_t n, PictureHeader *header)
{
    if (n >= 24 && memcmp(d, "\x89PNG\r\n\x1a\n", 8) == 0 && memcmp(d + 12, "IHDR", 4) == 0) {
        header->format = PICTURE_PNG;
        header->w = be32(d + 16);
        header->h = be32(d + 20);
        return true;
    }
    if (n >= 2 && d[0] == 'B' && d[1] == 'M') {
        header->format = PICTURE_BMP;
        return bmp_size(d, n, &header->w, &header->h);
    }
    if (n >= 6 && (memcmp(d, "GIF87a", 6) == 0 || memcmp(d, "GIF89a", 6) == 0)) {
        header->format = PICTURE_GIF;
        return gif_size(d, n, &header->w, &header->h);
    }
    if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) {
        header->format = PICTURE_JPEG;
        return jpeg_size(d, n, &header->w, &header->h);
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Background and previews
// ---------------------------------------------------------------------------------------

static bool size_allowed(uint32_t w, uint32_t h)
{
    return w <= PICTURE_MAX_SIDE && h <= PICTURE_MAX_SIDE &&
           (uint64_t)w * h * 4 <= PICTURE_MAX_BYTES;
}

// Reads path whole and its header: the decoders allocate whatever a header claims before
// reading any pixels, so nothing reaches them before the size is known and allowed.
static bool read_picture(const char *path, std::vector<unsigned char> &data,
                         PictureHeader *header)
{
    if (!read_whole(path, READ_LIMIT_PICTURE, data))
        return false;
    if (!picture_header(data.data(), data.size(), header)) {
        log_write("not a BMP, GIF, JPEG or PNG picture: %s\n", path);
        return false;
    }
    if (!size_allowed(header->w, header->h)) {
        log_write("picture too large: %s (%u x %u)\n", path, header->w, header->h);
        return false;
    }
    return true;
}

SDL_Surface *picture_surface_decode(const char *path)
{
    std::vector<unsigned char> data;
    PictureHeader header = {};
    if (!read_picture(path, data, &header))
        return nullptr;
    SDL_Surface *surface = platform_decode_picture(data.data(), data.size(), header.format);
    if (!surface) {
        log_write("damaged picture: %s\n", path);
        return nullptr;
    }
    if (!size_allowed((uint32_t)surface->w, (uint32_t)surface->h)) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

SDL_Texture *load_picture_texture(const char *path, SDL_Renderer *renderer)
{
    SDL_Surface *surface = nullptr;
    if (!picture_prefetch_take(path, PREFETCH_PICTURE, &surface))
        surface = picture_surface_decode(path);
    if (!surface)
        return nullptr;
    SDL_Texture *texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    return texture;
}

SDL_Texture *load_preview_texture(const char *path, SDL_Renderer *renderer)
{
    std::vector<unsigned char> data;
    PictureHeader header = {};
    if (!read_picture(path, data, &header))
        return nullptr;
    if (header.format != PICTURE_BMP) {
        log_write("preview is not a BMP picture: %s\n", path);
        return nullptr;
    }
    if (header.w > PICTURE_PREVIEW_MAX_SIDE || header.h > PICTURE_PREVIEW_MAX_SIDE) {
        log_write("preview too large: %s (%u x %u)\n", path, header.w, header.h);
        return nullptr;
    }
    SDL_RWops *source = SDL_RWFromConstMem(data.data(), (int)data.size());
    SDL_Surface *surface = source ? SDL_LoadBMP_RW(source, 1) : nullptr;
    if (!surface) {
        log_write("damaged preview: %s\n", path);
        return nullptr;
    }
    SDL_Texture *texture = SDL_CreateTextureFromSurface(renderer, surface);
    SDL_FreeSurface(surface);
    if (texture)
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    return texture;
}
