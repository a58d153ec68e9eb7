#include "host/state.h"

#include <stdio.h>
#include <unistd.h>

#include "base/file_read.h"
#include "base/file_replace.h"
#include "base/log.h"
#include "base/paths.h"
#include "record/ox_core.h"
#include "video/screenshot.h"

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

static bool state_slot_load(int slot, const char *path)
{
    // A missing file still goes to the component, which reports it; anything else that is
    // there must be a regular file of a sane size, so a FIFO or a device never stalls it.
    if (access(path, F_OK) == 0 && !read_check(path, STATE_READ_LIMIT)) {
        log_write("cannot load slot %i: unusable state file\n", slot);
        return false;
    }
    if (!ox_state_load(path)) {
        log_write("cannot load slot %i: the component refused %s\n", slot, path);
        return false;
    }
    return true;
}

// The state and its preview both go to temporary files first and are renamed into place
// together only once the component saved the state, so a failed or interrupted save leaves
// the old pair: a slot never shows a picture of another moment than its state.
static bool state_slot_save(int slot, const char *path)
{
    char preview_path[PATH_BUFFER_SIZE];
    FileReplace preview = {};   // all empty: discarding it then does nothing
    bool with_preview = state_slot_path(preview_path, sizeof preview_path, slot, 'P') &&
                        replace_begin(&preview, preview_path);
    if (with_preview && !screenshot_write_frame(preview.file)) {
        replace_discard(&preview);
        with_preview = false;   // the state is still worth saving; the old picture stays
    }
    FileReplace state;
    if (!replace_begin(&state, path)) {
        log_write("cannot save slot %i\n", slot);
        replace_discard(&preview);
        return false;
    }
    replace_hand_over(&state);
    if (!ox_state_save(state.temp_path)) {
        log_write("cannot save slot %i: the component refused to save its state\n", slot);
        replace_discard(&state);
        replace_discard(&preview);
        return false;
    }
    if (!replace_commit(&state)) {
        log_write("cannot save slot %i\n", slot);
        replace_discard(&preview);
        return false;
    }
    if (with_preview && !replace_commit(&preview))
        log_write("slot %i saved without its new preview picture\n", slot);
    return true;
}

bool state_slot_stored(int slot)
{
    char path[PATH_BUFFER_SIZE];
    return state_slot_path(path, sizeof path, slot, 'S') && access(path, F_OK) == 0 &&
           read_check(path, STATE_READ_LIMIT);
}

bool state_slot_op(int slot, bool save)
{
    char path[PATH_BUFFER_SIZE];
    if (!state_slot_path(path, sizeof path, slot, 'S'))
        return false;
    return save ? state_slot_save(slot, path) : state_slot_load(slot, path);
}
