// Key and pointer events as SDL delivers them, for tests that hand events to the player's handlers.
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

// The pointer moved to (x, y) in the window.
inline SDL_Event motion_event(int32_t x, int32_t y)
{
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}
