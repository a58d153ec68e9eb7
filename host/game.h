// Loading the one game of the player into the component.
#pragma once

#define GAME_PATH_SIZE 260
// Largest res/game handed to the component: far above our component's own maximum (a few
// tens of kilobytes), roomy for the biggest cartridges of the machines such components run.
#define GAME_READ_LIMIT (64 * 1024 * 1024)

// Titles the window, hands res/game to the component, fits the window to the game's screen
// and resets the machine. False when the component refuses the game, when res/game is not a
// regular file of at most GAME_READ_LIMIT bytes, or when its path is too long to form.
bool game_load(void);
