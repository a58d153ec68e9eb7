// Watching the code under test on Windows.
#include "support/watch.h"

#include <stdlib.h>

#include <windows.h>

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
