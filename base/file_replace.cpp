#include "base/file_replace.h"

#include "base/file_replace_platform.h"
#include "base/log.h"

#define REPLACE_ATTEMPTS 64   // names tried before giving up when every one is taken

bool replace_begin(FileReplace *r, const char *path)
{
    r->file = nullptr;
    r->temp_path[0] = '\0';
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

bool replace_commit(FileReplace *r)
{
    if (!r->temp_path[0])
        return false;
    const char *reason;
    if (r->file) {
        reason = replace_close_to_disk(r->file);
        r->file = nullptr;
    } else {
        reason = replace_sync_written(r->temp_path);
    }
    if (!reason)
        reason = replace_rename(r->temp_path, r->path);
    if (reason) {
        log_write("cannot save %s: %s\n", r->path, reason);
        replace_discard(r);
        return false;
    }
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
