// Opening data files for reading on Windows.
#include "base/file_read.h"

#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include "base/log.h"
#include "base/platform_win.h"

// Opens path for reading and checks what was opened, so the check and the read concern the
// same file: a disk file (never a device, pipe or directory) of at most limit bytes.
static HANDLE open_checked(const char *path, size_t limit)
{
    // Others may read it, and replace it whole (a rename over it needs delete sharing).
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            log_write("cannot open %s: %s\n", path, system_error_text(error));
        return INVALID_HANDLE_VALUE;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        log_write("not a regular file: %s\n", path);
        CloseHandle(h);
        return INVALID_HANDLE_VALUE;
    }
    unsigned long long size = ((unsigned long long)info.nFileSizeHigh << 32) | info.nFileSizeLow;
    if (size > limit) {
        log_write("file too large: %s (%llu bytes, at most %llu)\n", path, size, (unsigned long long)limit);
        CloseHandle(h);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

FILE *read_open(const char *path, size_t limit)
{
    HANDLE h = open_checked(path, limit);
    if (h == INVALID_HANDLE_VALUE)
        return nullptr;
    int fd = _open_osfhandle((intptr_t)h, _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        return nullptr;
    }
    FILE *f = _fdopen(fd, "rb");
    if (!f)
        _close(fd);
    return f;
}

bool read_check(const char *path, size_t limit)
{
    HANDLE h = open_checked(path, limit);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

bool file_present(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
