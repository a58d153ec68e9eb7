// The overlay menu's entry points used outside the overlay.
#pragma once

// Opens a closed menu (pausing the game) or closes an open one (resuming it), then
// brings the cursor in line.
void menu_toggle(void);

// Once per loop pass while the overlay is open: acts on the widgets' activations.
void menu_react(void);
