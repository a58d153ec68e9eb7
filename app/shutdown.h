// The end of the process, in one place and one order, called by main on every way out before
// it returns, so that it runs before the process's exit routines.
#pragma once

struct AudioStream;

// Releases the overlay, then the component, video (textures, renderer, window) and the menu
// sounds, then quits SDL, then closes the log. Runs once; later calls do nothing.
void shutdown(void);
// The end of a started game: keeps it for next time (the resume pair, with the picture
// shown), removes rewind's folder, closes the stream, then shutdown().
void shutdown_keeping_game(AudioStream &stream);
