#include "input/binding.h"

#include <string.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/input.h"

int (*input_raw_button_count)(void) = ox_button_get_count;

int input_button_count(void)
{
    int n = input_raw_button_count();
    if (n < 0)
        return 0;
    return n > MAX_BUTTONS ? MAX_BUTTONS : n;
}

int input_player_count(void)
{
    int n = gameinfo.players;
    if (n < 0)
        return 0;
    return n > MAX_PLAYERS ? MAX_PLAYERS : n;
}

void bindings_for_players(int player, void (*apply)(int player))
{
    if (player >= 0) {
        if (player < MAX_PLAYERS)
            apply(player);
        return;
    }
    int players = input_player_count();
    for (int p = 0; p < players; p++)
        apply(p);
}

static void clear_player(int player)
{
    int buttons = input_button_count();
    for (int b = 0; b < buttons; b++)
        memset(settings.bindings[player][b], 0, sizeof settings.bindings[player][b]);
}

void bindings_clear(int player)
{
    bindings_for_players(player, clear_player);
}
