// The pads in use: up to four joysticks, each also opened as a game controller when SDL knows
// it as one, kept in slots by their hot-plug events. Input reads them slot by slot.
#pragma once

#include <SDL.h>

#include "input/devices.h"

// The joystick and the game controller in slot (0..MAX_JOYSTICKS - 1), or null.
SDL_Joystick *pad_joystick(int slot);
SDL_GameController *pad_controller(int slot);

// The slot of the joystick with instance id, or -1.
int pad_slot_of(SDL_JoystickID id);

// What a slot holds as the slot rule sees it: the instance ids of its joystick and of its
// controller while each is attached, else -1.
struct PadSeen {
    int32_t joystick, controller;
};
// The slot for the device with instance id adding, added at device index: that slot, unless
// it holds another pad still in use (either table counts), then the first slot free or left by
// a departed pad. -1 for an index past the slots or when all four are in use.
int pad_slot_for(const PadSeen seen[MAX_JOYSTICKS], int index, int32_t adding);

// A joystick or game controller added at device index: opened into its slot (pad_slot_for),
// closing what that slot held. Indexes past the slots are ignored.
void pads_joystick_added(int index);
void pads_controller_added(int index);
// A joystick removed: closed and its slot emptied, found by its handle.
void pads_joystick_removed(SDL_JoystickID id);

// Empties every slot without closing: after SDL_Quit, which closed them.
void pads_forget(void);
