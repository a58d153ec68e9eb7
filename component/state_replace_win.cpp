// Replacing a state file whole on Windows: CREATE_NEW never opens an existing name, the data
// reaches the disk with FlushFileBuffers, and MoveFileExA replaces the target in one step.
#include "component/state_replace.h"

#include <stdio.h>

#include <windows.h>

#define STATE_MAX_PATH 1024
#define STATE_TEMP_SIZE (STATE_MAX_PATH + 16)   // path + "." + unique part
#define STATE_TEMP_ATTEMPTS 64

static uint32_t unique_number(void)
{
    static uint32_t counter;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint32_t x = (uint32_t)GetCurrentProcessId() * 2654435761u ^ (uint32_t)now.QuadPart ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

// Creates temp (STATE_TEMP_SIZE bytes) beside path; the open handle, or INVALID_HANDLE_VALUE.
static HANDLE create_temp(const char *path, char *temp)
{
    for (int attempt = 0; attempt < STATE_TEMP_ATTEMPTS; attempt++) {
        int n = snprintf(temp, STATE_TEMP_SIZE, "%s.%08x", path, (unsigned)unique_number());
        if (n < 0 || n >= STATE_TEMP_SIZE)
            return INVALID_HANDLE_VALUE;
        HANDLE h = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return h;
    }
    return INVALID_HANDLE_VALUE;
}

bool state_file_replace(const char *path, const uint8_t *data, size_t size)
{
    char temp[STATE_TEMP_SIZE];
    HANDLE h = create_temp(path, temp);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = size <= MAXDWORD && WriteFile(h, data, (DWORD)size, &written, nullptr) && written == size &&
              FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    if (ok && MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temp);
    return false;
}
