#include "support/png_writer.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include <png.h>
#include <zlib.h>

int png_channels(int color_type)
{
    switch (color_type) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

// Plain C types only between setjmp and the last libpng call.
bool write_png(const char *path, const PngSpec &spec)
{
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    int channels = png_channels(spec.color_type);
    int sample_bytes = spec.bit_depth == 16 ? 2 : 1;
    size_t row_size = (size_t)spec.width * channels * sample_bytes;
    uint8_t *row = (uint8_t *)malloc(row_size ? row_size : 1);
    if (!info || !row) {
        free(row);
        png_destroy_write_struct(png ? &png : nullptr, nullptr);
        fclose(file);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        free(row);
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bit_depth, spec.color_type,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (spec.palette) {
        png_color colors[256];
        for (int i = 0; i < spec.palette_entries && i < 256; i++) {
            colors[i].red = spec.palette[i * 3];
            colors[i].green = spec.palette[i * 3 + 1];
            colors[i].blue = spec.palette[i * 3 + 2];
        }
        png_set_PLTE(png, info, colors, spec.palette_entries);
    }
    if (spec.trns_alpha) {
        png_set_tRNS(png, info, spec.trns_alpha, spec.trns_count, nullptr);
    } else if (spec.trns_color) {
        png_color_16 color = {};
        color.red = spec.trns_r;
        color.green = spec.trns_g;
        color.blue = spec.trns_b;
        color.gray = spec.trns_grey;
        png_set_tRNS(png, info, nullptr, 0, &color);
    }
    png_write_info(png, info);
    if (spec.bit_depth < 8)
        png_set_packing(png);  // one sample per byte in, packed bits out
    int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; pass++) {
        for (int y = 0; y < spec.height; y++) {
            const uint16_t *src = spec.samples + (size_t)y * spec.width * channels;
            for (size_t i = 0; i < (size_t)spec.width * channels; i++) {
                if (sample_bytes == 2) {
                    row[i * 2] = (uint8_t)(src[i] >> 8);
                    row[i * 2 + 1] = (uint8_t)src[i];
                } else {
                    row[i] = (uint8_t)src[i];
                }
            }
            png_write_row(png, row);
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    free(row);
    return fclose(file) == 0;
}

bool write_file(const char *path, const void *data, size_t size)
{
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    bool ok = size == 0 || fwrite(data, 1, size, file) == size;
    return fclose(file) == 0 && ok;
}

uint8_t *read_file(const char *path, size_t *size)
{
    FILE *file = fopen(path, "rb");
    if (!file)
        return nullptr;
    fseek(file, 0, SEEK_END);
    long length = ftell(file);
    fseek(file, 0, SEEK_SET);
    uint8_t *data = length >= 0 ? (uint8_t *)malloc((size_t)length + 1) : nullptr;
    if (data && fread(data, 1, (size_t)length, file) != (size_t)length) {
        free(data);
        data = nullptr;
    }
    fclose(file);
    if (data)
        *size = (size_t)length;
    return data;
}

static void put_be32(uint8_t *p, uint32_t v)
{
    p[0] = (uint8_t)(v >> 24);
    p[1] = (uint8_t)(v >> 16);
    p[2] = (uint8_t)(v >> 8);
    p[3] = (uint8_t)v;
}

void png_fix_crc(uint8_t *data, size_t chunk)
{
    uint32_t length = (uint32_t)data[chunk] << 24 | (uint32_t)data[chunk + 1] << 16 |
                      (uint32_t)data[chunk + 2] << 8 | data[chunk + 3];
    uint8_t *type = data + chunk + 4;
    put_be32(type + 4 + length, (uint32_t)crc32(crc32(0, nullptr, 0), type, 4 + length));
}

void png_patch_size(uint8_t *data, uint32_t width, uint32_t height)
{
    // Signature (8), then the IHDR chunk: length, type, width, height, ...
    put_be32(data + 16, width);
    put_be32(data + 20, height);
    png_fix_crc(data, 8);
}
