#include "input/pads.h"

#include "config/binding.h"

// Slot = device index when added, unless another pad in use holds it, for the first four
// devices.
static SDL_Joystick *joysticks[MAX_JOYSTICKS];   // by device index at the time it was added
static SDL_GameController *controllers[MAX_JOYSTICKS];

static bool slot_valid(int slot)
{
    return slot >= 0 && slot < MAX_JOYSTICKS;
}

SDL_Joystick *pad_joystick(int slot)
{
    return slot_valid(slot) ? joysticks[slot] : nullptr;
}

SDL_GameController *pad_controller(int slot)
{
    return slot_valid(slot) ? controllers[slot] : nullptr;
}

void pad_set_joystick(int slot, SDL_Joystick *joystick)
{
    if (slot_valid(slot))
        joysticks[slot] = joystick;
}

void pad_set_controller(int slot, SDL_GameController *controller)
{
    if (slot_valid(slot))
        controllers[slot] = controller;
}

void pads_forget(void)
{
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        joysticks[slot] = nullptr;
        controllers[slot] = nullptr;
    }
}

int axis_side(int32_t value, int32_t rest)
{
    if (value <= rest - INPUT_AXIS_THRESHOLD)
        return -1;
    return value >= rest + INPUT_AXIS_THRESHOLD ? 1 : 0;
}

int joystick_axis_side(SDL_Joystick *joystick, int a)
{
    if (a >= SDL_JoystickNumAxes(joystick))
        return 0;
    Sint16 initial = 0;
    SDL_JoystickGetAxisInitialState(joystick, a, &initial);
    return axis_side(SDL_JoystickGetAxis(joystick, a), initial);
}

int pad_slot_of(SDL_JoystickID id)
{
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *joystick = joysticks[slot];
        if (joystick && SDL_JoystickGetAttached(joystick) && SDL_JoystickInstanceID(joystick) == id)
            return slot;
    }
    return -1;
}

// Whether a slot holds, in either table, a pad that is still attached and is not the device
// being added.
static bool slot_taken(int slot, SDL_JoystickID adding)
{
    SDL_Joystick *j = joysticks[slot];
    if (j && SDL_JoystickGetAttached(j) && SDL_JoystickInstanceID(j) != adding)
        return true;
    SDL_GameController *c = controllers[slot];
    return c && SDL_GameControllerGetAttached(c) &&
           SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) != adding;
}

// The slot for the device added at `index`: that slot, unless it holds another pad still in
// use. Device indexes move down when an earlier pad leaves, so a pad plugged in again is
// added at an index whose slot may belong to a pad still played with; closing that one would
// cut its player off. The new pad then takes the first slot free or left by a departed pad,
// which is the one it left. Both tables count, so a pad's joystick and controller land in
// one slot whichever of their two events comes first: the pads are read slot by slot, a
// controller in place of its slot's joystick. -1 when all four are in use.
static int slot_for_device(int index)
{
    const SDL_JoystickID adding = SDL_JoystickGetDeviceInstanceID(index);
    if (!slot_taken(index, adding))
        return index;
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++)
        if (!slot_taken(slot, adding))
            return slot;
    return -1;
}

// The slot a device added at index goes to, or -1: an index past the slots, or all in use.
static int added_slot(int index)
{
    if (index < 0 || index >= MAX_JOYSTICKS)
        return -1;
    return slot_for_device(index);
}

void pads_joystick_added(int index)
{
    const int slot = added_slot(index);
    if (slot < 0)
        return;
    if (joysticks[slot])
        SDL_JoystickClose(joysticks[slot]);
    joysticks[slot] = SDL_JoystickOpen(index);
}

// A removal names the joystick's instance id, not a device index, so the slot is found by
// the handle it holds: closing slot[id] would close another, still attached joystick.
void pads_joystick_removed(SDL_JoystickID id)
{
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *joystick = joysticks[slot];
        if (joystick && SDL_JoystickInstanceID(joystick) == id) {
            SDL_JoystickClose(joystick);
            joysticks[slot] = nullptr;
            return;
        }
    }
}

void pads_controller_added(int index)
{
    const int slot = added_slot(index);
    if (slot < 0)
        return;
    if (controllers[slot])
        SDL_GameControllerClose(controllers[slot]);
    controllers[slot] = SDL_GameControllerOpen(index);
}
