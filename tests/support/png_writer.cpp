#include "support/png_writer.h"

#include <png.h>
#include <setjmp.h>
#include <stdio.h>
#include <vector>

// Plain C types only between setjmp and the last libpng call; the row is sized beforehand.
bool write_png(const char *path, const PngSpec &spec)
{
    static const int CHANNELS[7] = {1, 0, 3, 1, 2, 0, 4};  // by PNG_COLOR_TYPE_*
    const int type = spec.color_type;
    const size_t values = (size_t)spec.width * CHANNELS[type];   // samples in a row
    const size_t bytes = spec.bit_depth == 16 ? 2 : 1;            // per sample
    std::vector<uint8_t> buffer(values * bytes + 1);
    FILE *file = fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bit_depth, type,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (spec.palette && spec.palette_entries > 0)  // png_color is three bytes R, G, B, as the palette is laid out
        png_set_PLTE(png, info, (png_const_colorp)spec.palette, spec.palette_entries);
    png_color_16 key = {0, spec.trns_value, spec.trns_value, spec.trns_value, spec.trns_value};
    if ((spec.trns_alpha && spec.trns_count > 0) || spec.trns_color)
        png_set_tRNS(png, info, spec.trns_alpha, spec.trns_count, spec.trns_color ? &key : nullptr);
    png_write_info(png, info);
    if (spec.bit_depth < 8)
        png_set_packing(png);  // one sample per byte in, packed bits out
    int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; pass++)
        for (int y = 0; y < spec.height; y++) {
            if (!spec.samples) {   // the buffer's zeros, row after row
                png_write_row(png, buffer.data());
                continue;
            }
            const uint16_t *src = spec.samples + (size_t)y * values;
            for (size_t i = 0; i < values; i++) {
                if (bytes == 2)
                    buffer[i * 2] = (uint8_t)(src[i] >> 8);
                buffer[i * bytes + bytes - 1] = (uint8_t)src[i];
            }
            png_write_row(png, buffer.data());
        }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fclose(file) == 0;
}
