#include "video/video.h"

#include <stdlib.h>
#include <string.h>

#include "base/log.h"
#include "base/paths.h"
#include "base/platform.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "video/back_fill.h"
#include "video/frame_buffer.h"
#include "video/gl_path.h"
#include "video/kept_picture.h"
#include "video/present.h"
#include "video/video_state.h"
#include "gfx/picture.h"
#include "xgui/xgui.h"

static VideoState video;

VideoState &video_state(void)
{
    return video;
}

void video_init(void)
{
    VideoState &v = video;
    // Hidden, with its title, until the first frame is drawn: nothing blank or untitled shows
    // while start-up sizes it, and a start-up that fails leaves its message box alone.
    // Made full screen when it starts so, as the window manager maps a window in the state it
    // was made with: one shown first and made full screen after shows as a window first.
    const Uint32 mode = settings.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    v.window = SDL_CreateWindow(gameinfo.title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 0,
                                0, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | mode);
    if (!v.window)
        log_write("Error: %s\n", SDL_GetError());
    platform_set_window_icon(v.window);

    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    v.renderer = v.window ? SDL_CreateRenderer(v.window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info;
    // A failed query leaves no name to read; the log still says which renderer there is.
    const char *name = (v.renderer && SDL_GetRendererInfo(v.renderer, &info) == 0) ? info.name : "none";
    log_write("renderer name: %s\n", name);
    if (renderer_takes_gl_path(name))
        gl_path_setup();

    // Before a game is loaded a component may not know its size yet: a size refused here
    // leaves 0 x 0 until loading tells it.
    screen_size_take(nullptr);
    v.raster_w = v.screen_w;
    v.raster_h = v.screen_h;
    video_recreate_frame_texture();

    v.back_texture = nullptr;
    v.splash_texture = nullptr;
    char path[PATH_BUFFER_SIZE];
    if (data_path(path, sizeof path, RES_DIR "splash"))
        v.splash_texture = load_png_texture(path, v.renderer);
    if (v.splash_texture)
        v.splash_frames = SPLASH_FRAMES;
    if (data_path(path, sizeof path, RES_DIR "back"))
        v.back_texture = load_picture_texture(path, v.renderer);
    // Both keep sharp pixels whatever the smoothing setting.
    if (v.splash_texture)
        SDL_SetTextureScaleMode(v.splash_texture, SDL_ScaleModeNearest);
    if (v.back_texture)
        SDL_SetTextureScaleMode(v.back_texture, SDL_ScaleModeNearest);
}

void video_recreate_frame_texture(void)
{
    VideoState &v = video;
    // A component may change its raster every frame: a few lines a second at most.
    static LogRate rate;
    if (log_rate_allow(&rate, SDL_GetTicks64())) {
        if (rate.held > 0)
            log_write("%u raster size changes not logged\n", (unsigned)rate.held);
        rate.held = 0;
        log_write("update viewport resolution to %i %i (%i HZ)\n", v.raster_w, v.raster_h,
                  ox_video_get_framerate());
    }
    if (v.frame_texture) {
        SDL_DestroyTexture(v.frame_texture);
        v.frame_texture = nullptr;
    }
    if (v.renderer && v.raster_w > 0 && v.raster_h > 0)
        v.frame_texture = SDL_CreateTexture(v.renderer, SDL_PIXELFORMAT_ABGR8888,
                                            SDL_TEXTUREACCESS_STREAMING, v.raster_w, v.raster_h);
    if (v.frame_texture) {
        SDL_SetTextureScaleMode(v.frame_texture, frame_scale_mode(settings.smoothing, v.gl_path));
        // Opaque on both paths: the background is drawn only around it.
        SDL_SetTextureBlendMode(v.frame_texture, SDL_BLENDMODE_NONE);
    }
    frame_buffer_grow(&v.pixels, &v.pixels_size, v.raster_w, v.raster_h);
    if (v.pixels)
        memset(v.pixels, 0, v.pixels_size);
    if (v.frame_texture && frame_buffer_fits(v.pixels_size, v.raster_w, v.raster_h))
        SDL_UpdateTexture(v.frame_texture, nullptr, v.pixels, v.raster_w * 4);
}

SDL_ScaleMode frame_scale_mode(bool smoothing, bool gl_path)
{
    return smoothing && !gl_path ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
}

void video_release(void)
{
    VideoState &v = video;
    free(v.pixels);
    v.pixels = nullptr;
    v.pixels_size = 0;
    if (v.frame_texture)
        SDL_DestroyTexture(v.frame_texture);
    if (v.back_texture)
        SDL_DestroyTexture(v.back_texture);
    if (v.splash_texture)
        SDL_DestroyTexture(v.splash_texture);
    v.frame_texture = v.back_texture = v.splash_texture = nullptr;
    back_copy_release();
    kept_picture_release();
    if (v.renderer)
        SDL_DestroyRenderer(v.renderer);
    v.renderer = nullptr;
    if (v.window)
        SDL_DestroyWindow(v.window);
    v = VideoState{};
}

static void present_frame(void)
{
    if (video.gl_path)
        video_present_gl();
    else
        video_present_sdl();
}

void video_present(void)
{
    present_frame();
    if (video.shown || !video.window)
        return;
    // The first frame is drawn: the window shows now. Full screen takes effect only on a
    // shown window, so its size is read again and the frame drawn again at once, as a window
    // just mapped holds nothing of what was presented while it was hidden.
    SDL_ShowWindow(video.window);
    video.shown = true;
    int w = 0, h = 0;
    SDL_GetWindowSize(video.window, &w, &h);
    if (w > 0 && h > 0) {
        video.window_w = w;
        video.window_h = h;
    }
    present_frame();
}

bool video_gl_path(void)
{
    return video.gl_path;
}

SDL_Window *video_window(void)
{
    return video.window;
}

SDL_Renderer *video_renderer(void)
{
    return video.renderer;
}

void video_window_size(int32_t *w, int32_t *h)
{
    *w = video.window_w;
    *h = video.window_h;
}

bool video_frame_picture(FramePicture &picture)
{
    // Run-ahead: the game's real frame, not the one shown ahead of it.
    if (kept_frame_picture(picture))
        return true;
    const VideoState &v = video;
    // The loop keeps the raster size in step with the component's.
    log_write("saving screenshot %i %i\n", v.raster_w, v.raster_h);
    if (!frame_buffer_fits(v.pixels_size, v.raster_w, v.raster_h)) {
        log_write("no preview picture: the frame buffer does not hold the raster\n");
        return false;
    }
    int w = 0, h = 0;
    preview_size(v.screen_w, v.screen_h, &w, &h);
    picture = {v.pixels, v.raster_w, v.raster_h, w, h};
    return true;
}

void preview_size(int screen_w, int screen_h, int *out_w, int *out_h)
{
    int64_t w = screen_w, h = screen_h;
    int64_t longer = w > h ? w : h;
    if (longer > PICTURE_PREVIEW_MAX_SIDE) {
        w = SDL_max(w * PICTURE_PREVIEW_MAX_SIDE / longer, (int64_t)1);
        h = SDL_max(h * PICTURE_PREVIEW_MAX_SIDE / longer, (int64_t)1);
    }
    *out_w = (int)w;
    *out_h = (int)h;
}

int32_t video_splash_frames(void)
{
    return video.splash_frames;
}

void video_splash_count_down(void)
{
    video.splash_frames = splash_left(video.splash_frames);
}

int32_t splash_left(int32_t frames)
{
    return frames > 0 ? frames - 1 : 0;
}

bool splash_drawn(int32_t splash_frames, bool menu_open)
{
    return splash_frames != 0 && !menu_open;
}

void video_splash_end(void)
{
    video.splash_frames = 0;
}
