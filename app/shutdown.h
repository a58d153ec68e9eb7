// The end of the process, in one place and one order, called by main on every way out before
// it returns, so that it runs before the process's exit routines.
#pragma once

// Releases the overlay, then the component, video (textures, renderer, window) and the menu
// sounds, then quits SDL, then closes the log. Runs once; later calls do nothing.
void shutdown(void);
