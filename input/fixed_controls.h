// The player's own controls beside the game's bindings: fast-forward on Tab, or on a pad's
// right shoulder (button 5) while no binding of the game takes that button.
#pragma once

#include <stdint.h>

#include "config/binding.h"
#include "input/devices.h"

#define FAST_FORWARD_KEY 43             // SDL_SCANCODE_TAB
#define FAST_FORWARD_PAD_BUTTON 5       // a pad's right shoulder

// Whether a binding of the first players x buttons of table (held to the table's size) is
// raw button of a pad.
bool pad_button_bound(const Binding (*table)[MAX_BUTTONS][MAX_SLOTS], int32_t players, int32_t buttons,
                      int32_t button);
// Whether fast-forward is held in devices: its key, or, when pad_free, its button on any pad.
bool fast_forward_down(const Devices &devices, bool pad_free);
// The same against the settings' bindings of the game's players and buttons.
bool fast_forward_held(const Devices &devices);
// Whether no binding of the game's players and buttons takes fast-forward's pad button.
bool fast_forward_pad_free(void);
// The pad's fixed controls as the change-keys page lists them.
const char *pad_controls_text(bool pad_free);
