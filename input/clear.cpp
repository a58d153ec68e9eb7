#include "input/input.h"

#include <string.h>

#include "config/binding.h"
#include "config/settings.h"

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
