// The user's settings and bindings, stored in res/conf.
#pragma once

#include "input/binding.h"

struct Settings {
    int32_t scale;       // window = screen size x scale (menu offers 2, 3, 4)
    bool smoothing;      // linear scaling, or the TV effect on the GL path
    bool stretch;        // fill the height without keeping whole multiples
    bool fullscreen;
    bool guide;          // joystick button 10 toggles the menu
    Binding bindings[MAX_PLAYERS][MAX_BUTTONS][MAX_SLOTS];  // player, button, slot

    Settings();          // all-zero binding table
};

// The one instance: all-zero table before main; defaults and res/conf written by start-up,
// changed by the menu, the hotkeys and the change-keys page, each followed by settings_save.
extern Settings settings;

// Reads res/conf into settings (keys missing from an existing file take their defaults).
void settings_load(void);
// Rewrites res/conf whole from settings; the old file stays intact until the new one is complete.
void settings_save(void);
