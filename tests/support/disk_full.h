// A disk that fills up: while run runs, files of this process stop growing at bytes (POSIX),
// so a write past it fails as on a full disk instead of ending the process.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <functional>

inline void with_disk_full(rlim_t bytes, const std::function<void(void)> &run)
{
    struct rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    struct rlimit small = {bytes, before.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    run();
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, SIG_DFL);
}
