#include "input/capture.h"

#include "config/gameinfo.h"

int32_t capture_button = -1;
int32_t capture_slot = 0;
int32_t shown_player = 0;

int edited_player(void)
{
    if (gameinfo.players > 1 && shown_player >= 0 && shown_player < MAX_PLAYERS)
        return shown_player;
    return 0;
}
