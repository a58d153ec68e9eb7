// The binding table against the pass's reading of the devices (input/devices.h): the main
// loop's input step, capture, and the controls held back from the game.
#pragma once

#include <stdint.h>

#include "config/binding.h"

// The main loop's input step for one frame. Without a pending capture every button of every
// bound player is sent to the component, pressed when either slot is active and hidden is
// false (hidden: the game, running behind the menu, gets every button released). With one
// (input/capture.h) nothing is sent and the capture takes its control. True when the labels
// were rebuilt, for the change-keys page to show them.
bool input_step(bool hidden);

// Called when the menu closes or the change-keys page opens: every binding whose control is
// down now reads as released to input_step until that control is let go.
void input_hold_back_held(void);
// A key that made a hotkey (Alt+Return's Return and Alt): every binding on it reads as
// released to input_step until the key is let go.
void input_hold_back_key(int32_t scancode);

// Unbinds both slots of every button of player (0 or above), or of every bound player
// (negative). Does not save.
void bindings_clear(int player);

