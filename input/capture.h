// The binding capture of the change-keys page: a cell waiting for the next control, the player
// whose bindings the page shows, and the key the last capture took. One record, changed only
// through the moves below; everyone else reads it through the queries.
//
// States: idle; waiting (a cell's row and slot); waiting behind controls that were down when a
// key or pad button began it, which the capture never takes. Moves: begin (from any state: the
// cell clicked last waits), cancel, take (a control down while waiting ends the capture and is
// stored in the waiting cell).
#pragma once

#include <stdint.h>

#include "config/binding.h"

// Row (emulated button) and slot (0 or 1) that wait. by_focus: a key or pad button chose the
// cell, so every control down now is kept out of this capture until it has been let go.
void capture_begin(int32_t row, int32_t slot, bool by_focus);
// Ends a waiting capture without storing anything; false when none waited.
bool capture_cancel(void);
// Called every pass, idle too (the key the last capture took is forgotten once let go). Takes
// the first control down in the pass's reading of the devices while a capture waits:
// stores it into the waiting cell for the edited player, writes res/conf, ends the capture and
// rebuilds the binding labels. True when it did (the page then shows the new labels).
bool capture_take(void);

// The row that waits, or -1 when idle.
int32_t capture_row(void);
// True while cell (row, slot) waits.
bool capture_waits_on(int32_t row, int32_t slot);

// The player (0 or 1) whose bindings the page shows; 0 at start-up.
void capture_show_player(int32_t player);
int32_t capture_shown_player(void);
// The player the page edits: the shown one in a game of two players, otherwise 0.
int edited_player(void);

// The key the last capture took while it is still down, else -1; forgets it once let go, so
// that key pressed again is no longer the capture's.
int32_t capture_held_key(void);
