// Watching the code under test on POSIX systems.
#include "support/watch.h"

#include <unistd.h>

void finish_within_seconds(const std::function<int(void)> &run)
{
    alarm(WATCH_ALARM_SECONDS);
    _exit(run());
}
