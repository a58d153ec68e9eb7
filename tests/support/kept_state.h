// The shared running state put back as a test found it: one copy taken when the keeper is
// made and restored when it goes, in place of resetting each field a test may have changed.
// What the fields point to (windows, textures, buffers) is still the test's to release.
#pragma once

#include "record/gamestate.h"

struct KeptGameState {
    const GameState saved = gamestate;
    ~KeptGameState() { gamestate = saved; }
};
