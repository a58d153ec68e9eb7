// Watching the code under test on Windows.
#include "support/watch.h"

#include <stdlib.h>

#include <windows.h>

#include "base/log.h"

LogCapture::LogCapture()
{
    char base[MAX_PATH];
    char name[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    if (n > 0 && n < sizeof base && GetTempFileNameA(base, "log", 0, name))
        path = name;
    log_open(path.c_str());
}

// Ends the process when the watched call has not returned in time.
static DWORD WINAPI alarm_thread(LPVOID)
{
    Sleep(WATCH_ALARM_SECONDS * 1000);
    ExitProcess(14);
}

void finish_within_seconds(const std::function<int(void)> &run)
{
    CreateThread(nullptr, 0, alarm_thread, nullptr, 0, nullptr);
    _exit(run());
}
