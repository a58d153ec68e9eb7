// The overlay menu's entry points used outside the overlay.
#pragma once

// Closes the menu by any means: hides the overlay, cancels a pending capture, resumes the
// game and brings the cursor in line.
void menu_close(void);

// Opens a closed menu (pausing the game) or closes an open one (resuming it), then
// brings the cursor in line.
void menu_toggle(void);

// Once per loop pass while the overlay is open: acts on the widgets' activations.
void menu_react(void);
