#include "record/gamestate.h"

#include <stdlib.h>
#include <string.h>

#include "base/log.h"
#include "base/paths.h"
#include "base/platform.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "record/ox_core.h"
#include "video/back_fill.h"
#include "video/frame_buffer.h"
#include "video/gl_path.h"
#include "video/present.h"
#include "gfx/picture.h"
#include "xgui/xgui.h"


static void load_ui_sound(const char *name, UiSound *sound)
{
    char path[PATH_BUFFER_SIZE];
    sound->buffer = nullptr;
    sound->length = 0;
    if (data_path(path, sizeof path, name))
        sound_file_load(path, *sound);
    log_write("sound %s %i\n", path, (int)sound->length);
}

bool GameState::init()
{
    ox_core_init(AUDIO_RATE, gameinfo.nosram ? OX_OPTION_NOSRAM : 0);
    core_started = true;
    frame_rate = frame_rate_held(ox_video_get_framerate());

    window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 0, 0,
                              SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!window)
        log_write("Error: %s\n", SDL_GetError());
    platform_set_window_icon(window);

    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info;
    // A failed query leaves no name to read; the log still says which renderer there is.
    const char *name = (renderer && SDL_GetRendererInfo(renderer, &info) == 0) ? info.name : "none";
    log_write("renderer name: %s\n", name);
    if (renderer_takes_gl_path(name))
        gl_path_setup();

    // Before a game is loaded a component may not know its size yet: a size refused here
    // leaves 0 x 0 until loading tells it.
    screen_size_take(nullptr);
    raster_w = screen_w;
    raster_h = screen_h;
    recreate_frame_texture();

    back_texture = nullptr;
    splash_texture = nullptr;
    char path[PATH_BUFFER_SIZE];
    if (data_path(path, sizeof path, RES_DIR "splash"))
        splash_texture = load_png_texture(path, renderer);
    if (splash_texture)
        splash_frames = SPLASH_FRAMES;
    if (data_path(path, sizeof path, RES_DIR "back"))
        back_texture = load_picture_texture(path, renderer);
    // Both keep sharp pixels whatever the smoothing setting.
    if (splash_texture)
        SDL_SetTextureScaleMode(splash_texture, SDL_ScaleModeNearest);
    if (back_texture)
        SDL_SetTextureScaleMode(back_texture, SDL_ScaleModeNearest);

    load_ui_sound(RES_DIR "s_hover", &hover_sound);
    load_ui_sound(RES_DIR "s_select", &select_sound);

    apply_video_settings();
    return true;
}

void GameState::recreate_frame_texture()
{
    // A component may change its raster every frame: a few lines a second at most.
    static LogRate rate;
    if (log_rate_allow(&rate, SDL_GetTicks64())) {
        if (rate.held > 0)
            log_write("%u raster size changes not logged\n", (unsigned)rate.held);
        rate.held = 0;
        log_write("update viewport resolution to %i %i (%i HZ)\n", raster_w, raster_h,
                  ox_video_get_framerate());
    }
    if (frame_texture) {
        SDL_DestroyTexture(frame_texture);
        frame_texture = nullptr;
    }
    if (renderer && raster_w > 0 && raster_h > 0)
        frame_texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                          SDL_TEXTUREACCESS_STREAMING, raster_w, raster_h);
    // Smoothing is linear scaling on the renderer path only; on the GL path it is the TV
    // effect, which reads the picture's own pixels.
    bool linear = settings.smoothing && !gl_path;
    if (frame_texture) {
        SDL_SetTextureScaleMode(frame_texture, linear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        // Opaque on both paths: the background is drawn only around it.
        SDL_SetTextureBlendMode(frame_texture, SDL_BLENDMODE_NONE);
    }
    frame_buffer_grow(&pixels, &pixels_size, raster_w, raster_h);
    if (pixels)
        memset(pixels, 0, pixels_size);
    if (frame_texture && frame_buffer_fits(pixels_size, raster_w, raster_h))
        SDL_UpdateTexture(frame_texture, nullptr, pixels, raster_w * 4);
}

void GameState::release()
{
    if (core_started)
        ox_core_shut();
    core_started = false;
    free(pixels);
    pixels = nullptr;
    pixels_size = 0;
    if (frame_texture)
        SDL_DestroyTexture(frame_texture);
    if (back_texture)
        SDL_DestroyTexture(back_texture);
    if (splash_texture)
        SDL_DestroyTexture(splash_texture);
    frame_texture = back_texture = splash_texture = nullptr;
    back_copy_release();
    if (renderer)
        SDL_DestroyRenderer(renderer);
    renderer = nullptr;
    if (window)
        SDL_DestroyWindow(window);
    window = nullptr;
    if (select_sound.buffer)
        SDL_FreeWAV(select_sound.buffer);
    select_sound.buffer = nullptr;
    if (hover_sound.buffer)
        SDL_FreeWAV(hover_sound.buffer);
    hover_sound.buffer = nullptr;
}
