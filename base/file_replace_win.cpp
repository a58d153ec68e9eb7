// Whole-file replacement on Windows: the temporary file is created with CREATE_NEW (which
// never opens an existing name, a link included), flushed to the disk with FlushFileBuffers
// and moved over the target with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
#include "base/file_replace_platform.h"

#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include "base/platform_win.h"

uint32_t replace_unique_number(void)
{
    static uint32_t counter;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint32_t x = (uint32_t)GetCurrentProcessId() * 2654435761u ^ (uint32_t)now.QuadPart ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

const char *replace_create(const char *temp_path, FILE **file, bool *taken)
{
    HANDLE h = CreateFileA(temp_path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        *taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        return system_error_text(error);
    }
    int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
    } else {
        *file = _fdopen(fd, "wb");
        if (!*file)
            _close(fd);
    }
    if (!*file) {
        DeleteFileA(temp_path);
        return "no stream for the temporary file";
    }
    return nullptr;
}

const char *replace_close_to_disk(FILE *file)
{
    const char *reason = nullptr;
    if (fflush(file) != 0 || ferror(file))
        reason = "the file could not be written";
    else if (!FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(file))))
        reason = system_error_text(GetLastError());
    if (fclose(file) != 0 && !reason)
        reason = "the file could not be closed";
    return reason;
}

const char *replace_sync_written(const char *path)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return system_error_text(GetLastError());
    const char *reason = FlushFileBuffers(h) ? nullptr : system_error_text(GetLastError());
    CloseHandle(h);
    return reason;
}

const char *replace_rename(const char *from, const char *to)
{
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return nullptr;
    return system_error_text(GetLastError());
}

void replace_remove(const char *path) { DeleteFileA(path); }

const char *replace_lock_try(const char *path, intptr_t *handle, bool *busy)
{
    // No sharing: a second opener, in this process or another, is refused until it closes.
    HANDLE h = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        *busy = error == ERROR_SHARING_VIOLATION;
        return system_error_text(error);
    }
    *busy = false;
    *handle = (intptr_t)h;
    return nullptr;
}

void replace_unlock(intptr_t handle) { CloseHandle((HANDLE)handle); }
