#include "video/kept_picture.h"

#include <stdlib.h>

#include "core_api/ox_core.h"
#include "video/frame_buffer.h"
#include "video/video.h"
#include "video/video_state.h"

static uint8_t *pixels;
static uint32_t size;
static int32_t raster_w, raster_h;
static bool kept;

bool video_keep_frame_picture(void)
{
    const VideoState &v = video_state();
    int32_t w = ox_video_get_raster_width();
    int32_t h = ox_video_get_raster_height();
    // 0 x 0 means the raster is unchanged.
    if (w == 0 || h == 0) {
        w = v.raster_w;
        h = v.raster_h;
    }
    kept = frame_size_usable(w, h) && frame_buffer_grow(&pixels, &size, w, h);
    if (!kept)
        return false;
    raster_w = w;
    raster_h = h;
    ox_video_render(pixels);
    return true;
}

void video_forget_frame_picture(void)
{
    kept = false;
}

bool kept_frame_picture(FramePicture &picture)
{
    if (!kept)
        return false;
    int w = 0, h = 0;
    preview_size(video_state().screen_w, video_state().screen_h, &w, &h);
    picture = {pixels, raster_w, raster_h, w, h};
    return true;
}

void kept_picture_release(void)
{
    free(pixels);
    pixels = nullptr;
    size = 0;
    kept = false;
}
