// Default bindings: the component's proposals and the game's res/donf.
#pragma once

#include "base/paths.h"
#include "config/binding.h"

#define DEFAULT_BINDINGS_FILE RES_DIR "donf"

// Restores the component's proposals for player (0 or above) or every bound player
// (negative): the default key in slot 0, hat 0 (buttons 0..3) or a joystick button
// (the rest) of joystick slot 0 in slot 1. A res/donf then replaces the bindings of every
// bound player. Does not save.
void bindings_set_defaults(int player);
