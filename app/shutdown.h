// The end of the process, in one place and one order, whether main returns or a start-up
// step calls exit(1).
#pragma once

// Registers shutdown as the one exit routine. Called first thing in main.
void shutdown_register(void);

// Releases the overlay, then the running state (component, textures, renderer, window),
// then quits SDL, then closes the log. Runs once; later calls do nothing.
void shutdown(void);
