#include "support/png_writer.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>

#include <png.h>
#include <zlib.h>

// Plain C types only between setjmp and the last libpng call.
bool write_png(const char *path, const PngSpec &spec)
{
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    int type = spec.color_type;
    int channels = type == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                   : type == PNG_COLOR_TYPE_RGB      ? 3
                   : type == PNG_COLOR_TYPE_RGB_ALPHA ? 4
                                                      : 1;
    size_t values = (size_t)spec.width * channels, sample_bytes = spec.bit_depth == 16 ? 2 : 1;
    uint8_t *row = (uint8_t *)malloc(values * sample_bytes + 1);
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
    png_set_IHDR(png, info, spec.width, spec.height, spec.bit_depth, type,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color colors[256];
    for (int i = 0; i < spec.palette_entries && i < 256; i++)
        colors[i] = {spec.palette[i * 3], spec.palette[i * 3 + 1], spec.palette[i * 3 + 2]};
    if (spec.palette)
        png_set_PLTE(png, info, colors, spec.palette_entries);
    png_color_16 key = {0, spec.trns_value, spec.trns_value, spec.trns_value, spec.trns_value};
    if (spec.trns_alpha || spec.trns_color)
        png_set_tRNS(png, info, spec.trns_alpha, spec.trns_count, spec.trns_color ? &key : nullptr);
    png_write_info(png, info);
    if (spec.bit_depth < 8)
        png_set_packing(png);  // one sample per byte in, packed bits out
    int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; pass++)
        for (int y = 0; y < spec.height; y++) {
            const uint16_t *src = spec.samples + (size_t)y * values;
            for (size_t i = 0; i < values; i++) {
                if (sample_bytes == 2)
                    row[i * 2] = (uint8_t)(src[i] >> 8);
                row[i * sample_bytes + sample_bytes - 1] = (uint8_t)src[i];
            }
            png_write_row(png, row);
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    free(row);
    return fclose(file) == 0;
}

static void put_be32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        p[i] = (uint8_t)(v >> (24 - 8 * i));
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
