#include "video/window_mode.h"

#include <stdio.h>

#include <SDL.h>

#include "base/log.h"
#include "base/platform.h"
#include "config/settings.h"
#include "video/picture_shape.h"
#include "video/video.h"
#include "video/video_state.h"
#include "base/notice.h"
#include "xgui/xgui.h"

// Largest window side: beyond any display, and small enough that an absurd screen size from
// the component or scale from res/conf neither overflows nor asks for a giant surface.
#define WINDOW_MAX_SIDE 8192

// A picture larger than the display at 1x still gets a window no larger than the display.
static int32_t windowed_side(int64_t side, int64_t room)
{
    return (int32_t)SDL_clamp(side, (int64_t)1, SDL_min(room, (int64_t)WINDOW_MAX_SIDE));
}

int32_t window_fit_scale(int32_t setting, int64_t room_w, int64_t room_h, int screen_w, int screen_h, bool tv)
{
    int32_t scale = setting;
    if (screen_w > 0 && screen_h > 0)
        scale = (int32_t)SDL_min((int64_t)scale, shaped_fit(screen_w, screen_h, room_w, room_h, tv));
    return SDL_max(scale, SDL_min(setting, 1));   // at least 1x; a setting below is kept
}

// The window last sized and centred while windowed, and that size; forgotten whenever the
// window enters or leaves full screen. Sizing and centring a window again at the size it
// has changes nothing but waits for the window manager (up to 100 ms each on X11), which
// start-up would pay twice more after the first sizing.
static SDL_Window *placed_window;
static int32_t placed_w, placed_h;

// The scale setting, or the largest whole multiple below it whose window fits the usable
// area of the window's display less the window's borders (where SDL knows them): a larger
// window is centred with its title bar above the screen and its picture cut. The setting is
// kept, so a larger display gives the chosen size again.
// room_w, room_h: that area, or WINDOW_MAX_SIDE where SDL does not know it.
static int32_t fitting_scale(int screen_w, int screen_h, int64_t *room_w, int64_t *room_h)
{
    *room_w = *room_h = WINDOW_MAX_SIDE;
    SDL_Rect usable;
    SDL_Window *window = video_state().window;
    int display = window ? SDL_GetWindowDisplayIndex(window) : 0;
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &usable) != 0)
        return settings.scale;
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!window || SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0)
        top = left = bottom = right = 0;
    *room_w = SDL_max((int64_t)usable.w - left - right, (int64_t)1);
    *room_h = SDL_max((int64_t)usable.h - top - bottom, (int64_t)1);
    return window_fit_scale(settings.scale, *room_w, *room_h, screen_w, screen_h, settings.shape);
}

bool fit_news(int32_t setting, int32_t scale, int32_t *told_setting, int32_t *told_scale)
{
    if (scale == setting) {
        *told_setting = *told_scale = 0;
        return false;
    }
    if (setting == *told_setting && scale == *told_scale)
        return false;
    *told_setting = setting;
    *told_scale = scale;
    return true;
}

// A setting that does not fit is told once, in the log and in a notice, however often the
// window is sized for it (start-up and every mode change size it twice or more).
static void tell_fit(int32_t scale)
{
    static int32_t told_setting, told_scale;
    if (!fit_news(settings.scale, scale, &told_setting, &told_scale))
        return;
    log_write("window %ix does not fit the display: %ix\n", (int)settings.scale, (int)scale);
    char text[NOTICE_TEXT_SIZE];
    snprintf(text, sizeof text, "Window %dx does not fit: %dx", (int)settings.scale, (int)scale);
    notice_show(text);
}

// Windowed size: the component's current screen height times the scale that fits, and the
// width of the picture's shape at that height.
static void set_windowed_size(void)
{
    VideoState &v = video_state();
    const int screen_w = v.screen_w;
    const int screen_h = v.screen_h;
    int64_t room_w, room_h;
    const int32_t scale = fitting_scale(screen_w, screen_h, &room_w, &room_h);
    v.window_scale = scale;
    const int64_t height = (int64_t)screen_h * scale;
    v.window_w = windowed_side(shaped_width(screen_w, screen_h, height, settings.shape), room_w);
    v.window_h = windowed_side(height, room_h);
    if (placed_window && placed_window == v.window && placed_w == v.window_w && placed_h == v.window_h)
        return;
    SDL_SetWindowSize(v.window, v.window_w, v.window_h);
    SDL_SetWindowPosition(v.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    placed_window = v.window;
    placed_w = v.window_w;
    placed_h = v.window_h;
}

void video_apply_settings(void)
{
    video_recreate_frame_texture();
    set_windowed_size();
    apply_window_mode();
}

void apply_window_mode(void)
{
    VideoState &v = video_state();
    update_cursor();
    if (settings.fullscreen) {
        SDL_SetWindowFullscreen(v.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        SDL_GetWindowSize(v.window, &v.window_w, &v.window_h);
        placed_window = nullptr;
    } else {
        bool was_fullscreen = v.window && (SDL_GetWindowFlags(v.window) & SDL_WINDOW_FULLSCREEN) != 0;
        SDL_SetWindowFullscreen(v.window, 0);
        if (was_fullscreen)
            placed_window = nullptr;
        set_windowed_size();
        tell_fit(v.window_scale);
    }
}

void set_fullscreen(bool on)
{
    settings.fullscreen = on;
    settings_save();
    video_apply_settings();
}

void update_cursor(void)
{
    platform_show_cursor(xgui_is_open() || !settings.fullscreen);
}

void window_size_changed(int w, int h)
{
    if (w <= 0 || h <= 0)
        return;
    video_state().window_w = w;
    video_state().window_h = h;
    // A window no longer of the size it was placed at is sized again by the next windowed mode.
    if (w != placed_w || h != placed_h)
        placed_window = nullptr;
}

int32_t video_window_scale(void)
{
    return settings.fullscreen ? 0 : video_state().window_scale;
}
