#include "input/defaults.h"

#include "base/conf_file.h"
#include "config/settings.h"
#include "core_api/ox_core.h"

// The component proposes one key and one pad control per button. The keys go to the first
// player alone and each player's pad controls to the pad in the slot of their own number:
// the same proposals for everyone would let one keyboard and the first pad drive both
// players at once, and leave the second pad driving nobody.
static void default_player(int player)
{
    int buttons = input_button_count();
    for (int b = 0; b < buttons; b++) {
        Binding *slots = settings.bindings[player][b];
        slots[0] = Binding{};
        if (player == 0) {
            slots[0].type = BIND_KEY;
            slots[0].code = ox_button_get_default_keyboard(b);
        }
        slots[1] = Binding{};
        slots[1].type = b < 4 ? BIND_HAT : BIND_BUTTON;
        slots[1].value = ox_button_get_default_joystick(b);
        slots[1].joyid = player;
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
