#include "base/file_replace.h"

#include "base/file_replace_platform.h"
#include "base/log.h"

#include <ctype.h>
#include <string.h>

#include <SDL.h>

#define REPLACE_ATTEMPTS 64   // names tried before giving up when every one is taken

void reason_words(const char *system_reason, char *out, size_t size)
{
    snprintf(out, size, "%s", system_reason);
    size_t n = strlen(out);
    while (n > 0 && (out[n - 1] == '.' || out[n - 1] == ' '))
        out[--n] = '\0';
    if (n > 1 && isupper((unsigned char)out[0]) && islower((unsigned char)out[1]))
        out[0] = (char)tolower((unsigned char)out[0]);
}

// Logs why r's target cannot be saved and keeps the reason for the caller.
static void replace_refuse(FileReplace *r, const char *path, const char *reason)
{
    log_write("cannot save %s: %s\n", path, reason);
    reason_words(reason, r->reason, sizeof r->reason);
}

bool replace_begin(FileReplace *r, const char *path)
{
    r->file = nullptr;
    r->temp_path[0] = '\0';
    r->on_disk = false;
    r->reason[0] = '\0';
    int n = snprintf(r->path, sizeof r->path, "%s", path);
    if (n < 0 || (size_t)n >= sizeof r->path) {
        replace_refuse(r, path, "name too long");
        return false;
    }
    for (int attempt = 0; attempt < REPLACE_ATTEMPTS; attempt++) {
        snprintf(r->temp_path, sizeof r->temp_path, "%s.%08x", path, (unsigned)replace_unique_number());
        bool taken = false;
        const char *reason = replace_create(r->temp_path, &r->file, &taken);
        if (!reason)
            return true;
        if (taken)
            continue;
        replace_refuse(r, path, reason);
        r->temp_path[0] = '\0';
        return false;
    }
    replace_refuse(r, path, "no free temporary name");
    r->temp_path[0] = '\0';
    return false;
}

void replace_hand_over(FileReplace *r)
{
    if (r->file) {
        fclose(r->file);
        r->file = nullptr;
    }
}

// Logs why r's target could not be saved and removes the temporary file.
static bool replace_fail(FileReplace *r, const char *reason)
{
    replace_refuse(r, r->path, reason);
    replace_discard(r);
    return false;
}

bool replace_flush(FileReplace *r)
{
    if (!r->temp_path[0])
        return false;
    if (r->on_disk)
        return true;
    const char *reason;
    if (r->file) {
        reason = replace_close_to_disk(r->file);
        r->file = nullptr;
    } else {
        reason = replace_sync_written(r->temp_path);
    }
    if (reason)
        return replace_fail(r, reason);
    r->on_disk = true;
    return true;
}

bool replace_commit(FileReplace *r)
{
    if (!replace_flush(r))
        return false;
    const char *reason = replace_rename(r->temp_path, r->path);
    if (reason)
        return replace_fail(r, reason);
    r->temp_path[0] = '\0';
    return true;
}

void replace_discard(FileReplace *r)
{
    replace_hand_over(r);
    if (r->temp_path[0])
        replace_remove(r->temp_path);
    r->temp_path[0] = '\0';
}

bool file_lock(FileLock *lock, const char *path)
{
    lock->held = false;
    lock->reason[0] = '\0';
    const uint64_t until = SDL_GetTicks64() + FILE_LOCK_WAIT_MS;
    for (;;) {
        bool busy = false;
        const char *reason = replace_lock_try(path, &lock->handle, &busy);
        if (!reason) {
            lock->held = true;
            return true;
        }
        if (busy && SDL_GetTicks64() < until) {
            SDL_Delay(10);
            continue;
        }
        if (busy)
            reason = "another copy of the player is saving it";
        log_write("cannot lock %s: %s\n", path, reason);
        reason_words(reason, lock->reason, sizeof lock->reason);
        return false;
    }
}

void file_unlock(FileLock *lock)
{
    if (lock->held)
        replace_unlock(lock->handle);
    lock->held = false;
}
