// Opening data files for reading on POSIX systems.
#include "base/file_read.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/log.h"

// Opens without waiting (a FIFO would block a plain open until a writer appears), then
// checks what was opened, so the check and the read concern the same file.
static int open_checked(const char *path, size_t limit)
{
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT)
            log_write("cannot open %s: %s\n", path, strerror(errno));
        return -1;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        log_write("not a regular file: %s\n", path);
        close(fd);
        return -1;
    }
    if ((unsigned long long)st.st_size > limit) {
        log_write("file too large: %s (%lld bytes, at most %zu)\n", path, (long long)st.st_size, limit);
        close(fd);
        return -1;
    }
    // Regular files never block; clearing the flag keeps later reads ordinary.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

FILE *read_open(const char *path, size_t limit)
{
    int fd = open_checked(path, limit);
    if (fd < 0)
        return nullptr;
    FILE *f = fdopen(fd, "rb");
    if (!f)
        close(fd);
    return f;
}

bool read_check(const char *path, size_t limit)
{
    int fd = open_checked(path, limit);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

bool file_present(const char *path)
{
    struct stat st;
    return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}
