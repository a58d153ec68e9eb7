#include "input/pad_nav.h"

#include <SDL.h>

#include "config/settings.h"
#include "input/pads.h"

// One reading of every pad.
struct PadReading {
    uint32_t direction;   // one of NAV_UP .. NAV_RIGHT, or 0
    bool accept, back;
    bool chord[MAX_JOYSTICKS];
};

static uint32_t held_direction;
static uint64_t next_repeat_ms;
static bool accept_held, back_held;
static bool chord_timing[MAX_JOYSTICKS];
static uint64_t chord_since_ms[MAX_JOYSTICKS];
static bool chord_fired[MAX_JOYSTICKS];

// Vertical before horizontal, so a diagonal moves up or down.
static uint32_t direction_of(bool up, bool down, bool left, bool right)
{
    if (up)
        return NAV_UP;
    if (down)
        return NAV_DOWN;
    if (left)
        return NAV_LEFT;
    return right ? NAV_RIGHT : 0;
}

static bool controller_live(SDL_GameController *c)
{
    return c && SDL_GameControllerGetAttached(c);
}

static void read_controller(SDL_GameController *c, PadReading &r, int slot)
{
    auto down = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
    int32_t x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    int32_t y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    uint32_t d = direction_of(down(SDL_CONTROLLER_BUTTON_DPAD_UP),
                              down(SDL_CONTROLLER_BUTTON_DPAD_DOWN),
                              down(SDL_CONTROLLER_BUTTON_DPAD_LEFT),
                              down(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    if (!d)
        d = direction_of(axis_side(y, 0) < 0, axis_side(y, 0) > 0, axis_side(x, 0) < 0,
                         axis_side(x, 0) > 0);
    if (!r.direction)
        r.direction = d;
    r.accept = r.accept || down(SDL_CONTROLLER_BUTTON_A);
    r.back = r.back || down(SDL_CONTROLLER_BUTTON_B);
    // The "Guide" switch turns the chord off with the guide button, so a game's own
    // Select+Start reaches it.
    r.chord[slot] = settings.guide && down(SDL_CONTROLLER_BUTTON_BACK) && down(SDL_CONTROLLER_BUTTON_START);
}

static void read_joystick(SDL_Joystick *joy, PadReading &r)
{
    uint32_t hats = 0;
    for (int h = 0; h < SDL_JoystickNumHats(joy); h++)
        hats |= SDL_JoystickGetHat(joy, h);
    uint32_t d = direction_of(hats & SDL_HAT_UP, hats & SDL_HAT_DOWN, hats & SDL_HAT_LEFT,
                              hats & SDL_HAT_RIGHT);
    if (!d) {
        int x = joystick_axis_side(joy, 0), y = joystick_axis_side(joy, 1);
        d = direction_of(y < 0, y > 0, x < 0, x > 0);
    }
    if (!r.direction)
        r.direction = d;
    r.accept = r.accept || SDL_JoystickGetButton(joy, 0);
    r.back = r.back || SDL_JoystickGetButton(joy, 1);
}

static PadReading read_pads(void)
{
    PadReading r = {};
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        if (controller_live(pad_controller(j))) {
            read_controller(pad_controller(j), r, j);
            continue;
        }
        SDL_Joystick *joy = pad_joystick(j);
        if (!joy || !SDL_JoystickGetAttached(joy))
            continue;
        // A game controller is read through its own slot, by its standard names.
        if (SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(joy)))
            continue;
        read_joystick(joy, r);
    }
    return r;
}

uint32_t pad_nav_poll(uint64_t now_ms)
{
    PadReading r = read_pads();
    uint32_t commands = 0;
    if (r.direction != held_direction) {
        held_direction = r.direction;
        commands |= r.direction;
        next_repeat_ms = now_ms + NAV_REPEAT_DELAY_MS;
    } else if (held_direction && now_ms >= next_repeat_ms) {
        commands |= held_direction;
        // A late pass repeats once, not once for every period it missed.
        while (next_repeat_ms <= now_ms)
            next_repeat_ms += NAV_REPEAT_PERIOD_MS;
    }
    if (r.accept && !accept_held)
        commands |= NAV_ACCEPT;
    if (r.back && !back_held)
        commands |= NAV_BACK;
    accept_held = r.accept;
    back_held = r.back;
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        if (!r.chord[j]) {
            chord_timing[j] = false;
            chord_fired[j] = false;
            continue;
        }
        if (!chord_timing[j]) {
            chord_timing[j] = true;
            chord_since_ms[j] = now_ms;
        }
        if (!chord_fired[j] && now_ms - chord_since_ms[j] >= NAV_CHORD_MS) {
            chord_fired[j] = true;
            commands |= NAV_MENU;
        }
    }
    return commands;
}

static bool bound_to_button(SDL_GameController *c, SDL_GameControllerButton button, int32_t index)
{
    SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForButton(c, button);
    return bind.bindType == SDL_CONTROLLER_BINDTYPE_BUTTON && bind.value.button == index;
}

bool pad_nav_hides(const Binding &binding)
{
    if (!settings.guide || binding.type != BIND_BUTTON || binding.joyid < 0 || binding.joyid >= MAX_JOYSTICKS)
        return false;
    SDL_Joystick *joy = pad_joystick(binding.joyid);
    if (!joy || !SDL_JoystickGetAttached(joy))
        return false;
    SDL_GameController *c = SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(joy));
    if (!c || !SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_BACK) ||
        !SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_START))
        return false;
    return bound_to_button(c, SDL_CONTROLLER_BUTTON_BACK, binding.value) ||
           bound_to_button(c, SDL_CONTROLLER_BUTTON_START, binding.value);
}
