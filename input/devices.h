// The devices as one loop pass sees them: the keyboard and every pad slot, read from SDL once
// at the start of the pass, and the plain rules that judge a binding against such a reading.
// Nothing here calls SDL but input_devices_read, so a test builds a reading of its own.
#pragma once

#include <stdint.h>

#include "config/binding.h"

#define MAX_JOYSTICKS 4
#define DEVICE_KEYS 512     // SDL's scancodes
#define PAD_AXES 16         // axes read of each joystick; the rest never
#define PAD_HATS 4

// One pad slot. The raw part is the joystick's; the standard part is SDL's mapping of a pad it
// knows as a game controller (controller true), read through its standard names.
struct PadState {
    bool joystick;                        // a joystick is attached in the slot
    int32_t axes, hats, buttons;          // counts read, at most PAD_AXES, PAD_HATS, INPUT_JOY_BUTTONS
    int16_t axis[PAD_AXES];
    int16_t axis_rest[PAD_AXES];          // each axis's initial state
    uint8_t hat[PAD_HATS];                // SDL hat masks
    bool button[INPUT_JOY_BUTTONS];
    bool controller;
    bool dpad_up, dpad_down, dpad_left, dpad_right;
    int16_t stick_x, stick_y;             // the left stick
    bool a, b, back, start;
    int32_t back_button, start_button;    // the raw buttons Back and Start are, or -1
};

struct Devices {
    uint8_t key[DEVICE_KEYS];             // non-zero while down
    PadState pad[MAX_JOYSTICKS];
};

// The reading of this pass: filled by input_devices_read at the start of each loop pass and
// read by the input step, the menu's pad controls and the hotkeys' key checks.
Devices &input_devices(void);
// Reads the keyboard and the pads in their slots into devices.
void input_devices_read(Devices &devices);

// Where an axis reading stands from the axis's resting value: -1 or 1 once it is
// INPUT_AXIS_THRESHOLD or more away on that side, else 0.
int axis_side(int32_t value, int32_t rest);
// The same for axis a of a pad, against the axis's initial state; 0 past its axes.
int pad_axis_side(const PadState &pad, int32_t a);

// True when the control binding names is down. A binding to a direction of hat 0 of a game
// controller also answers to its d-pad and left stick. An axis counts by the raw value's sign:
// a trigger resting at -32768 and bound positive is down only beyond 0.
bool binding_down(const Devices &devices, const Binding &binding);
// The control a capture takes: the first one down in the order keyboard (scancodes 0..255),
// then pad slots 0..3 with their axes (past the threshold from rest), hats and buttons.
// False, with found all zero, when nothing is down.
bool first_pressed(const Devices &devices, Binding &found);

// Every control down, in the form binding_down tests (an axis on either side, a hat in any
// direction): up to max of them into out; their number.
int controls_down(const Devices &devices, Binding *out, int max);
