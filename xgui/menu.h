// The overlay menu's entry points used outside the overlay.
#pragma once

// Opens a closed menu (pausing the game) or closes an open one (resuming it), then
// brings the cursor in line.
void menu_toggle(void);
