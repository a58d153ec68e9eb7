// What happens when the connection to the display is lost under the running player.
#pragma once

// When SDL drives an X display: makes a lost connection end the process at once with exit
// code 1 and a log line, instead of Xlib's exit() running the exit routines, whose window
// teardown waits for ever on the dead connection. Call after the video subsystem is up.
void display_lost_handler_install(void);
