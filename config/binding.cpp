#include "config/binding.h"

#include "base/log.h"
#include "config/gameinfo.h"
#include "core_api/ox_core.h"

int input_button_count(void)
{
    static int logged = 1;   // the last count logged as absurd; a sane count is never logged
    int n = ox_button_get_count();
    int used = n < 0 ? 0 : n;
    if (used > MAX_BUTTONS)
        used = MAX_BUTTONS;
    if ((n < 1 || n > MAX_BUTTONS) && n != logged) {
        log_write("the component reports %i buttons, %i are used\n", n, used);
        logged = n;
    }
    return used;
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
