// SDL's virtual joysticks, for tests of the player's hot-plug and pad-button events.
#pragma once

#include <SDL.h>

#include <utility>
#include <vector>

#include "app/events.h"
#include "input/pads.h"

// Every event SDL has queued, handed to the player's dispatch.
inline void drain_events()
{
    SDL_JoystickUpdate();
    SDL_Event e;
    while (SDL_PollEvent(&e))
        handle_event(e);
}

// A virtual game controller (two axes, twelve buttons, one hat) plugged in; its device index.
inline int attach_controller()
{
    return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1);
}

// The raw button SDL maps to the guide button of the controller in slot 0.
inline int slot0_guide_button()
{
    return SDL_GameControllerGetBindForButton(pad_controller(0), SDL_CONTROLLER_BUTTON_GUIDE).value.button;
}

// Every virtual joystick unplugged, and the events of that handled.
inline void detach_all_pads()
{
    for (int i = SDL_NumJoysticks() - 1; i >= 0; i--)
        SDL_JoystickDetachVirtual(i);
    drain_events();
}

// Each slot as the pads hold it: the instance ids of its joystick and of its controller's
// joystick while each is attached, else -1.
inline std::vector<std::pair<int32_t, int32_t>> slots_seen()
{
    std::vector<std::pair<int32_t, int32_t>> seen;
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *j = pad_joystick(slot);
        SDL_GameController *c = pad_controller(slot);
        const bool has_j = j && SDL_JoystickGetAttached(j);
        const bool has_c = c && SDL_GameControllerGetAttached(c);
        seen.push_back({has_j ? SDL_JoystickInstanceID(j) : -1,
                        has_c ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) : -1});
    }
    return seen;
}
