#include "app/events.h"

#include <stdint.h>

#include "app/away.h"
#include "app/pacing.h"
#include "app/splash.h"
#include "config/settings.h"
#include "game/running.h"
#include "slots/slots.h"
#include "input/capture.h"
#include "input/input.h"
#include "input/pads.h"
#include "video/screenshot.h"
#include "video/video.h"
#include "video/window_mode.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "ui/pages.h"
#include "ui/slot_ops.h"
#include "xgui/xgui.h"

#define GUIDE_BUTTON 10

bool map_pointer(int x, int y, int out_w, int out_h, int *px, int *py)
{
    // The overlay's own inverse mapping, so pointer and drawing can never disagree.
    return xgui_unmap_point(out_w, out_h, x, y, px, py);
}

// ---------------------------------------------------------------------------------------
// Keys

// Adds the keys of mod's left and right bits to hot's keys.
static void add_modifiers(Hotkey &hot, uint16_t mod, uint16_t left, SDL_Scancode left_key,
                          uint16_t right, SDL_Scancode right_key)
{
    if (mod & left)
        hot.keys[hot.key_count++] = left_key;
    if (mod & right)
        hot.keys[hot.key_count++] = right_key;
}

Hotkey hotkey_of(SDL_Scancode code, uint16_t mod, bool repeat)
{
    Hotkey hot = {HOTKEY_NONE, 0, 1, {code}};
    if (repeat)
        return hot;
    if (code == SDL_SCANCODE_RETURN && (mod & KMOD_ALT)) {
        hot.action = HOTKEY_FULLSCREEN;
        add_modifiers(hot, mod, KMOD_LALT, SDL_SCANCODE_LALT, KMOD_RALT, SDL_SCANCODE_RALT);
    } else if (code == SDL_SCANCODE_ESCAPE) {
        hot.action = HOTKEY_MENU;
    } else if (code == SDL_SCANCODE_PAUSE) {
        hot.action = HOTKEY_PAUSE;
    } else if (code == SCREENSHOT_KEY) {
        hot.action = HOTKEY_SCREENSHOT;
    } else if (code >= SDL_SCANCODE_F1 && code < SDL_SCANCODE_F1 + SLOTS_COUNT) {
        hot.slot = code - SDL_SCANCODE_F1;
        hot.action = (mod & KMOD_SHIFT) ? HOTKEY_SAVE : HOTKEY_LOAD;
        add_modifiers(hot, mod, KMOD_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_RSHIFT, SDL_SCANCODE_RSHIFT);
    }
    return hot;
}

bool hotkey_acts(const Hotkey &hot, int32_t capture_row, int32_t captured_key)
{
    if (hot.action == HOTKEY_NONE || (capture_row >= 0 && hot.action != HOTKEY_MENU))
        return false;
    for (int i = 1; i < hot.key_count; i++)
        if (hot.keys[i] == captured_key)
            return false;
    return true;
}

// The splash was up when the event being handled came: a press that skips it takes no
// screenshot of the picture behind it.
static bool splash_up;

static void screenshot_control(void)
{
    if (!splash_up)
        screenshot_take();
}

static void handle_key(const SDL_KeyboardEvent &key)
{
    const Hotkey hot = hotkey_of(key.keysym.scancode, key.keysym.mod, key.repeat != 0);
    if (hot.action != HOTKEY_FULLSCREEN && menu_nav_key(key))
        return;
    if (!hotkey_acts(hot, capture_row(), capture_held_key()))
        return;
    // The keys of a hotkey are the player's, not the game's (Alt+Return held the game's Start).
    for (int i = 0; i < hot.key_count; i++)
        input_hold_back_key(hot.keys[i]);
    switch (hot.action) {
    case HOTKEY_FULLSCREEN:
        set_fullscreen(!settings.fullscreen);
        break;
    case HOTKEY_MENU:
        if (capture_row() >= 0)
            keys_page_cancel_capture();
        else
            menu_toggle();
        break;
    case HOTKEY_PAUSE:
        // With the menu open too: the game then runs behind it, to try a binding live.
        running_set_paused(!running_paused());
        break;
    case HOTKEY_LOAD:
    case HOTKEY_SAVE:
        slot_op_noticed(hot.slot, hot.action == HOTKEY_SAVE);
        break;
    case HOTKEY_SCREENSHOT:
        screenshot_control();
        break;
    case HOTKEY_NONE:
        break;
    }
}

