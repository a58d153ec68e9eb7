// The binding record: which physical control drives an emulated button, and the routines
// that read the live devices for it.
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
// reporting more uses the first 32 and a negative count means none.
int input_button_count(void);
// Bound players: the game description's players held to 0..MAX_PLAYERS.
int input_player_count(void);

// Where the raw button count comes from: ox_button_get_count unless a test or benchmark
// points it elsewhere.
extern int (*input_raw_button_count)(void);

// ---------------------------------------------------------------------------------------
// Reading the devices

// Test mode (capture false): true when the control binding names is active now; binding is
// not changed. Capture mode (capture true, binding all zero): the first active control in
// the order keyboard (scancodes 0..255), then joystick slots 0..3 with their axes, hats and
// buttons, is written into binding and the result is true; false when nothing is active.
bool input_poll_binding(Binding &binding, bool capture);

// The main loop's input step for one frame. Without a pending capture every button of every
// bound player is sent to the component, pressed when either slot is active. With one
// (capture_button >= 0) nothing is sent; a captured control is stored for the shown player
// (player 0 in a one-player game), res/conf is written, the capture ends and the labels are
// rebuilt.
void input_step(void);

// Unbinds both slots of every button of player (0 or above), or of every bound player
// (negative). Does not save.
void bindings_clear(int player);

// Restores the component's proposals for player (0 or above) or every bound player
// (negative): the default key in slot 0, hat 0 (buttons 0..3) or a joystick button
// (the rest) of joystick slot 0 in slot 1. A res/donf then replaces the bindings of every
// bound player. Does not save.
void bindings_set_defaults(int player);

// The keyboard array seam: SDL_GetKeyboardState unless a test supplies its own array.
extern const uint8_t *(*input_keyboard_state)(int *numkeys);
// Where input_step sends button states: ox_button_set_state unless a test records them.
extern void (*input_send_button)(int player, int button, bool pressed);
