#include "base/file_replace.h"

#include "base/file_replace_platform.h"
#include "base/log.h"

#define REPLACE_ATTEMPTS 64   // names tried before giving up when every one is taken

bool replace_begin(FileReplace *r, const char *path)
{
    r->file = nullptr;
    r->temp_path[0] = '\0';
    r->on_disk = false;
    int n = snprintf(r->path, sizeof r->path, "%s", path);
    if (n < 0 || (size_t)n >= sizeof r->path) {
        log_write("cannot save %s: name too long\n", path);
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
        log_write("cannot save %s: %s\n", path, reason);
        r->temp_path[0] = '\0';
        return false;
    }
    log_write("cannot save %s: no free temporary name\n", path);
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
    log_write("cannot save %s: %s\n", r->path, reason);
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
