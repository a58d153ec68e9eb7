// A key event as SDL delivers it, for tests that hand events to the player's handlers.
#pragma once

#include <SDL.h>

// The key with that scancode pressed (or released), with modifiers mod held.
inline SDL_Event key_event(SDL_Scancode code, bool down = true, Uint16 mod = KMOD_NONE)
{
    SDL_Event e = {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = code;
    e.key.keysym.mod = mod;
    return e;
}
