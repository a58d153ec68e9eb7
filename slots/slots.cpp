#include "slots/slots.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_read.h"
#include "base/file_replace.h"
#include "base/log.h"
#include "base/paths.h"
#include "base/user_dir.h"
#include "slots/preview.h"
#include "core_api/ox_core.h"

// The reason a routine here returns when it is the system's (kept past the routine's end).
static char reason_text[REPLACE_REASON_SIZE];

static const char *system_reason(const FileReplace &r, const char *otherwise)
{
    snprintf(reason_text, sizeof reason_text, "%s", r.reason[0] ? r.reason : otherwise);
    return reason_text;
}

static bool slot_path(char *out, size_t size, int slot, char kind, bool save)
{
    if (size > 0)
        out[0] = '\0';
    if (slot < 0 || slot >= SLOTS_COUNT)
        return false;
    char name[16];
    snprintf(name, sizeof name, RES_DIR "%uS", (unsigned)slot);
    if (!(save ? user_save_path(out, size, name) : user_load_path(out, size, name)))
        return false;
    // The preview is read from where its state is, so a pair is never split between folders.
    out[strlen(out) - 1] = kind;
    return true;
}

bool slots_path(char *out, size_t size, int slot, char kind)
{
    if (!slot_path(out, size, slot, kind, false))
        return false;
    char state[PATH_BUFFER_SIZE];
    if (kind != 'P' || !slot_path(state, sizeof state, slot, 'S', false) || state_pair_whole(state, out))
        return true;
    log_write("slot %i: its preview is of another save than its state, so it is not shown\n", slot + 1);
    out[0] = '\0';
    return false;
}

// Copies the rest of in to out; false when a read or a write failed.
static bool copy_stream(FILE *in, FILE *out)
{
    char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, in)) > 0)
        if (fwrite(chunk, 1, n, out) != n)
            return false;
    return !ferror(in) && fflush(out) == 0;
}

// The component opens a state by name, so it is given a copy in a file of the player's own
// making: anything renamed over the state after the check (a FIFO) can then never stall it.
// The copy streams through a fixed buffer, so a state of any size costs no memory, only
// its room on the disk for the moment of the load. It is made where the player writes, so
// the saves of an install that has become read-only still load.
const char *state_file_load(const char *path)
{
    // A missing file still goes to the component, which may know states of its own.
    if (access(path, F_OK) != 0)
        return ox_state_load(path) ? nullptr : "the file is missing";
    FILE *in = read_open(path, READ_NO_LIMIT);
    if (!in)
        return "the file cannot be read";
    char copy_path[PATH_BUFFER_SIZE];
    FileReplace copy = {};
    const bool begun = user_copy_path(copy_path, sizeof copy_path, path) && replace_begin(&copy, copy_path);
    const bool copied = begun && copy_stream(in, copy.file);
    fclose(in);
    replace_hand_over(&copy);
    const bool loaded = copied && ox_state_load(copy.temp_path);
    replace_discard(&copy);
    if (!copied) {
        log_write("no copy could be made of %s\n", path);
        return begun ? "no copy could be written" : system_reason(copy, "no copy could be made");
    }
    return loaded ? nullptr : "the component refused";
}

const char *state_save_refusal(bool preview_written, bool component_saved, long long state_bytes)
{
    if (!preview_written)
        return "no preview picture could be written";
    if (!component_saved)
        return "the component refused to save its state";
    if (state_bytes <= 0)
        return "the component wrote no state into its file";
    return nullptr;
}

static long long file_bytes(const char *path)
{
    struct stat st;
    return stat(path, &st) == 0 ? (long long)st.st_size : -1;
}

