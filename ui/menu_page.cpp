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
// The save slots' row: one cell a slot, the preview at its left with "Load" above "Save" to
// its right, and a line under the preview kept for a short text about the slot.
#define MENU_SLOT_X0 360           // left of slot 0's cell; each further cell 400 to the right
#define MENU_SLOT_PITCH 400
#define MENU_SLOT_GAP 20           // between a cell's parts, and kept free at a cell's right
#define MENU_PREVIEW_Y 760         // the preview box's top, under the last items (y 700)
#define MENU_PREVIEW_W 256
#define MENU_PREVIEW_H 224

#define MENU_LATENCY_Y0 450         // "Sound 32 ms", beside "Fullscreen"; each further step lower
#define MENU_LATENCY_PITCH 50
#define MENU_LESS_LAG_Y 350         // beside "Quit"

const int32_t MENU_LATENCY_MS[MENU_LATENCY_STEPS] = {
    SETTINGS_DEFAULT_LATENCY_MS, 64, 125, SETTINGS_MAX_LATENCY_MS,
};

SlotPlaces slot_places(int slot)
{
    SlotPlaces p;
    const int32_t left = MENU_SLOT_X0 + MENU_SLOT_PITCH * slot;
    p.preview = {left, MENU_PREVIEW_Y, MENU_PREVIEW_W, MENU_PREVIEW_H};
    p.load_x = p.save_x = left + MENU_PREVIEW_W + MENU_SLOT_GAP;
    p.load_y = MENU_PREVIEW_Y;
    p.save_y = MENU_PREVIEW_Y + MENU_PREVIEW_H - MENU_LINE_H;
    p.text_line = {left, MENU_PREVIEW_Y + MENU_PREVIEW_H + MENU_SLOT_GAP / 2,
                   MENU_SLOT_PITCH - MENU_SLOT_GAP, MENU_LINE_H};
    return p;
}

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
        const SlotPlaces p = slot_places(n);
        m.slot_picture[n] = xgui_add(XGUI_PICTURE, MENU_PAGE, p.preview.x + p.preview.w / 2,
                                     p.preview.y + p.preview.h / 2, "", 0);
        m.slot_load[n] = xgui_add(XGUI_BUTTON, MENU_PAGE, p.load_x, p.load_y, "Load", 0);
        m.slot_save[n] = xgui_add(XGUI_BUTTON, MENU_PAGE, p.save_x, p.save_y, "Save", 0);
        m.slot_time[n] = xgui_add(XGUI_LABEL, MENU_PAGE, p.text_line.x + p.text_line.w / 2,
                                  p.text_line.y, "Empty", XGUI_ALIGN_CENTRE);
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
