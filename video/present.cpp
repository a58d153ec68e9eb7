#include "video/present.h"

#include "base/log.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "video/back_fill.h"
#include "video/frame_buffer.h"
#include "video/picture_shape.h"
#include "video/video.h"
#include "video/video_state.h"
#include "xgui/notice_draw.h"
#include "xgui/xgui.h"

SDL_Rect picture_rect_for(int window_w, int window_h, int screen_w, int screen_h, bool stretch, bool tv)
{
    SDL_Rect r = {0, 0, 0, 0};
    int64_t h = stretch ? window_h : shaped_fit(screen_w, screen_h, window_w, window_h, tv) * screen_h;
    r.w = (int)shaped_width(screen_w, screen_h, h, tv);
    r.h = r.w > 0 ? (int)h : 0;
    r.x = (window_w - r.w) / 2;
    r.y = (window_h - r.h) / 2;
    return r;
}

SDL_Rect picture_rect(int window_w, int window_h)
{
    return picture_rect_for(window_w, window_h, video_state().screen_w, video_state().screen_h,
                            settings.stretch, settings.shape);
}

SDL_Rect shown_picture(SDL_Rect picture)
{
    if (!video_state().frame_texture)
        return SDL_Rect{0, 0, 0, 0};
    return picture;
}

bool screen_size_take(LogRate *rate)
{
    VideoState &g = video_state();
    static int refused_w, refused_h;  // the size last refused, so a size kept is logged once
    int w = ox_video_get_screen_width();
    int h = ox_video_get_screen_height();
    bool usable = frame_size_usable(w, h);
    bool news = usable ? w != g.screen_w || h != g.screen_h : w != refused_w || h != refused_h || !rate;
    if (news && (!rate || log_rate_allow(rate, SDL_GetTicks64()))) {
        if (usable)
            log_write("screen size %i x %i\n", w, h);
        else
            log_write("Error: screen size %i x %i from the component is refused, %i x %i kept\n", w,
                      h, (int)g.screen_w, (int)g.screen_h);
    }
    if (!usable) {
        refused_w = w;
        refused_h = h;
        return false;
    }
    g.screen_w = w;
    g.screen_h = h;
    return true;
}

RasterStep raster_step(int reported_w, int reported_h, int held_w, int held_h)
{
    if (reported_w == 0 || reported_h == 0 || (reported_w == held_w && reported_h == held_h))
        return RASTER_KEEP;
    return frame_size_usable(reported_w, reported_h) ? RASTER_TAKE : RASTER_REFUSE;
}

void frame_update(void)
{
    VideoState &g = video_state();
    static LogRate screen_rate, raster_rate;
    screen_size_take(&screen_rate);
    int w = ox_video_get_raster_width();
    int h = ox_video_get_raster_height();
    RasterStep step = raster_step(w, h, g.raster_w, g.raster_h);
    // The component renders at the size it reports: a buffer for the last good size is
    // never handed to it, so the last picture stays until a usable size comes back.
    if (step == RASTER_REFUSE) {
        if (log_rate_allow(&raster_rate, SDL_GetTicks64()))
            log_write("Error: raster %i x %i from the component is refused, %i x %i kept\n", w, h,
                      (int)g.raster_w, (int)g.raster_h);
        return;
    }
    if (step == RASTER_TAKE) {
        g.raster_w = w;
        g.raster_h = h;
        video_recreate_frame_texture();
    }
    // A buffer that could not grow for the raster is never handed to the component.
    if (!g.pixels || !frame_buffer_fits(g.pixels_size, g.raster_w, g.raster_h))
        return;
    ox_video_render(g.pixels);
    if (g.frame_texture)
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
}

void video_present_sdl(void)
{
    const VideoState &v = video_state();
    SDL_Renderer *renderer = v.renderer;
    SDL_Texture *back_texture = v.back_texture;
    const int window_w = v.window_w;
    const int window_h = v.window_h;
    SDL_Rect r = picture_rect(window_w, window_h);
    if (back_texture && back_copy_update(renderer, back_texture, window_w, window_h)) {
        back_draw_sdl(renderer, window_w, window_h, shown_picture(r));
    } else if (back_texture) {
        SDL_Rect all = {0, 0, window_w, window_h};
        SDL_RenderCopy(renderer, back_texture, nullptr, &all);
    } else {
        SDL_RenderClear(renderer);
    }
    // The raster the frame texture was made for: the component may report 0 ("unchanged").
    SDL_Rect src = {0, 0, v.raster_w, v.raster_h};
    if (v.frame_texture)
        SDL_RenderCopy(renderer, v.frame_texture, &src, &r);
    if (v.splash_texture && splash_drawn(v.splash_frames, xgui_is_open()))
        SDL_RenderCopy(renderer, v.splash_texture, nullptr, &r);
    xgui_draw(renderer, window_w, window_h);
    notice_draw(renderer, window_w, window_h, r);
    SDL_RenderPresent(renderer);
}
