#include "input/capture.h"

#include "config/gameinfo.h"
#include "config/settings.h"
#include "input/devices.h"
#include "input/input.h"
#include "input/labels.h"

// Every key (0..255) and every joystick axis, hat and button (0..9) of four pads fits.
#define CAPTURE_HELD_MAX 512

struct Capture {
    int32_t row;                      // waiting row, or -1
    int32_t slot;
    int32_t shown_player;
    int32_t taken_key;                // the key the last capture took, or -1
    Binding held[CAPTURE_HELD_MAX];   // down when a key or pad began the capture
    int held_count;
};

static Capture capture = {-1, 0, 0, -1, {}, 0};

void capture_begin(int32_t row, int32_t slot, bool by_focus)
{
    capture.row = row;
    capture.slot = slot;
    capture.held_count = by_focus ? controls_down(input_devices(), capture.held, CAPTURE_HELD_MAX) : 0;
}

bool capture_cancel(void)
{
    bool waited = capture.row >= 0;
    capture.row = -1;
    return waited;
}

// True while a control down at the begin is still down; forgets those released.
static bool still_held(void)
{
    int kept = 0;
    for (int i = 0; i < capture.held_count; i++)
        if (binding_down(input_devices(), capture.held[i]))
            capture.held[kept++] = capture.held[i];
    capture.held_count = kept;
    return kept > 0;
}

bool capture_take(void)
{
    capture_held_key();
    Binding found = {};
    if (capture.row < 0 || still_held() || !first_pressed(input_devices(), found))
        return false;
    capture.taken_key = found.type == BIND_KEY ? found.code : -1;
    if (capture.row < input_button_count() && capture.slot >= 0 && capture.slot < MAX_SLOTS) {
        settings.bindings[edited_player()][capture.row][capture.slot] = found;
        settings_save();
    }
    capture.row = -1;
    bindings_refresh_labels();
    return true;
}

int32_t capture_row(void)
{
    return capture.row;
}

bool capture_waits_on(int32_t row, int32_t slot)
{
    return row >= 0 && capture.row == row && capture.slot == slot;
}

void capture_show_player(int32_t player)
{
    capture.shown_player = player >= 0 && player < MAX_PLAYERS ? player : 0;
}

int32_t capture_shown_player(void)
{
    return capture.shown_player;
}

int edited_player(void)
{
    return gameinfo.players > 1 ? capture.shown_player : 0;
}

int32_t capture_held_key(void)
{
    if (capture.taken_key >= 0 && !binding_down(input_devices(), Binding{BIND_KEY, capture.taken_key, 0, 0, 0}))
        capture.taken_key = -1;
    return capture.taken_key;
}
