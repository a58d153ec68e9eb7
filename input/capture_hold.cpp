// The controls held when a capture was asked for without a mouse, kept out of that capture.
#include <SDL.h>

#include "input/capture.h"
#include "input/input.h"
#include "input/pads.h"

// Every key (0..255) and every joystick axis, hat and button (0..9) of four pads fits.
#define CAPTURE_HELD_MAX 512

static Binding held[CAPTURE_HELD_MAX];
static int held_count;

static void remember(const Binding &b)
{
    if (held_count < CAPTURE_HELD_MAX)
        held[held_count++] = b;
}

// The controls of one joystick that a capture would take now, in test-mode form.
static void remember_joystick(SDL_Joystick *joy, int32_t slot)
{
    for (int a = 0; a < SDL_JoystickNumAxes(joy); a++) {
        if (joystick_axis_side(joy, a) == 0)
            continue;
        // Either side: while the stick stays off centre it is still the one that asked.
        remember({BIND_AXIS, 0, BIND_AXIS_NEGATIVE | BIND_AXIS_POSITIVE, slot, a});
    }
    const int32_t any_way = SDL_HAT_UP | SDL_HAT_RIGHT | SDL_HAT_DOWN | SDL_HAT_LEFT;
    for (int h = 0; h < SDL_JoystickNumHats(joy); h++)
        if (SDL_JoystickGetHat(joy, h) != SDL_HAT_CENTERED)
            remember({BIND_HAT, 0, any_way, slot, h});
    int buttons = SDL_min(SDL_JoystickNumButtons(joy), INPUT_JOY_BUTTONS);
    for (int b = 0; b < buttons; b++)
        if (SDL_JoystickGetButton(joy, b))
            remember({BIND_BUTTON, 0, b, slot, 0});
}

void capture_hold_snapshot(void)
{
    held_count = 0;
    int numkeys = 0;
    const uint8_t *keys = input_keyboard_state(&numkeys);
    for (int s = 0; keys && s < numkeys && s < INPUT_CAPTURE_KEYS; s++)
        if (keys[s])
            remember({BIND_KEY, s, 0, 0, 0});
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        SDL_Joystick *joy = pad_joystick(j);
        if (joy && SDL_JoystickGetAttached(joy))
            remember_joystick(joy, j);
    }
}

void capture_hold_clear(void)
{
    held_count = 0;
}

bool capture_held(void)
{
    int kept = 0;
    for (int i = 0; i < held_count; i++)
        if (input_poll_binding(held[i], false))
            held[kept++] = held[i];
    held_count = kept;
    return held_count > 0;
}
