// The component and the one game of the player loaded into it.
#pragma once

#include <stdint.h>

#define GAME_PATH_SIZE 260   // the game's path, terminator included
#define FALLBACK_FRAME_RATE 60  // frames per second assumed when the component reports none
#define MAX_FRAME_RATE 240      // no display shows more frames a second; a higher rate is held here

// Starts the component at the sound rate with the game description's options and reads its
// frame rate. game_core_shut ends it, once, and only when it was started.
void game_core_init(void);
void game_core_shut(void);

// Hands res/game to the component. False when the component refuses the game, when res/game
// is not a regular file (of any size: only the component reads it), or when its path does
// not fit GAME_PATH_SIZE; each is logged with the reason. The caller then checks the game's
// screen size and fits the window to it before game_reset.
bool game_load(void);
// Every reset of the game, the first one at start-up: resets the machine with the game loaded
// and reads the frame rate again (a rate held off the one reported is logged, once for each
// such rate). The rewind history stays, so rewinding undoes a reset chosen by mistake; the loop
// paces by game_frame_rate at every pass and so follows a changed rate by itself.
void game_reset(void);

// The component's frames per second as last read and held by frame_rate_held; 0 before the
// component started.
int32_t game_frame_rate(void);

// The component's frame rate as the loop keeps it: a rate of 0 or below gives
// FALLBACK_FRAME_RATE, one above MAX_FRAME_RATE gives MAX_FRAME_RATE.
int32_t frame_rate_held(int32_t reported);
