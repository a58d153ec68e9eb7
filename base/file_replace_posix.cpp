#include "base/file_replace_platform.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

uint32_t replace_unique_number(void)
{
    static uint32_t counter;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint32_t x = (uint32_t)getpid() * 2654435761u ^ (uint32_t)now.tv_nsec ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

const char *replace_create(const char *temp_path, FILE **file, bool *taken)
{
    // O_EXCL fails on any existing name, a link included, so nothing is written through one.
    int fd = open(temp_path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        *taken = errno == EEXIST;
        return strerror(errno);
    }
    *file = fdopen(fd, "wb");
    if (!*file) {
        const char *reason = strerror(errno);
        close(fd);
        unlink(temp_path);
        return reason;
    }
    return nullptr;
}

const char *replace_close_to_disk(FILE *file)
{
    bool ok = fflush(file) == 0 && !ferror(file) && fsync(fileno(file)) == 0;
    int saved = errno;
    if (fclose(file) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    return ok ? nullptr : strerror(saved);
}

const char *replace_sync_written(const char *path)
{
    int fd = open(path, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return strerror(errno);
    bool ok = fsync(fd) == 0;
    int saved = errno;
    close(fd);
    return ok ? nullptr : strerror(saved);
}

const char *replace_rename(const char *from, const char *to)
{
    return rename(from, to) == 0 ? nullptr : strerror(errno);
}

void replace_remove(const char *path) { unlink(path); }

const char *replace_lock_try(const char *path, intptr_t *handle, bool *busy)
{
    *busy = false;
    // Not waiting on open: something planted in the lock's place cannot stall the player.
    int fd = open(path, O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return strerror(errno);
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return "not a regular file";
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int saved = errno;
        close(fd);
        *busy = saved == EWOULDBLOCK;
        return strerror(saved);
    }
    *handle = fd;
    return nullptr;
}

void replace_unlock(intptr_t handle) { close((int)handle); }
