// Loading the one game of the player into the component.
#pragma once

#define GAME_PATH_SIZE 260   // the game's path, terminator included

// Titles the window, hands res/game to the component, fits the window to the game's screen
// and resets the machine. False when the component refuses the game, when res/game is not a
// regular file (of any size: only the component reads it), or when its path does not fit
// GAME_PATH_SIZE; the last two are logged with the reason.
bool game_load(void);
