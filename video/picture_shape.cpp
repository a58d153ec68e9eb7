#include "video/picture_shape.h"

int64_t shaped_width(int screen_w, int screen_h, int64_t h, bool tv)
{
    if (screen_w <= 0 || screen_h <= 0 || h <= 0)
        return 0;
    return tv ? h * SHAPE_TV_W / SHAPE_TV_H : h * screen_w / screen_h;
}

int64_t shaped_fit(int screen_w, int screen_h, int64_t room_w, int64_t room_h, bool tv)
{
    if (screen_w <= 0 || screen_h <= 0 || room_w <= 0 || room_h <= 0)
        return 0;
    int64_t k = room_h / screen_h;
    // The truncated width k * screen_h * 4 / 3 is at most room_w exactly while
    // k * screen_h * 4 < (room_w + 1) * 3.
    int64_t across = tv ? ((room_w + 1) * SHAPE_TV_H - 1) / ((int64_t)screen_h * SHAPE_TV_W) : room_w / screen_w;
    return k < across ? k : across;
}
