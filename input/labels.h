// The texts shown for keys and joystick controls, and the binding cells of the change-keys
// page.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "config/binding.h"

#define KEY_NAME_COUNT 287        // scancodes 0..286 have table entries
#define BINDING_LABEL_SIZE 128    // every label fits

// Fixed name of a keyboard key by SDL scancode; "Unk" outside the table. Never null.
const char *key_name(int32_t scancode);

// The label of a binding: "none", a key name, "J1.X1-", "J1.H1Up", "J1.A" (names by the game's
// padstyle) or "J1.13"; padded with blanks to 3 characters unless empty. Cut to fit out.
void binding_label(const Binding &binding, char *out, size_t size);
// The label of cell (button, slot) of player: "???" while that cell waits for a capture,
// otherwise the binding's label. Indexes beyond the table give "".
void binding_cell_label(int player, int button, int slot, char *out, size_t size);

// The cell text of the change-keys page for the shown player, as bindings_refresh_labels last
// wrote it; "" for rows beyond the component's buttons and outside the table. The page sets
// them into its cell widgets after each refresh.
const char *binding_label_shown(int32_t button, int32_t slot);

// Rebuilds the cell texts from the binding table, the shown player and the pending capture.
void bindings_refresh_labels(void);
