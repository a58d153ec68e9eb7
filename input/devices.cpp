#include "input/devices.h"

#include <string.h>

#include <SDL.h>

#include "input/pads.h"

static Devices devices_now;

Devices &input_devices(void)
{
    return devices_now;
}

// ---------------------------------------------------------------------------------------
// Reading SDL

static void read_joystick(SDL_Joystick *joy, PadState &p)
{
    p.joystick = true;
    p.axes = SDL_min(SDL_max(SDL_JoystickNumAxes(joy), 0), PAD_AXES);
    p.hats = SDL_min(SDL_max(SDL_JoystickNumHats(joy), 0), PAD_HATS);
    p.buttons = SDL_min(SDL_max(SDL_JoystickNumButtons(joy), 0), INPUT_JOY_BUTTONS);
    for (int a = 0; a < p.axes; a++) {
        p.axis[a] = SDL_JoystickGetAxis(joy, a);
        SDL_JoystickGetAxisInitialState(joy, a, &p.axis_rest[a]);
    }
    for (int h = 0; h < p.hats; h++)
        p.hat[h] = SDL_JoystickGetHat(joy, h);
    for (int b = 0; b < p.buttons; b++)
        p.button[b] = SDL_JoystickGetButton(joy, b) != 0;
}

static int32_t raw_button(SDL_GameController *c, SDL_GameControllerButton button)
{
    SDL_GameControllerButtonBind bind = SDL_GameControllerGetBindForButton(c, button);
    return bind.bindType == SDL_CONTROLLER_BINDTYPE_BUTTON ? bind.value.button : -1;
}

