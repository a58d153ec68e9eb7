// Whether the game runs: stopped by the menu or the Pause key, and whether the player is to
// end. The loop reads both every pass; the events and the menu set them.
#pragma once

// True while emulation is stopped (menu open or Pause key).
bool running_paused(void);
void running_set_paused(bool paused);

// True once the player is asked to end (window closed, "Quit" confirmed): the loop then
// leaves after its pass.
bool running_quit(void);
void running_set_quit(bool quit);
