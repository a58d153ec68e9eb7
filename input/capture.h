// The change-keys page's state, read by the input step and the binding labels.
#pragma once

#include <stdint.h>

// Row (emulated button) whose cell waits for a new control, or -1. Set by the change-keys
// page when a cell is clicked; cleared by the page (Back, Change keys, Escape), by closing the
// menu, and by the input step once the control is stored.
extern int32_t capture_button;
// Slot (0 or 1) of the waiting cell. Set with capture_button.
extern int32_t capture_slot;
// Player (0 or 1) whose bindings the page shows and edits; 0 at start-up and in a
// one-player game. Set by the page's player toggles.
extern int32_t shown_player;

// The player the page edits: shown_player in a game of two players, otherwise 0.
int edited_player(void);

// A capture asked for by a key or pad button must not take that very control: this remembers
// every key and joystick control down now, and capture_held keeps the pending capture from
// taking anything until all of them have been released. A new capture forgets them
// (capture_hold_clear).
void capture_hold_snapshot(void);
void capture_hold_clear(void);
// True while a remembered control is still down; forgets those released.
bool capture_held(void);