// The mark a preview keeps of its state: FNV-1a over the state's bytes. False when the
// state cannot be read.
static bool state_mark(const char *path, uint64_t *mark)
{
    FILE *in = read_open(path, READ_NO_LIMIT);
    if (!in)
        return false;
    uint64_t h = 14695981039346656037ull;
    unsigned char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, in)) > 0) {
        for (size_t i = 0; i < n; i++)
            h = (h ^ chunk[i]) * 1099511628211ull;
    }
    const bool ok = !ferror(in);
    fclose(in);
    *mark = h;
    return ok;
}

bool state_pair_whole(const char *state_path, const char *preview_path)
{
    uint64_t kept, now;
    if (!preview_mark_read(preview_path, &kept))
        return true;   // a preview from before marks: shown as it always was
    return state_mark(state_path, &now) && now == kept;
}

// Both new files are complete on the disk before either is renamed, and the renames follow
// each other at once, so a failed, refused, empty or interrupted save leaves the old pair.
// The state is written first, so that its preview can carry its mark: a pair split all the
// same (a kill between the renames) is seen as such.
const char *state_pair_save(const char *state_path, const char *preview_path, const FramePicture *picture)
{
    FileReplace preview = {};   // all empty: discarding it then does nothing
    FileReplace state = {};
    if (!replace_begin(&preview, preview_path) || !replace_begin(&state, state_path)) {
        replace_discard(&preview);
        return system_reason(preview.reason[0] ? preview : state, "no temporary file could be made");
    }
    replace_hand_over(&state);
    const bool saved = picture && ox_state_save(state.temp_path);
    const long long bytes = saved ? file_bytes(state.temp_path) : -1;
    uint64_t mark = 0;
    const bool marked = bytes > 0 && state_mark(state.temp_path, &mark);
    const bool preview_written = picture && preview_write(*picture, preview.file) &&
                                 preview_mark_write(preview.file, mark) && replace_flush(&preview);
    const char *refusal = state_save_refusal(preview_written, saved, marked ? bytes : -1);
    if (!preview_written && preview.reason[0])
        refusal = system_reason(preview, refusal);   // the disk's own words: full, say
    if (!refusal && !replace_flush(&state))
        refusal = system_reason(state, "the state could not be written");
    if (refusal) {
        replace_discard(&state);
        replace_discard(&preview);
        return refusal;
    }
    if (!replace_commit(&state)) {
        replace_discard(&preview);
        return system_reason(state, "the state could not be renamed into place");
    }
    if (!replace_commit(&preview))
        log_write("%s saved without its new preview picture\n", state_path);
    return nullptr;
}

bool slots_stored(int slot)
{
    char path[PATH_BUFFER_SIZE];
    return slots_path(path, sizeof path, slot, 'S') && access(path, F_OK) == 0 &&
           read_check(path, READ_NO_LIMIT);
}

bool slots_op(int slot, bool save, const FramePicture *picture, const char **why)
{
    char path[PATH_BUFFER_SIZE];
    if (why)
        *why = "no such slot";
    if (!slot_path(path, sizeof path, slot, 'S', save))
        return false;
    const char *reason;
    if (save) {
        char preview_path[PATH_BUFFER_SIZE], lock_path[PATH_BUFFER_SIZE];
        if (!slot_path(preview_path, sizeof preview_path, slot, 'P', true) ||
            !slot_path(lock_path, sizeof lock_path, slot, 'L', true))
            return false;
        // Another copy of the player saving this slot at once would pair its state with our
        // preview.
        FileLock lock;
        if (file_lock(&lock, lock_path)) {
            reason = state_pair_save(path, preview_path, picture);
        } else {
            snprintf(reason_text, sizeof reason_text, "%s", lock.reason);
            reason = reason_text;
        }
        file_unlock(&lock);
        if (reason)
            log_write("cannot save slot %i: %s; it keeps its old state and preview\n", slot + 1, reason);
    } else {
        reason = state_file_load(path);
        if (reason)
            log_write("cannot load slot %i: %s (%s)\n", slot + 1, reason, path);
    }
    if (why)
        *why = reason;
    return !reason;
}
