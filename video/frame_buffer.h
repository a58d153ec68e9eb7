// The frame buffer's size rules, kept apart so they can be checked without a window.
#pragma once

#include <stdint.h>

// Largest side of a screen or raster size accepted from the component: room for a machine's
// picture rendered at a multiple of its size for the largest displays; anything above is
// absurd (a frame of 16384 x 16384 takes a second to copy).
#define FRAME_MAX_SIDE 8192

// Whether w x h is a size a machine's picture can have: both sides 1 to FRAME_MAX_SIDE.
bool frame_size_usable(int32_t w, int32_t h);

// Bytes needed for a w x h raster of 4-byte pixels; 0 when a side is not positive or the
// size is absurd (so nothing is allocated for it).
uint32_t frame_buffer_bytes(int32_t w, int32_t h);

// Grows *pixels to hold a w x h raster; never shrinks. An allocation that fails or a size
// that would overflow leaves the old buffer and size in place. True when the buffer fits.
bool frame_buffer_grow(uint8_t **pixels, uint32_t *size, int32_t w, int32_t h);

// Whether a buffer of size bytes holds a w x h raster (false for absurd sizes), so nothing
// ever renders past its end.
bool frame_buffer_fits(uint32_t size, int32_t w, int32_t h);
