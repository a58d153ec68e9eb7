#include "input/binding.h"

#include <string.h>

#include "config/conf_file.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/ox_core.h"

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

// Calls apply for the named player, or for every bound player when player is negative.
// A player beyond the table is left alone.
static void for_players(int player, void (*apply)(int player))
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
    for_players(player, clear_player);
}

static void default_player(int player)
{
    int buttons = input_button_count();
    for (int b = 0; b < buttons; b++) {
        Binding *slots = settings.bindings[player][b];
        slots[0] = Binding{};
        slots[0].type = BIND_KEY;
        slots[0].code = ox_button_get_default_keyboard(b);
        slots[1] = Binding{};
        slots[1].type = b < 4 ? BIND_HAT : BIND_BUTTON;
        slots[1].value = ox_button_get_default_joystick(b);
    }
}

void bindings_set_defaults(int player)
{
    for_players(player, default_player);
    // The game's own layout replaces the proposals of every player.
    if (conf_open(RES_DIR "donf", "rb")) {
        bindings_load();
        conf_close();
    }
}
