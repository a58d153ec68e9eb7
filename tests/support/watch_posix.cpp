// Watching the code under test on POSIX systems.
#include "support/watch.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include "base/log.h"

LogCapture::LogCapture()
{
    char name[] = "/tmp/player_log_XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0)
        close(fd);
    path = name;
    log_open(path.c_str());
}

void finish_within_seconds(const std::function<int(void)> &run)
{
    alarm(WATCH_ALARM_SECONDS);
    _exit(run());
}
