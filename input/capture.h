// The change-keys page's state, read by the input step and the binding labels.
#pragma once

#include <stdint.h>

// Row (emulated button) whose cell waits for a new control, or -1. Set by the change-keys
// page when a cell is clicked; cleared by the page (Back, Change keys, Escape), by closing the
// menu, and by the input step once the control is stored.
extern int32_t capture_button;
// Slot (0 or 1) of the waiting cell. Set with capture_button.
extern int32_t capture_slot;
// The pending capture was asked for by a key or pad button, which is still down: it takes
// nothing until every key and joystick control has been released. Set by the change-keys
// page with the capture, cleared by the input step.
extern bool capture_wait_release;
// Player (0 or 1) whose bindings the page shows and edits; 0 at start-up and in a
// one-player game. Set by the page's player toggles.
extern int32_t shown_player;

// The player the page edits: shown_player in a game of two players, otherwise 0.
int edited_player(void);
