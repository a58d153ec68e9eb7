// The binding record: which physical control drives an emulated button; the table sizes.
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

#define BIND_AXIS_NEGATIVE 1
#define BIND_AXIS_POSITIVE 2

#define INPUT_AXIS_THRESHOLD 16000    // deflection from the axis's initial state
#define INPUT_JOY_BUTTONS 10          // joystick buttons 0..9 are read; the rest never
#define INPUT_CAPTURE_KEYS 256        // capture scans scancodes 0..255

// Five signed 32-bit fields, in file order. All zero is BIND_NONE.
struct Binding {
    int32_t type;
    int32_t code;
    int32_t value;
    int32_t joyid;
    int32_t axis;
};

// ---------------------------------------------------------------------------------------
// Counts every binding loop uses

// Emulated buttons per player: the component's count held to 0..MAX_BUTTONS, so a component
// reporting more uses the first 32 and a negative count means none. A count outside
// 1..MAX_BUTTONS is logged, once until it changes.
int input_button_count(void);
// Bound players: the game description's players held to 0..MAX_PLAYERS.
int input_player_count(void);

// Calls apply for player (0 or above), or for every bound player (negative). A player
// beyond the table is left alone.
void bindings_for_players(int player, void (*apply)(int player));
