// Pausing while the player looks away: the window losing the keyboard focus (unless the
// "Pause in background" setting is off) and the pad in use being unplugged pause the game;
// the focus coming back continues it, as closing the menu or Pause does. Pads coming and
// going are named in a notice.
#pragma once

#include <SDL.h>

// Sees every event before handle_event acts on it (a removed pad is still open here).
void away_event(const SDL_Event &event);

// Whether focus coming back continues the game: it was paused by the focus leaving, and
// nothing (the menu, Pause) has taken over the pause since.
bool away_resumes(bool paused_by_focus, bool paused, bool menu_open);
