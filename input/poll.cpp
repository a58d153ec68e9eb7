#include <SDL.h>

#include "config/settings.h"
#include "input/pads.h"
#include "record/ox_core.h"
#include "input/input.h"
#include "input/capture.h"
#include "input/labels.h"
#include "input/pad_nav.h"

const uint8_t *(*input_keyboard_state)(int *numkeys) = SDL_GetKeyboardState;

static bool key_down(const uint8_t *keys, int numkeys, int32_t code)
{
    return keys && code >= 0 && code < numkeys && keys[code] != 0;
}

int32_t controller_hat(bool up, bool down, bool left, bool right, int32_t x, int32_t y)
{
    int32_t mask = SDL_HAT_CENTERED;
    if (up || axis_side(y, 0) < 0)
        mask |= SDL_HAT_UP;
    if (down || axis_side(y, 0) > 0)
        mask |= SDL_HAT_DOWN;
    if (left || axis_side(x, 0) < 0)
        mask |= SDL_HAT_LEFT;
    if (right || axis_side(x, 0) > 0)
        mask |= SDL_HAT_RIGHT;
    return mask;
}

// Where a game controller's d-pad and left stick point, as a hat: several pads report their
// d-pad as buttons and have no hat, so the default hat bindings alone would never move them.
// 0 for a joystick SDL does not know as a game controller.
static int32_t controller_directions(SDL_Joystick *joy)
{
    SDL_GameController *c = SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(joy));
    if (!c)
        return SDL_HAT_CENTERED;
    auto down = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
    return controller_hat(down(SDL_CONTROLLER_BUTTON_DPAD_UP), down(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                          down(SDL_CONTROLLER_BUTTON_DPAD_LEFT), down(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
                          SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
                          SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY));
}

bool input_poll_binding(Binding &binding, bool capture)
{
    int numkeys = 0;
    const uint8_t *keys = input_keyboard_state(&numkeys);

    if (capture) {
        binding = Binding{};
        int last = numkeys < INPUT_CAPTURE_KEYS ? numkeys : INPUT_CAPTURE_KEYS;
        for (int s = 0; s < last; s++) {
            if (key_down(keys, numkeys, s)) {
                binding.type = BIND_KEY;
                binding.code = s;
                return true;
            }
        }
    } else if (binding.type == BIND_KEY && key_down(keys, numkeys, binding.code)) {
        return true;
    }

    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        SDL_Joystick *joy = pad_joystick(j);
        if (!joy || !SDL_JoystickGetAttached(joy))
            continue;
        bool this_joy = binding.joyid == j;

        int axes = SDL_JoystickNumAxes(joy);
        for (int a = 0; a < axes; a++) {
            const int side = joystick_axis_side(joy, a);
            if (side == 0)
                continue;
            const bool negative = side < 0;
            const int32_t v = SDL_JoystickGetAxis(joy, a);
            if (capture) {
                binding.type = BIND_AXIS;
                binding.joyid = j;
                binding.axis = a;
                binding.value = negative ? BIND_AXIS_NEGATIVE : BIND_AXIS_POSITIVE;
                return true;
            }
            // The side is the raw value's sign, not its side of the initial state: a trigger
            // resting at -32768 and bound positive is active only beyond 0.
            if (binding.type == BIND_AXIS && this_joy && binding.axis == a &&
                ((v < 0 && (binding.value & BIND_AXIS_NEGATIVE)) ||
                 (v > 0 && (binding.value & BIND_AXIS_POSITIVE))))
                return true;
        }

        int hats = SDL_JoystickNumHats(joy);
        for (int h = 0; h < hats; h++) {
            int32_t mask = SDL_JoystickGetHat(joy, h);
            if (mask == SDL_HAT_CENTERED)
                continue;
            if (capture) {
                binding.type = BIND_HAT;
                binding.joyid = j;
                binding.axis = h;
                binding.value = mask;
                return true;
            }
            if (binding.type == BIND_HAT && this_joy && binding.axis == h && (binding.value & mask))
                return true;
        }
        // The first hat only: a second hat is rarely the d-pad.
        if (!capture && binding.type == BIND_HAT && this_joy && binding.axis == 0 &&
            (binding.value & controller_directions(joy)))
            return true;

        int buttons = SDL_JoystickNumButtons(joy);
        if (buttons > INPUT_JOY_BUTTONS)
            buttons = INPUT_JOY_BUTTONS;
        for (int b = 0; b < buttons; b++) {
            if (!SDL_JoystickGetButton(joy, b))
                continue;
            if (capture) {
                binding.type = BIND_BUTTON;
                binding.joyid = j;
                binding.value = b;
                return true;
            }
            if (binding.type == BIND_BUTTON && this_joy && binding.value == b)
                return true;
        }
    }
    return false;
}

