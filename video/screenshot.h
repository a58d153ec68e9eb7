// Preview pictures of the save slots: the frame buffer written as a 24-bit BMP.
#pragma once

#include <stdint.h>

// Writes raster (raster_w x raster_h pixels, bytes R, G, B, A, rows packed) as a 24-bit BMP
// of out_w x out_h pixels, stretched by nearest-pixel sampling. The file is written beside
// path under a temporary name and renamed into place, so a picture that cannot be written
// leaves the old one whole. False when nothing was written.
bool screenshot_write(const uint8_t *raster, int raster_w, int raster_h, int out_w, int out_h,
                      const char *path);
