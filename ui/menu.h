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

// True while the menu page is open: the game, should the Pause key set it running behind
// the menu, then gets no input, since the keys and pads moving through the page would move
// it too. On the change-keys page it gets its bindings, to try them live.
bool menu_hides_game(void);
