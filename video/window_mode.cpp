#include "video/window_mode.h"

#include <SDL.h>

#include "base/platform.h"
#include "config/settings.h"
#include "record/ox_core.h"
#include "record/gamestate.h"
#include "xgui/xgui.h"

// Largest window side: beyond any display, and small enough that an absurd screen size from
// the component or scale from res/conf neither overflows nor asks for a giant surface.
#define WINDOW_MAX_SIDE 8192

static int32_t windowed_side(int screen, int scale)
{
    int64_t side = (int64_t)screen * scale;
    return (int32_t)SDL_clamp(side, (int64_t)1, (int64_t)WINDOW_MAX_SIDE);
}

// Windowed size: the component's current screen size times the scale setting.
static void set_windowed_size(void)
{
    gamestate.window_w = windowed_side(ox_video_get_screen_width(), settings.scale);
    gamestate.window_h = windowed_side(ox_video_get_screen_height(), settings.scale);
    SDL_SetWindowSize(gamestate.window, gamestate.window_w, gamestate.window_h);
    SDL_SetWindowPosition(gamestate.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void GameState::apply_video_settings()
{
    recreate_frame_texture();
    set_windowed_size();
    apply_window_mode();
}

void apply_window_mode(void)
{
    update_cursor();
    if (settings.fullscreen) {
        SDL_SetWindowFullscreen(gamestate.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_GetWindowSize(gamestate.window, &gamestate.window_w, &gamestate.window_h);
    } else {
        SDL_SetWindowFullscreen(gamestate.window, 0);
        set_windowed_size();
    }
}

void set_fullscreen(bool on)
{
    settings.fullscreen = on;
    settings_save();
    gamestate.apply_video_settings();
}

void update_cursor(void)
{
    platform_show_cursor(xgui_is_open() || !settings.fullscreen);
}
