// The save slots' files laid out in a test's res/ for the menu's slot rows.
#pragma once

#include <sys/stat.h>

#include <SDL.h>

#include "support/res_dir.h"

// Slot 0: a FIFO in place of its state. Slot 1: a preview that is no picture, and a state.
// Slot 2: a good preview, no state. False when the FIFO could not be made.
inline bool lay_out_slot_files(const ResDir &res)
{
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 32, 28, 24, SDL_PIXELFORMAT_BGR24);
    SDL_SaveBMP(s, res.path("res/2P").c_str());
    SDL_FreeSurface(s);
    res.write("res/1P", "not a BMP");
    res.write("res/1S", "state");
    return mkfifo(res.path("res/0S").c_str(), 0644) == 0;
}
