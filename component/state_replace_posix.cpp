// Replacing a state file whole on POSIX systems.
#include "component/state_replace.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#define STATE_MAX_PATH 1024
#define STATE_TEMP_SIZE (STATE_MAX_PATH + 16)   // path + "." + unique part
#define STATE_TEMP_ATTEMPTS 64

static uint32_t unique_number(void)
{
    static uint32_t counter;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint32_t x = (uint32_t)getpid() * 2654435761u ^ (uint32_t)now.tv_nsec ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

// Creates temp (STATE_TEMP_SIZE bytes) beside path; the open descriptor, or -1.
static int create_temp(const char *path, char *temp)
{
    for (int attempt = 0; attempt < STATE_TEMP_ATTEMPTS; attempt++) {
        int n = snprintf(temp, STATE_TEMP_SIZE, "%s.%08x", path, (unsigned)unique_number());
        if (n < 0 || n >= STATE_TEMP_SIZE)
            return -1;
        int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

static bool write_all(int fd, const uint8_t *data, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= (size_t)n;
    }
    return true;
}

bool state_file_replace(const char *path, const uint8_t *data, size_t size)
{
    char temp[STATE_TEMP_SIZE];
    int fd = create_temp(path, temp);
    if (fd < 0)
        return false;
    bool ok = write_all(fd, data, size) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp, path) == 0)
        return true;
    unlink(temp);
    return false;
}
