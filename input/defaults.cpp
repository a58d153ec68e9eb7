#include "input/defaults.h"

#include "base/conf_file.h"
#include "config/settings.h"
#include "record/ox_core.h"

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
    bindings_for_players(player, default_player);
    // The game's own layout replaces the proposals of every player.
    if (conf_open(DEFAULT_BINDINGS_FILE)) {
        bindings_load();
        conf_close();
    }
}
