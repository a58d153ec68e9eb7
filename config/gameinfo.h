// The game description res/data: what the component cannot tell about the packaged game.
#pragma once

#include <stdint.h>

#include "base/paths.h"
#include "config/binding.h"

#define GAMEINFO_FILE RES_DIR "data"
#define GAMEINFO_TITLE_SIZE 1024
#define GAMEINFO_NAME_SIZE 64

struct GameInfo {
    int32_t players;     // players whose buttons are bound, polled and saved; 1 or 2
    bool nosram;         // component option bit 0: no battery save memory
    int32_t padstyle;    // joystick button names: 1 "A", "B", ...; 2 "Squ", "X", ...; else numbers
    char title[GAMEINFO_TITLE_SIZE];                 // window title
    char btnname[MAX_BUTTONS][GAMEINFO_NAME_SIZE];   // emulated button name overrides; "" = none
};

// The one instance: one player, title "None" until gameinfo_load, which start-up calls
// first of all loaders; constant afterwards.
extern GameInfo gameinfo;

// Reads res/data into gameinfo; keys the file lacks take their defaults (title "Game"), and
// without the file the initial values stay. players is held to 1..2.
void gameinfo_load(void);
