#include "input/pad_nav.h"

#include <SDL.h>

#include "config/settings.h"

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

static uint32_t controller_direction(const PadState &p)
{
    uint32_t d = direction_of(p.dpad_up, p.dpad_down, p.dpad_left, p.dpad_right);
    if (d)
        return d;
    return direction_of(axis_side(p.stick_y, 0) < 0, axis_side(p.stick_y, 0) > 0,
                        axis_side(p.stick_x, 0) < 0, axis_side(p.stick_x, 0) > 0);
}

static uint32_t joystick_direction(const PadState &p)
{
    uint32_t hats = 0;
    for (int h = 0; h < p.hats && h < PAD_HATS; h++)
        hats |= p.hat[h];
    uint32_t d = direction_of(hats & SDL_HAT_UP, hats & SDL_HAT_DOWN, hats & SDL_HAT_LEFT,
                              hats & SDL_HAT_RIGHT);
    if (d)
        return d;
    const int x = pad_axis_side(p, 0);
    const int y = pad_axis_side(p, 1);
    return direction_of(y < 0, y > 0, x < 0, x > 0);
}

NavReading nav_reading(const Devices &devices, bool guide)
{
    NavReading r = {};
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        const PadState &p = devices.pad[j];
        uint32_t d = 0;
        // A game controller is read by its standard names alone.
        if (p.controller) {
            d = controller_direction(p);
            r.accept = r.accept || p.a;
            r.back = r.back || p.b;
            // The "Guide" switch turns the chord off with the guide button, so a game's own
            // Select+Start reaches it.
            r.chord[j] = guide && p.back && p.start;
        } else if (p.joystick) {
            d = joystick_direction(p);
            r.accept = r.accept || (p.buttons > 0 && p.button[0]);
            r.back = r.back || (p.buttons > 1 && p.button[1]);
        }
        if (!r.direction)
            r.direction = d;
    }
    return r;
}

uint32_t nav_commands(NavState &s, const NavReading &r, uint64_t now_ms)
{
    uint32_t commands = 0;
    if (r.direction != s.held_direction) {
        s.held_direction = r.direction;
        commands |= r.direction;
        s.next_repeat_ms = now_ms + NAV_REPEAT_DELAY_MS;
    } else if (s.held_direction && now_ms >= s.next_repeat_ms) {
        commands |= s.held_direction;
        while (s.next_repeat_ms <= now_ms)
            s.next_repeat_ms += NAV_REPEAT_PERIOD_MS;
    }
    if (r.accept && !s.accept_held)
        commands |= NAV_ACCEPT;
    if (r.back && !s.back_held)
        commands |= NAV_BACK;
    s.accept_held = r.accept;
    s.back_held = r.back;
    for (int j = 0; j < MAX_JOYSTICKS; j++) {
        if (!r.chord[j]) {
            s.chord_timing[j] = false;
            s.chord_fired[j] = false;
            continue;
        }
        if (!s.chord_timing[j]) {
            s.chord_timing[j] = true;
            s.chord_since_ms[j] = now_ms;
        }
        if (!s.chord_fired[j] && now_ms - s.chord_since_ms[j] >= NAV_CHORD_MS) {
            s.chord_fired[j] = true;
            commands |= NAV_MENU;
        }
    }
    return commands;
}

uint32_t pad_nav_poll(uint64_t now_ms)
{
    static NavState state;
    return nav_commands(state, nav_reading(input_devices(), settings.guide), now_ms);
}

bool pad_nav_hides(const Devices &devices, const Binding &binding, bool guide)
{
    if (!guide || binding.type != BIND_BUTTON || binding.joyid < 0 || binding.joyid >= MAX_JOYSTICKS)
        return false;
    const PadState &p = devices.pad[binding.joyid];
    if (!p.joystick || !p.controller || !p.back || !p.start)
        return false;
    const bool back = p.back_button >= 0 && binding.value == p.back_button;
    return back || (p.start_button >= 0 && binding.value == p.start_button);
}
