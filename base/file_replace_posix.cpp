#include "base/file_replace.h"

#include <errno.h>
#include <fcntl.h>
#include <stdint.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include "base/log.h"

#define REPLACE_ATTEMPTS 64   // names tried before giving up when every one is taken

// A name part that differs between processes and between calls of one process.
static uint32_t unique_number(void)
{
    static uint32_t counter;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint32_t x = (uint32_t)getpid() * 2654435761u ^ (uint32_t)now.tv_nsec ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

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
        snprintf(r->temp_path, sizeof r->temp_path, "%s.%08x", path, (unsigned)unique_number());
        // O_EXCL fails on any existing name, a link included, so nothing is written through one.
        int fd = open(r->temp_path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            log_write("cannot save %s: %s\n", path, strerror(errno));
            r->temp_path[0] = '\0';
            return false;
        }
        r->file = fdopen(fd, "wb");
        if (!r->file) {
            log_write("cannot save %s: %s\n", path, strerror(errno));
            close(fd);
            replace_discard(r);
            return false;
        }
        return true;
    }
    log_write("cannot save %s: no free temporary name\n", path);
    r->temp_path[0] = '\0';
    return false;
}

// Writes out, pushes to the disk and closes r->file; false on any failure (errno kept).
static bool close_to_disk(FileReplace *r)
{
    bool ok = fflush(r->file) == 0 && !ferror(r->file) && fsync(fileno(r->file)) == 0;
    int saved = errno;
    if (fclose(r->file) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    r->file = nullptr;
    errno = saved;
    return ok;
}

// Pushes a temporary file that another party wrote (and closed) to the disk.
static bool sync_written(const char *path)
{
    int fd = open(path, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fsync(fd) == 0;
    int saved = errno;
    close(fd);
    errno = saved;
    return ok;
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
    bool written = r->file ? close_to_disk(r) : sync_written(r->temp_path);
    if (!written) {
        log_write("cannot save %s: %s\n", r->path, strerror(errno));
        replace_discard(r);
        return false;
    }
    if (rename(r->temp_path, r->path) != 0) {
        log_write("cannot save %s: %s\n", r->path, strerror(errno));
        replace_discard(r);
        return false;
    }
    r->temp_path[0] = '\0';
    return true;
}

void replace_discard(FileReplace *r)
{
    if (r->file) {
        fclose(r->file);
        r->file = nullptr;
    }
    if (r->temp_path[0])
        unlink(r->temp_path);
    r->temp_path[0] = '\0';
}
