// Writes PNG files with libpng for tests that decode them again.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <png.h>

struct PngSpec {
    int width, height;
    int color_type, bit_depth;   // PNG_COLOR_TYPE_*; 1, 2, 4, 8 or 16 as the type allows
    const uint16_t *samples;     // width * height * channels values, rows top to bottom;
                                 // null: every sample 0, for pictures too large to hold
    const uint8_t *palette; int palette_entries;  // R, G, B per entry, for palette pictures
    const uint8_t *trns_alpha; int trns_count;  // alpha of the first trns_count palette entries
    bool trns_color;             // grey and RGB pictures: trns_value (grey, or R = G = B) is clear
    uint16_t trns_value;
    bool interlaced;             // Adam7
};

// Writes spec to path; false when libpng or the file refuses it.
bool write_png(const char *path, const PngSpec &spec);

// A spec of one colour type and depth with neither palette nor transparency.
inline PngSpec png_spec(int width, int height, int color_type, int bit_depth, const uint16_t *samples)
{
    PngSpec spec = {};
    spec.width = width;
    spec.height = height;
    spec.color_type = color_type;
    spec.bit_depth = bit_depth;
    spec.samples = samples;
    return spec;
}

// spec with a palette of entries R, G, B triples, the first alpha_count of them with the
// given alphas; a spec of another colour type is returned as it is.
inline PngSpec png_with_palette(PngSpec spec, const uint8_t *rgb, int entries, const uint8_t *alphas, int alpha_count)
{
    if (spec.color_type != PNG_COLOR_TYPE_PALETTE)
        return spec;
    spec.palette = rgb;
    spec.palette_entries = entries;
    spec.trns_alpha = alphas;
    spec.trns_count = alpha_count;
    return spec;
}
