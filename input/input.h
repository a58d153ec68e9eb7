// Reading the live devices for the binding table: polling, capture and the main loop's
// input step.
#pragma once

#include <stdint.h>

#include "config/binding.h"

// Test mode (capture false): true when the control binding names is active now; binding is
// not changed. A binding to a direction of hat 0 of a pad SDL knows as a game controller also
// answers to that controller's d-pad and left stick (controller_hat). Capture mode (capture
// true, binding all zero): the first active control in the order keyboard (scancodes 0..255),
// then joystick slots 0..3 with their axes, hats and buttons, is written into binding and the
// result is true; false when nothing is active.
bool input_poll_binding(Binding &binding, bool capture);

// The main loop's input step for one frame. Without a pending capture every button of every
// bound player is sent to the component, pressed when either slot is active and hidden is
// false (hidden: the game, running behind the menu, gets every button released). With one
// (capture_button >= 0) nothing is sent; a captured control is stored for the shown player
// (player 0 in a one-player game), res/conf is written, the capture ends and the labels are
// rebuilt. True when the labels were rebuilt, for the change-keys page to show them.
bool input_step(bool hidden);

// Called when the menu closes or the change-keys page opens: every binding whose control is
// down now reads as released to input_step until that control is let go.
void input_hold_back_held(void);
// A key that made a hotkey (Alt+Return's Return and Alt): every binding on it reads as
// released to input_step until the key is let go.
void input_hold_back_key(int32_t scancode);
// True while scancode is the key the last capture took and it is still down.
bool input_key_still_captured(int32_t scancode);

// The SDL hat mask a game controller's d-pad buttons and left stick (x, y) point to: a
// direction counts when its button is down or the stick is past INPUT_AXIS_THRESHOLD that way.
int32_t controller_hat(bool up, bool down, bool left, bool right, int32_t x, int32_t y);

// Unbinds both slots of every button of player (0 or above), or of every bound player
// (negative). Does not save.
void bindings_clear(int player);

// The keyboard array seam: SDL_GetKeyboardState unless a test supplies its own array.
extern const uint8_t *(*input_keyboard_state)(int *numkeys);
