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

// The game running behind the open menu (the Pause key sets it running there) and the keys
// and pads. On the menu page they move through the menu and the game gets none of them. On
// the change-keys page they are the game's, to try the bindings made there, and move nothing
// in the menu (trying a binding on A would otherwise arm and confirm " Clear"); the mouse
// still works it, and Pause gives them back.
// True while the menu page is open: the game gets no input.
bool menu_hides_game(void);
// True while the change-keys page is open over the running game: the keys and pads act on
// the game alone.
bool menu_lends_keys(void);