// ---------------------------------------------------------------------------------------
// Pointer

static Pointer pointer;

Pointer pointer_take(void)
{
    const Pointer taken = pointer;
    pointer.clicked = false;
    return taken;
}

static void handle_motion(const SDL_MouseMotionEvent &motion)
{
    // The size the overlay is drawn at, in full screen too: that is the size of the display
    // the window is on, which need not be the first display's.
    int32_t window_w = 0, window_h = 0;
    video_window_size(&window_w, &window_h);
    map_pointer(motion.x, motion.y, window_w, window_h, &pointer.x, &pointer.y);
}

static void handle_button(const SDL_MouseButtonEvent &button)
{
    if (button.button == SDL_BUTTON_LEFT)
        pointer.clicked = true;
    else if (button.button == SDL_BUTTON_RIGHT)
        menu_toggle();
}

// ---------------------------------------------------------------------------------------
// Joysticks

// A pad's control: SDL's standard button of a game controller (controller_event), or the raw
// button of a joystick SDL does not know as one, on a pad in use.
static bool pad_control(bool controller_event, int32_t button, bool controller, bool in_slot, int32_t standard,
                        int32_t raw)
{
    if (!in_slot)
        return false;
    if (controller_event)
        return button == standard;
    return button == raw && !controller;
}

bool menu_pad_button(bool guide, bool controller_event, int32_t button, bool controller, bool in_slot)
{
    return guide && pad_control(controller_event, button, controller, in_slot, SDL_CONTROLLER_BUTTON_GUIDE,
                                GUIDE_BUTTON);
}

bool screenshot_pad_button(bool controller_event, int32_t button, bool controller, bool in_slot)
{
    return pad_control(controller_event, button, controller, in_slot, SDL_CONTROLLER_BUTTON_RIGHTSTICK,
                       SCREENSHOT_PAD_BUTTON);
}

static void joystick_button(const SDL_JoyButtonEvent &button)
{
    const bool controller = SDL_GameControllerFromInstanceID(button.which) != nullptr;
    const bool in_slot = pad_slot_of(button.which) >= 0;
    if (menu_pad_button(settings.guide, false, button.button, controller, in_slot))
        menu_toggle();
    if (screenshot_pad_button(false, button.button, controller, in_slot))
        screenshot_control();
}

static void controller_button(const SDL_ControllerButtonEvent &button)
{
    const bool in_slot = pad_slot_of(button.which) >= 0;
    if (menu_pad_button(settings.guide, true, button.button, true, in_slot))
        menu_toggle();
    if (screenshot_pad_button(true, button.button, true, in_slot))
        screenshot_control();
}

void handle_event(const SDL_Event &event)
{
    away_event(event);
    splash_up = video_splash_frames() != 0;
    splash_event(event);
    switch (event.type) {
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            window_size_changed(event.window.data1, event.window.data2);
        // Another display, or another mode of it, may have another refresh rate.
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
            event.window.event == SDL_WINDOWEVENT_DISPLAY_CHANGED)
            pacing_display_changed();
        break;
    case SDL_DISPLAYEVENT:
        pacing_display_changed();
        break;
    case SDL_QUIT:
        running_set_quit(true);
        break;
    case SDL_KEYDOWN:
        handle_key(event.key);
        break;
    case SDL_KEYUP:
        menu_nav_key(event.key);
        break;
    case SDL_MOUSEMOTION:
        handle_motion(event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
        handle_button(event.button);
        break;
    case SDL_JOYBUTTONDOWN:
        joystick_button(event.jbutton);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
        controller_button(event.cbutton);
        break;
    case SDL_JOYDEVICEADDED:
        pads_joystick_added(event.jdevice.which);
        break;
    case SDL_JOYDEVICEREMOVED:
        pads_joystick_removed(event.jdevice.which);
        break;
    case SDL_CONTROLLERDEVICEADDED:
        pads_controller_added(event.cdevice.which);
        break;
    default:
        break;
    }
}
