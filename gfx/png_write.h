// Writing a picture as a PNG file with libpng (the screenshots).
#pragma once

#include <stdint.h>
#include <stdio.h>

// Writes w x h pixels of rgb (bytes R, G, B, rows packed, top row first) to out as an 8-bit
// RGB PNG; name is the file's, for the log. False (libpng's reason logged) when libpng
// refuses or the writes fail. out stays open either way.
bool png_write_rgb(FILE *out, const char *name, const uint8_t *rgb, int32_t w, int32_t h);
