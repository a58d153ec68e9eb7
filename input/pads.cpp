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

void pads_forget(void)
{
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        joysticks[slot] = nullptr;
        controllers[slot] = nullptr;
    }
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

static bool slot_taken(const PadSeen &seen, int32_t adding)
{
    return (seen.joystick >= 0 && seen.joystick != adding) ||
           (seen.controller >= 0 && seen.controller != adding);
}

// Device indexes move down when an earlier pad leaves, so a pad plugged in again is added at
// an index whose slot may belong to a pad still played with; closing that one would cut its
// player off. Both tables count, so a pad's joystick and controller land in one slot whichever
// of their two events comes first: the pads are read slot by slot, a controller in place of
// its slot's joystick.
int pad_slot_for(const PadSeen seen[MAX_JOYSTICKS], int index, int32_t adding)
{
    if (index < 0 || index >= MAX_JOYSTICKS)
        return -1;
    if (!slot_taken(seen[index], adding))
        return index;
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++)
        if (!slot_taken(seen[slot], adding))
            return slot;
    return -1;
}

static int added_slot(int index)
{
    PadSeen seen[MAX_JOYSTICKS];
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *j = joysticks[slot];
        SDL_GameController *c = controllers[slot];
        seen[slot].joystick = j && SDL_JoystickGetAttached(j) ? SDL_JoystickInstanceID(j) : -1;
        seen[slot].controller = c && SDL_GameControllerGetAttached(c)
                                    ? SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c))
                                    : -1;
    }
    return pad_slot_for(seen, index, SDL_JoystickGetDeviceInstanceID(index));
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
