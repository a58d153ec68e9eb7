// The overlay's two sounds: res/s_hover, played when the pointer or the focus reaches a new
// item, and res/s_select, played on an activation.
#pragma once

#include "base/sound_file.h"

// Loads both, logging each name and length; one that cannot be read stays empty.
void menu_sounds_load(void);
// Frees both.
void menu_sounds_release(void);

const UiSound &menu_sound_hover(void);
const UiSound &menu_sound_select(void);