// The key the last capture took, or -1.
static int32_t captured_key = -1;

bool input_key_still_captured(int32_t scancode)
{
    if (scancode < 0 || scancode != captured_key)
        return false;
    Binding key = {BIND_KEY, scancode, 0, 0, 0};
    if (input_poll_binding(key, false))
        return true;
    captured_key = -1;
    return false;
}

// Stores a captured control into the waiting cell, writes res/conf and ends the capture.
static void finish_capture(const Binding &found)
{
    captured_key = found.type == BIND_KEY ? found.code : -1;
    if (capture_button < input_button_count() && capture_slot >= 0 && capture_slot < MAX_SLOTS) {
        settings.bindings[edited_player()][capture_button][capture_slot] = found;
        settings_save();
    }
    capture_button = -1;
    bindings_refresh_labels();
}

// Bindings whose control was down when the menu closed: the press that closed it (Return
// or A on "Play", B) was meant for the menu; and those on a key that made a hotkey. Each
// reads as released until let go.
static bool held_back[MAX_PLAYERS][MAX_BUTTONS][MAX_SLOTS];

void input_hold_back_held(void)
{
    for (int p = 0; p < MAX_PLAYERS; p++)
        for (int b = 0; b < MAX_BUTTONS; b++)
            for (int s = 0; s < MAX_SLOTS; s++)
                held_back[p][b][s] = input_poll_binding(settings.bindings[p][b][s], false);
}

void input_hold_back_key(int32_t scancode)
{
    for (int p = 0; p < MAX_PLAYERS; p++)
        for (int b = 0; b < MAX_BUTTONS; b++)
            for (int s = 0; s < MAX_SLOTS; s++) {
                const Binding &binding = settings.bindings[p][b][s];
                if (binding.type == BIND_KEY && binding.code == scancode)
                    held_back[p][b][s] = true;
            }
}

static bool binding_active(int player, int button, int slot)
{
    Binding &binding = settings.bindings[player][button][slot];
    bool down = input_poll_binding(binding, false);
    if (!down)
        held_back[player][button][slot] = false;
    return down && !held_back[player][button][slot] && !pad_nav_hides(binding);
}

bool input_step(bool hidden)
{
    // Checked every pass, so a captured key let go and pressed again is no longer the capture's.
    input_key_still_captured(captured_key);
    if (capture_button >= 0) {
        Binding found = {};
        if (capture_held() || !input_poll_binding(found, true))
            return false;
        finish_capture(found);
        return true;
    }
    int players = input_player_count();
    int buttons = input_button_count();
    for (int p = 0; p < players; p++) {
        for (int b = 0; b < buttons; b++) {
            // Both slots are read every frame, even when the first is already active. The
            // menu's Back+Start pair, held together while the guide setting is on, never reaches
            // the game.
            bool first = binding_active(p, b, 0);
            bool second = binding_active(p, b, 1);
            ox_button_set_state(p, b, (first || second) && !hidden);
        }
    }
    return false;
}
