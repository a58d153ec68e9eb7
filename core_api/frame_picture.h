// The picture on screen as plain data, taken from video by the layers above and handed down
// to a save for its preview.
#pragma once

#include <stdint.h>

// A raster of raster_w x raster_h pixels (bytes R, G, B, A, rows packed) that is shown at
// screen_w x screen_h. The pixels belong to whoever took the picture.
struct FramePicture {
    const uint8_t *pixels;
    int32_t raster_w, raster_h;
    int32_t screen_w, screen_h;
};
