// Simulated pads in the pass's reading of the devices, for tests that judge input without SDL's
// joysticks.
#pragma once

#include "input/devices.h"

// The pass's reading of the devices, as the test sets it.
inline Devices &devices()
{
    return input_devices();
}

// A plain joystick with two axes, one hat and ten buttons, all at rest.
inline PadState pad_at_rest()
{
    PadState p = {};
    p.joystick = true;
    p.axes = 2;
    p.hats = 1;
    p.buttons = INPUT_JOY_BUTTONS;
    return p;
}

// Such a joystick put into slot 0 of the pass's reading.
inline PadState &plain_pad()
{
    return devices().pad[0] = pad_at_rest();
}
