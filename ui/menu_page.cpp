// Page 0 of the overlay: resume, reset, quit, window mode and picture options, the way to
// the change-keys page, and the three save slots with their previews.

#include <stdio.h>

#include <SDL.h>

#include "config/settings.h"
#include "rewind/runahead.h"
#include "game/game.h"
#include "game/running.h"
#include "core_api/ox_core.h"
#include "slots/slots.h"
#include "video/video.h"
#include "video/window_mode.h"
#include "ui/menu.h"
#include "ui/page_widgets.h"
#include "ui/slot_ops.h"
#include "ui/slot_time.h"
#include "xgui/xgui.h"

#define MENU_ITEM_X 425
#define MENU_CHANGE_KEYS_X 1495
#define MENU_SLOT_X0 720           // "Save" of slot 0; each further slot 380 to the right
#define MENU_SLOT_PITCH 380
#define MENU_PICTURE_DX (-140)     // preview centre from the slot's x
#define MENU_LOAD_DX (-280)
#define MENU_PICTURE_Y 900
#define MENU_LOAD_Y 780
#define MENU_SAVE_Y 980
#define MENU_TIME_Y 1030           // the slot's time, a line centred under its picture

#define MENU_LATENCY_Y0 450         // "Sound 32 ms", beside "Fullscreen"; each further step lower
#define MENU_LATENCY_PITCH 50
#define MENU_LESS_LAG_Y 350         // beside "Quit"

const int32_t MENU_LATENCY_MS[MENU_LATENCY_STEPS] = {
    SETTINGS_DEFAULT_LATENCY_MS, 64, 125, SETTINGS_MAX_LATENCY_MS,
};

static int32_t add_item(int32_t type, int32_t y, const char *text)
{
    return xgui_add(type, MENU_PAGE, MENU_ITEM_X, y, text, 0);
}

void menu_page_build(void)
{
    MenuWidgets &m = menu_widgets;
    m.play = add_item(XGUI_BUTTON, 250, "Play");
    m.reset = add_item(XGUI_CONFIRM, 300, "Reset");
    m.quit = add_item(XGUI_CONFIRM, 350, "Quit");
    m.shape = add_item(XGUI_TOGGLE, 400, "TV shape");
    m.fullscreen = add_item(XGUI_TOGGLE, 450, "Fullscreen");
    m.window[0] = add_item(XGUI_TOGGLE, 500, "Window 2x");
    m.window[1] = add_item(XGUI_TOGGLE, 550, "Window 3x");
    m.window[2] = add_item(XGUI_TOGGLE, 600, "Window 4x");
    // Chosen once: the presentation path does not change while the program runs.
    m.smooth = add_item(XGUI_TOGGLE, 650, video_gl_path() ? "TV effect" : "Smooth");
    m.stretch = add_item(XGUI_TOGGLE, 700, "Stretch");
    m.change_keys = xgui_add(XGUI_BUTTON, MENU_PAGE, MENU_CHANGE_KEYS_X, 650, "Change keys",
                             XGUI_ALIGN_RIGHT);
    for (int i = 0; i < MENU_LATENCY_STEPS; i++) {
        char text[32];
        snprintf(text, sizeof text, "Sound %i ms", (int)MENU_LATENCY_MS[i]);
        m.latency[i] = xgui_add(XGUI_TOGGLE, MENU_PAGE, MENU_CHANGE_KEYS_X,
                                MENU_LATENCY_Y0 + MENU_LATENCY_PITCH * i, text, XGUI_ALIGN_RIGHT);
    }
    m.focus_pause = xgui_add(XGUI_TOGGLE, MENU_PAGE, MENU_CHANGE_KEYS_X, 700, "Pause in background",
                             XGUI_ALIGN_RIGHT);
    m.less_lag = xgui_add(XGUI_TOGGLE, MENU_PAGE, MENU_CHANGE_KEYS_X, MENU_LESS_LAG_Y, "Less lag", XGUI_ALIGN_RIGHT);
    for (int n = 0; n < SLOTS_COUNT; n++) {
        int32_t x = MENU_SLOT_X0 + MENU_SLOT_PITCH * n;
        m.slot_picture[n] = xgui_add(XGUI_PICTURE, MENU_PAGE, x + MENU_PICTURE_DX,
                                     MENU_PICTURE_Y, "", 0);
        m.slot_load[n] = xgui_add(XGUI_BUTTON, MENU_PAGE, x + MENU_LOAD_DX, MENU_LOAD_Y,
                                  "Load", 0);
        m.slot_save[n] = xgui_add(XGUI_BUTTON, MENU_PAGE, x, MENU_SAVE_Y, "Save",
                                  XGUI_ALIGN_RIGHT);
        m.slot_time[n] = xgui_add(XGUI_LABEL, MENU_PAGE, x + MENU_PICTURE_DX, MENU_TIME_Y, "Empty",
                                  XGUI_ALIGN_CENTRE);
    }
}

void slot_rows_refresh(void)
{
    for (int n = 0; n < SLOTS_COUNT; n++) {
        char path[PATH_BUFFER_SIZE];
        // A name that does not fit is not formed (""), so the slot simply shows nothing.
        slots_path(path, sizeof path, n, 'P');
        xgui_set_picture(menu_widgets.slot_picture[n], video_renderer(), path);
        xgui_set_visible(menu_widgets.slot_load[n], slots_stored(n));
    }
    slot_times_refresh();
}

// The menu's one way to change a setting: set it, save the settings and, for the window and
// the picture, apply them (the sound and the focus rule read theirs as they go; the audio stream
// takes a new latency at its next push).
template <typename T> static void change_setting(T &field, T value, bool picture)
{
    field = value;
    settings_save();
    if (picture)
        video_apply_settings();
}

void menu_page_react(void)
{
    const MenuWidgets &m = menu_widgets;
    if (xgui_take(m.fullscreen))
        set_fullscreen(true);
    for (int i = 0; i < MENU_WINDOW_SCALES; i++) {
        if (!xgui_take(m.window[i]))
            continue;
        settings.fullscreen = false;
        change_setting(settings.scale, MENU_FIRST_WINDOW_SCALE + i, true);
    }
    const struct { int32_t widget; bool &field; bool picture; } toggles[] = {
        {m.smooth, settings.smoothing, true},
        {m.stretch, settings.stretch, true},
        {m.shape, settings.shape, true},
        {m.focus_pause, settings.focus_pause, false},
    };
    for (const auto &t : toggles)
        if (xgui_take(t.widget))
            change_setting(t.field, !t.field, t.picture);
    for (int i = 0; i < MENU_LATENCY_STEPS; i++)
        if (xgui_take(m.latency[i]))
            change_setting(settings.latency_ms, MENU_LATENCY_MS[i], false);
    // Run-ahead by one frame; a res/conf may ask for two (runahead=2).
    if (xgui_take(m.less_lag)) {
        settings.runahead = settings.runahead > 0 ? 0 : 1;
        settings_save();
        runahead_rearm();
    }
    if (xgui_take(m.play))
        menu_close();
    if (xgui_take(m.reset)) {
        game_reset();
        menu_close();
    }
    if (xgui_take(m.quit))
        running_set_quit(true);
    for (int n = 0; n < SLOTS_COUNT; n++) {
        if (xgui_take(m.slot_save[n]))
            slot_op_noticed(n, true);
        if (xgui_take(m.slot_load[n])) {
            slot_op_noticed(n, false);
            menu_close();
        }
    }
}
