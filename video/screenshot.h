// Preview pictures of the save slots: the frame buffer written as a 24-bit BMP.
#pragma once

#include <stdint.h>
#include <stdio.h>

// Writes raster (raster_w x raster_h pixels, bytes R, G, B, A, rows packed) to out as a
// 24-bit BMP of out_w x out_h pixels, stretched by nearest-pixel sampling. False (reason
// logged) when the picture could not be made or written; out stays open either way.
bool screenshot_write(const uint8_t *raster, int raster_w, int raster_h, int out_w, int out_h,
                      FILE *out);

// The size of a preview of a screen_w x screen_h screen: that size, scaled down to keep its
// aspect where a side is above what reading a preview accepts (PICTURE_PREVIEW_MAX_SIDE).
void preview_size(int screen_w, int screen_h, int *out_w, int *out_h);

// Writes the picture the loop last rendered (video's frame buffer) at its preview_size
// to out, as screenshot_write does.
bool screenshot_write_frame(FILE *out);
