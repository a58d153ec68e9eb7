#include "host/state.h"

#include <stdio.h>

#include "app/paths.h"
#include "host/ox_core.h"
#include "video/gamestate.h"

bool state_slot_path(char *out, size_t size, int slot, char kind)
{
    if (size > 0)
        out[0] = '\0';
    if (slot < 0 || slot >= STATE_SLOTS)
        return false;
    char name[16];
    snprintf(name, sizeof name, RES_DIR "%u%c", (unsigned)slot, kind);
    return data_path(out, size, name);
}

void state_slot_op(int slot, bool save)
{
    char path[PATH_BUFFER_SIZE];
    if (!state_slot_path(path, sizeof path, slot, 'S'))
        return;
    if (!save) {
        ox_state_load(path);
        return;
    }
    ox_state_save(path);
    if (state_slot_path(path, sizeof path, slot, 'P'))
        gamestate.save_screenshot(path);
}
