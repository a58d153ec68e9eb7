#include "app/events.h"

#include <stdint.h>

#include "config/settings.h"
#include "host/state.h"
#include "input/capture.h"
#include "record/gamestate.h"
#include "video/window_mode.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

#define GUIDE_BUTTON 10

bool map_pointer(int x, int y, int out_w, int out_h, int *px, int *py)
{
    // The overlay's own inverse mapping, so pointer and drawing can never disagree.
    return xgui_unmap_point(out_w, out_h, x, y, px, py);
}

// ---------------------------------------------------------------------------------------
// Keys

static void handle_key(const SDL_KeyboardEvent &key)
{
    SDL_Scancode code = key.keysym.scancode;
    bool alt_return = code == SDL_SCANCODE_RETURN && (key.keysym.mod & KMOD_ALT);
    if (!alt_return && menu_nav_key(key))
        return;
    // While a binding cell waits, the key pressed is the binding: a slot loaded over the
    // game, a slot overwritten or the game set running behind the menu would come with it.
    // Escape alone keeps its meaning, to call the wait off.
    if (capture_button >= 0 && code != SDL_SCANCODE_ESCAPE)
        return;
    if (code == SDL_SCANCODE_RETURN) {
        if (key.keysym.mod & KMOD_ALT)
            set_fullscreen(!settings.fullscreen);
    } else if (code == SDL_SCANCODE_ESCAPE) {
        if (capture_button >= 0) {
            keys_page_cancel_capture();
        } else {
            menu_toggle();
        }
    } else if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F9) {
        // F4 to F9 name slots that do not exist; state_slot_op ignores them.
        int slot = code - SDL_SCANCODE_F1;
        bool save = (key.keysym.mod & KMOD_SHIFT) != 0;
        state_slot_op(slot, save);
        // The menu's slot rows show the new preview and "Load", as after a save from the menu.
        if (save && slot < STATE_SLOTS)
            slot_rows_refresh();
    } else if (code == SDL_SCANCODE_PAUSE && !xgui_is_open()) {
        // The open menu holds the game paused: running behind it, the game would take the
        // keys and pads that move through the menu as its own.
        gamestate.paused = !gamestate.paused;
    }
}

// ---------------------------------------------------------------------------------------
// Pointer

static void handle_motion(const SDL_MouseMotionEvent &motion)
{
    // The size the overlay is drawn at, in full screen too: that is the size of the display
    // the window is on, which need not be the first display's.
    map_pointer(motion.x, motion.y, gamestate.window_w, gamestate.window_h, &gamestate.pointer_x,
                &gamestate.pointer_y);
}

static void handle_button(const SDL_MouseButtonEvent &button)
{
    if (button.button == SDL_BUTTON_LEFT)
        gamestate.pointer_clicked = 1;
    else if (button.button == SDL_BUTTON_RIGHT)
        menu_toggle();
}

// ---------------------------------------------------------------------------------------
// Joysticks: slot = device index when added, unless another pad in use holds it, for the
// first four devices.

static void handle_guide(void)
{
    if (!settings.guide)
        return;
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *joystick = gamestate.joysticks[slot];
        if (joystick && SDL_JoystickGetAttached(joystick)
            && SDL_JoystickGetButton(joystick, GUIDE_BUTTON)) {
            menu_toggle();
            return;
        }
    }
}

// Whether a slot holds, in either table, a pad that is still attached and is not the device
// being added.
static bool slot_taken(int slot, SDL_JoystickID adding)
{
    SDL_Joystick *j = gamestate.joysticks[slot];
    if (j && SDL_JoystickGetAttached(j) && SDL_JoystickInstanceID(j) != adding)
        return true;
    SDL_GameController *c = gamestate.controllers[slot];
    return c && SDL_GameControllerGetAttached(c) &&
           SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) != adding;
}

// The slot for the device added at `index`: that slot, unless it holds another pad still in
// use. Device indexes move down when an earlier pad leaves, so a pad plugged in again is
// added at an index whose slot may belong to a pad still played with; closing that one would
// cut its player off. The new pad then takes the first slot free or left by a departed pad,
// which is the one it left. Both tables count, so a pad's joystick and controller land in
// one slot whichever of their two events comes first: the pads are read slot by slot, a
// controller in place of its slot's joystick. -1 when all four are in use.
static int slot_for_device(int index)
{
    const SDL_JoystickID adding = SDL_JoystickGetDeviceInstanceID(index);
    if (!slot_taken(index, adding))
        return index;
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++)
        if (!slot_taken(slot, adding))
            return slot;
    return -1;
}

static void joystick_added(int index)
{
    if (index < 0 || index >= MAX_JOYSTICKS)
        return;
    const int slot = slot_for_device(index);
    if (slot < 0)
        return;
    if (gamestate.joysticks[slot])
        SDL_JoystickClose(gamestate.joysticks[slot]);
    gamestate.joysticks[slot] = SDL_JoystickOpen(index);
}

// A removal names the joystick's instance id, not a device index, so the slot is found by
// the handle it holds: closing slot[id] would close another, still attached joystick.
static void joystick_removed(SDL_JoystickID id)
{
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *joystick = gamestate.joysticks[slot];
        if (joystick && SDL_JoystickInstanceID(joystick) == id) {
            SDL_JoystickClose(joystick);
            gamestate.joysticks[slot] = nullptr;
            return;
        }
    }
}

static void controller_added(int index)
{
    if (index < 0 || index >= MAX_JOYSTICKS)
        return;
    const int slot = slot_for_device(index);
    if (slot < 0)
        return;
    if (gamestate.controllers[slot])
        SDL_GameControllerClose(gamestate.controllers[slot]);
    gamestate.controllers[slot] = SDL_GameControllerOpen(index);
}

void handle_event(const SDL_Event &event)
{
    switch (event.type) {
    case SDL_QUIT:
        gamestate.quit = true;
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
        handle_guide();
        break;
    case SDL_JOYDEVICEADDED:
        joystick_added(event.jdevice.which);
        break;
    case SDL_JOYDEVICEREMOVED:
        joystick_removed(event.jdevice.which);
        break;
    case SDL_CONTROLLERDEVICEADDED:
        controller_added(event.cdevice.which);
        break;
    default:
        break;
    }
}
