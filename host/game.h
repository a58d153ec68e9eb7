// Loading the one game of the player into the component.
#pragma once

#define GAME_PATH_SIZE 260

// Titles the window, hands res/game to the component, fits the window to the game's screen
// and resets the machine. False when the component refuses the game (or its path is too
// long to form, which counts as missing).
bool game_load(void);
