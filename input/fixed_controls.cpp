#include "input/fixed_controls.h"

#include <SDL.h>

#include "config/settings.h"

static_assert(FAST_FORWARD_KEY == SDL_SCANCODE_TAB, "fast-forward is on Tab");

bool pad_button_bound(const Binding (*table)[MAX_BUTTONS][MAX_SLOTS], int32_t players, int32_t buttons,
                      int32_t button)
{
    players = players < MAX_PLAYERS ? players : MAX_PLAYERS;
    buttons = buttons < MAX_BUTTONS ? buttons : MAX_BUTTONS;
    for (int32_t p = 0; p < players; p++)
        for (int32_t b = 0; b < buttons; b++)
            for (int32_t s = 0; s < MAX_SLOTS; s++)
                if (table[p][b][s].type == BIND_BUTTON && table[p][b][s].value == button)
                    return true;
    return false;
}

bool fast_forward_down(const Devices &devices, bool pad_free)
{
    if (devices.key[FAST_FORWARD_KEY])
        return true;
    for (int slot = 0; pad_free && slot < MAX_JOYSTICKS; slot++) {
        const PadState &pad = devices.pad[slot];
        if (pad.joystick && pad.buttons > FAST_FORWARD_PAD_BUTTON && pad.button[FAST_FORWARD_PAD_BUTTON])
            return true;
    }
    return false;
}

bool fast_forward_pad_free(void)
{
    return !pad_button_bound(settings.bindings, input_player_count(), input_button_count(),
                             FAST_FORWARD_PAD_BUTTON);
}

bool fast_forward_held(const Devices &devices)
{
    return fast_forward_down(devices, fast_forward_pad_free());
}

const char *pad_controls_text(bool pad_free)
{
    return pad_free ? "Pad 8: rewind, 5: fast forward" : "Pad 8: rewind";
}
