// Simulated pads: SDL's virtual joysticks opened into the player's pad slots, moved by the
// test. SDL's joystick subsystem must be initialised first.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include "input/pads.h"

// A virtual joystick opened into a pad slot.
struct Pad {
    SDL_Joystick *joy = nullptr;
    int slot;
    Pad(int slot_, int axes, int buttons, int hats, SDL_JoystickType type = SDL_JOYSTICK_TYPE_UNKNOWN)
        : slot(slot_)
    {
        int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        joy = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        pad_set_joystick(slot, joy);
        EXPECT_NE(nullptr, joy) << SDL_GetError();
    }
    ~Pad()
    {
        detach();
        SDL_JoystickClose(joy);
        pad_set_joystick(slot, nullptr);
    }
    void axis(int a, int v)
    {
        SDL_JoystickSetVirtualAxis(joy, a, (Sint16)v);
        SDL_JoystickUpdate();
    }
    void hat(int h, int m)
    {
        SDL_JoystickSetVirtualHat(joy, h, (Uint8)m);
        SDL_JoystickUpdate();
    }
    void button(int b, bool down)
    {
        SDL_JoystickSetVirtualButton(joy, b, down);
        SDL_JoystickUpdate();
    }
    void detach()
    {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joy);
        for (int i = 0; i < SDL_NumJoysticks(); i++)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        SDL_JoystickUpdate();
    }
};

// A virtual pad SDL knows as a game controller, opened into slot 0 of both tables.
struct Controller : Pad {
    SDL_GameController *pad = nullptr;
    Controller() : Pad(0, 6, 15, 0, SDL_JOYSTICK_TYPE_GAMECONTROLLER)
    {
        for (int i = 0; i < SDL_NumJoysticks(); i++)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(joy))
                pad = SDL_GameControllerOpen(i);
        pad_set_controller(0, pad);
        EXPECT_NE(nullptr, pad) << SDL_GetError();
    }
    ~Controller()
    {
        pad_set_controller(0, nullptr);
        SDL_GameControllerClose(pad);
    }
    int raw(SDL_GameControllerButton b) { return SDL_GameControllerGetBindForButton(pad, b).value.button; }
    void press(SDL_GameControllerButton b, bool down) { button(raw(b), down); }
};
