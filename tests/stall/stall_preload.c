/* Preloaded into the player, holds it inside the flush of one chosen file, so a test can
 * kill it at that moment of a save:
 *   STALL_FSYNC_MATCH  part of the path of the file whose fsync never returns
 *   STALL_FSYNC_MARK   file created once the player is held there
 * Every other fsync goes through. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int fsync(int fd)
{
    static int (*real_fsync)(int);
    if (!real_fsync)
        real_fsync = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    const char *match = getenv("STALL_FSYNC_MATCH");
    const char *mark = getenv("STALL_FSYNC_MARK");
    char link[64];
    char path[4096];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t n = readlink(link, path, sizeof path - 1);
    path[n > 0 ? n : 0] = '\0';
    if (match && mark && strstr(path, match)) {
        close(open(mark, O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        for (;;)
            pause();
    }
    return real_fsync(fd);
}
