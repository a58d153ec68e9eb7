// The binding record: which physical control drives an emulated button.
#pragma once

#include <stdint.h>

#define MAX_PLAYERS 2
#define MAX_BUTTONS 32
#define MAX_SLOTS 2

#define BIND_NONE 0
#define BIND_KEY 1      // code = SDL scancode
#define BIND_AXIS 2     // joyid, axis index in axis, value = side bits (1 negative, 2 positive)
#define BIND_HAT 3      // joyid, hat index in axis, value = SDL hat mask
#define BIND_BUTTON 4   // joyid, button index (0..9) in value

// Five signed 32-bit fields, in file order. All zero is BIND_NONE.
struct Binding {
    int32_t type;
    int32_t code;
    int32_t value;
    int32_t joyid;
    int32_t axis;
};
