// The pads' reading laid out for tests of the menu's pad controls, and that reading compared
// and printed by value.
#pragma once

#include <ostream>

#include "input/pad_nav.h"
#include "support/sim_pad.h"

// Slot 0 a plain joystick, or a game controller, as hold leaves it; slot 1 a plain joystick
// with its hat up.
inline Devices pads_holding(bool controller, void (*hold)(PadState &first))
{
    Devices d = {};
    for (PadState &p : d.pad)
        p = pad_at_rest();
    d.pad[1].hat[0] = SDL_HAT_UP;
    d.pad[0].controller = controller;
    hold(d.pad[0]);
    return d;
}

// A controller in slot 0 whose Back (raw button 4) is down, and its Start (raw button 6) too
// when start is.
inline Devices controller_back_down(bool start)
{
    Devices d = {};
    PadState &p = d.pad[0];
    p.joystick = p.controller = p.back = true;
    p.start = start;
    p.back_button = 4;
    p.start_button = 6;
    return d;
}

inline bool operator==(const NavReading &a, const NavReading &b)
{
    for (int j = 0; j < MAX_JOYSTICKS; j++)
        if (a.chord[j] != b.chord[j])
            return false;
    return a.direction == b.direction && a.accept == b.accept && a.back == b.back;
}

inline std::ostream &operator<<(std::ostream &out, const NavReading &r)
{
    out << "{direction " << r.direction << ", accept " << r.accept << ", back " << r.back << ", chords";
    for (int j = 0; j < MAX_JOYSTICKS; j++)
        out << " " << r.chord[j];
    return out << "}";
}
