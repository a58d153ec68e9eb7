#include "video/frame_buffer.h"

#include <stdlib.h>

bool frame_size_usable(int32_t w, int32_t h)
{
    return w > 0 && h > 0 && w <= FRAME_MAX_SIDE && h <= FRAME_MAX_SIDE;
}

uint32_t frame_buffer_bytes(int32_t w, int32_t h)
{
    if (!frame_size_usable(w, h))
        return 0;
    uint64_t bytes = (uint64_t)w * (uint64_t)h * 4u;
    if (bytes > UINT32_MAX)
        return 0;
    return (uint32_t)bytes;
}

bool frame_buffer_grow(uint8_t **pixels, uint32_t *size, int32_t w, int32_t h)
{
    uint32_t needed = frame_buffer_bytes(w, h);
    if (needed == 0)
        return false;
    if (*size >= needed)
        return true;
    uint8_t *grown = (uint8_t *)realloc(*pixels, needed);
    if (!grown)
        return false;
    *pixels = grown;
    *size = needed;
    return true;
}

bool frame_buffer_fits(uint32_t size, int32_t w, int32_t h)
{
    uint32_t needed = frame_buffer_bytes(w, h);
    return needed != 0 && size >= needed;
}
