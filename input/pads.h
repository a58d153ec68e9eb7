// The pads in use: up to four joysticks, each also opened as a game controller when SDL knows
// it as one, kept in slots by their hot-plug events. Input reads them slot by slot.
#pragma once

#include <SDL.h>

#define MAX_JOYSTICKS 4

// The joystick and the game controller in slot (0..MAX_JOYSTICKS - 1), or null.
SDL_Joystick *pad_joystick(int slot);
SDL_GameController *pad_controller(int slot);

// Where an axis reading stands from the axis's resting value: -1 or 1 once it is
// INPUT_AXIS_THRESHOLD or more away on that side, else 0.
int axis_side(int32_t value, int32_t rest);
// The same for axis a of joystick, read now against the axis's initial state; 0 past its axes.
int joystick_axis_side(SDL_Joystick *joystick, int a);

// The slot of the joystick with instance id, or -1.
int pad_slot_of(SDL_JoystickID id);

// A joystick or game controller added at device index: opened into the slot of that index,
// unless another pad in use holds it (then the first slot free), closing what that slot
// held. Indexes past the slots are ignored.
void pads_joystick_added(int index);
void pads_controller_added(int index);
// A joystick removed: closed and its slot emptied, found by its handle.
void pads_joystick_removed(SDL_JoystickID id);

// Puts a handle opened elsewhere into slot, without closing what it held (tests' virtual
// pads); null empties the slot.
void pad_set_joystick(int slot, SDL_Joystick *joystick);
void pad_set_controller(int slot, SDL_GameController *controller);
// Empties every slot without closing: after SDL_Quit, which closed them.
void pads_forget(void);
