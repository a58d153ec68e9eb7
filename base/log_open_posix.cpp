// Opening the log file on POSIX systems.
#include "base/log.h"

#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

bool log_open(const char *path)
{
    log_close();
    // No O_TRUNC yet: what the name holds is checked first. O_NONBLOCK keeps a FIFO with no
    // reader from holding up the start.
    int fd = open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == ELOOP)
            log_write("Error: log file %s is a symbolic link, not written\n", path);
        else
            log_write("Error: can't open log file %s: %s\n", path, strerror(errno));
        return false;
    }
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
        log_write("Error: log file %s is not a plain file, not written\n", path);
        close(fd);
        return false;
    }
    if (ftruncate(fd, 0) != 0 || !(log_file = fdopen(fd, "w"))) {
        log_write("Error: can't open log file %s: %s\n", path, strerror(errno));
        close(fd);
        return false;
    }
    return true;
}