static void read_controller(SDL_GameController *c, PadState &p)
{
    auto down = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
    p.controller = true;
    p.dpad_up = down(SDL_CONTROLLER_BUTTON_DPAD_UP);
    p.dpad_down = down(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    p.dpad_left = down(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    p.dpad_right = down(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    p.stick_x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    p.stick_y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    p.a = down(SDL_CONTROLLER_BUTTON_A);
    p.b = down(SDL_CONTROLLER_BUTTON_B);
    p.back = down(SDL_CONTROLLER_BUTTON_BACK);
    p.start = down(SDL_CONTROLLER_BUTTON_START);
    p.back_button = raw_button(c, SDL_CONTROLLER_BUTTON_BACK);
    p.start_button = raw_button(c, SDL_CONTROLLER_BUTTON_START);
}

void input_devices_read(Devices &d)
{
    memset(&d, 0, sizeof d);
    int numkeys = 0;
    const uint8_t *keys = SDL_GetKeyboardState(&numkeys);
    if (keys)
        memcpy(d.key, keys, (size_t)SDL_min(SDL_max(numkeys, 0), DEVICE_KEYS));
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        PadState &p = d.pad[j];
        p.back_button = -1;
        p.start_button = -1;
        SDL_Joystick *joy = pad_joystick(j);
        bool attached = joy && SDL_JoystickGetAttached(joy);
        if (attached)
            read_joystick(joy, p);
        // The slot's own controller, else the one SDL opened for the slot's joystick.
        SDL_GameController *c = pad_controller(j);
        if (!c || !SDL_GameControllerGetAttached(c))
            c = attached ? SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(joy)) : nullptr;
        if (c)
            read_controller(c, p);
    }
}

// ---------------------------------------------------------------------------------------
// Rules over a reading

int axis_side(int32_t value, int32_t rest)
{
    if (value <= rest - INPUT_AXIS_THRESHOLD)
        return -1;
    return value >= rest + INPUT_AXIS_THRESHOLD ? 1 : 0;
}

int pad_axis_side(const PadState &pad, int32_t a)
{
    if (a < 0 || a >= pad.axes || a >= PAD_AXES)
        return 0;
    return axis_side(pad.axis[a], pad.axis_rest[a]);
}

// The hat mask a game controller's d-pad buttons and left stick point to: a direction counts
// when its button is down or the stick is past the threshold that way; centred for a pad SDL
// does not know as a game controller. Several pads report their d-pad as buttons and have no
// hat, so the default hat bindings alone would never move them.
static int32_t controller_hat(const PadState &pad)
{
    int32_t mask = SDL_HAT_CENTERED;
    if (!pad.controller)
        return mask;
    if (pad.dpad_up || axis_side(pad.stick_y, 0) < 0)
        mask |= SDL_HAT_UP;
    if (pad.dpad_down || axis_side(pad.stick_y, 0) > 0)
        mask |= SDL_HAT_DOWN;
    if (pad.dpad_left || axis_side(pad.stick_x, 0) < 0)
        mask |= SDL_HAT_LEFT;
    if (pad.dpad_right || axis_side(pad.stick_x, 0) > 0)
        mask |= SDL_HAT_RIGHT;
    return mask;
}

static bool key_down(const Devices &d, int32_t code)
{
    return code >= 0 && code < DEVICE_KEYS && d.key[code] != 0;
}

static bool pad_binding_down(const PadState &p, const Binding &b)
{
    switch (b.type) {
    case BIND_AXIS: {
        if (pad_axis_side(p, b.axis) == 0)
            return false;
        const int16_t v = p.axis[b.axis];
        return (v < 0 && (b.value & BIND_AXIS_NEGATIVE)) || (v > 0 && (b.value & BIND_AXIS_POSITIVE));
    }
    case BIND_HAT: {
        int32_t mask = 0;
        if (b.axis >= 0 && b.axis < p.hats && b.axis < PAD_HATS)
            mask = p.hat[b.axis];
        // The first hat only: a second hat is rarely the d-pad.
        if (b.axis == 0)
            mask |= controller_hat(p);
        return (b.value & mask) != 0;
    }
    case BIND_BUTTON:
        return b.value >= 0 && b.value < p.buttons && b.value < INPUT_JOY_BUTTONS && p.button[b.value];
    default:
        return false;
    }
}

bool binding_down(const Devices &d, const Binding &b)
{
    if (b.type == BIND_KEY)
        return key_down(d, b.code);
    if (b.joyid < 0 || b.joyid >= MAX_JOYSTICKS)
        return false;
    const PadState &p = d.pad[b.joyid];
    return p.joystick && pad_binding_down(p, b);
}

// Visits every control down in capture order until visit returns false.
template <typename Visit> static void each_down(const Devices &d, Visit visit)
{
    for (int32_t s = 0; s < INPUT_CAPTURE_KEYS; s++)
        if (d.key[s] && !visit(Binding{BIND_KEY, s, 0, 0, 0}))
            return;
    for (int32_t j = 0; j < MAX_JOYSTICKS; j++) {
        const PadState &p = d.pad[j];
        if (!p.joystick)
            continue;
        for (int32_t a = 0; a < p.axes && a < PAD_AXES; a++) {
            const int side = pad_axis_side(p, a);
            const int32_t value = side < 0 ? BIND_AXIS_NEGATIVE : BIND_AXIS_POSITIVE;
            if (side != 0 && !visit(Binding{BIND_AXIS, 0, value, j, a}))
                return;
        }
        for (int32_t h = 0; h < p.hats && h < PAD_HATS; h++)
            if (p.hat[h] != SDL_HAT_CENTERED && !visit(Binding{BIND_HAT, 0, p.hat[h], j, h}))
                return;
        for (int32_t b = 0; b < p.buttons && b < INPUT_JOY_BUTTONS; b++)
            if (p.button[b] && !visit(Binding{BIND_BUTTON, 0, b, j, 0}))
                return;
    }
}

bool first_pressed(const Devices &d, Binding &found)
{
    found = Binding{};
    each_down(d, [&found](const Binding &b) {
        found = b;
        return false;
    });
    return found.type != BIND_NONE;
}

int controls_down(const Devices &d, Binding *out, int max)
{
    int n = 0;
    each_down(d, [&](Binding b) {
        if (n >= max)
            return false;
        // Either side, any direction: while the control stays off centre it is still the one.
        if (b.type == BIND_AXIS)
            b.value = BIND_AXIS_NEGATIVE | BIND_AXIS_POSITIVE;
        if (b.type == BIND_HAT)
            b.value = SDL_HAT_UP | SDL_HAT_RIGHT | SDL_HAT_DOWN | SDL_HAT_LEFT;
        out[n++] = b;
        return true;
    });
    return n;
}
