// Preview pictures of the save slots: the frame buffer written as a 24-bit BMP.
#pragma once

#include <stdint.h>
#include <stdio.h>

// Writes raster (raster_w x raster_h pixels, bytes R, G, B, A, rows packed) to out as a
// 24-bit BMP of out_w x out_h pixels, stretched by nearest-pixel sampling. False (reason
// logged) when the picture could not be made or written; out stays open either way.
bool screenshot_write(const uint8_t *raster, int raster_w, int raster_h, int out_w, int out_h,
                      FILE *out);

// Writes the picture the loop last rendered (gamestate's frame buffer) at screen size to
// out, as screenshot_write does.
bool screenshot_write_frame(FILE *out);
