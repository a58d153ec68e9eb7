// Loading the one game of the player into the component.
#pragma once

#define GAME_PATH_SIZE 260   // the game's path, terminator included

// Titles the window, hands res/game to the component, reads the game's screen size, fits the
// window to it and resets the machine. False when the component refuses the game or reports a
// screen size no machine has, when res/game is not a regular file (of any size: only the
// component reads it), or when its path does not fit GAME_PATH_SIZE; each is logged with the
// reason.
bool game_load(void);
