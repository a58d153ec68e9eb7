#include "config/settings.h"
#include "input/devices.h"
#include "core_api/ox_core.h"
#include "input/input.h"
#include "input/capture.h"
#include "input/labels.h"
#include "input/pad_nav.h"

// Bindings whose control was down when the menu closed: the press that closed it (Return
// or A on "Play", B) was meant for the menu; and those on a key that made a hotkey. Each
// reads as released until let go.
static bool held_back[MAX_PLAYERS][MAX_BUTTONS][MAX_SLOTS];

void input_hold_back_held(void)
{
    for (int p = 0; p < MAX_PLAYERS; p++)
        for (int b = 0; b < MAX_BUTTONS; b++)
            for (int s = 0; s < MAX_SLOTS; s++)
                held_back[p][b][s] = binding_down(input_devices(), settings.bindings[p][b][s]);
}

void input_hold_back_key(int32_t scancode)
{
    for (int p = 0; p < MAX_PLAYERS; p++)
        for (int b = 0; b < MAX_BUTTONS; b++)
            for (int s = 0; s < MAX_SLOTS; s++) {
                const Binding &binding = settings.bindings[p][b][s];
                if (binding.type == BIND_KEY && binding.code == scancode)
                    held_back[p][b][s] = true;
            }
}

static bool binding_active(int player, int button, int slot)
{
    const Binding &binding = settings.bindings[player][button][slot];
    const Devices &devices = input_devices();
    bool down = binding_down(devices, binding);
    if (!down)
        held_back[player][button][slot] = false;
    return down && !held_back[player][button][slot] && !pad_nav_hides(devices, binding, settings.guide);
}

bool input_step(bool hidden)
{
    const bool waited = capture_row() >= 0;
    const bool took = capture_take();
    if (waited)
        return took;
    int players = input_player_count();
    int buttons = input_button_count();
    for (int p = 0; p < players; p++) {
        for (int b = 0; b < buttons; b++) {
            // Both slots are read every frame, even when the first is already active. The
            // menu's Back+Start pair, held together while the guide setting is on, never reaches
            // the game.
            bool first = binding_active(p, b, 0);
            bool second = binding_active(p, b, 1);
            ox_button_set_state(p, b, (first || second) && !hidden);
        }
    }
    return false;
}
