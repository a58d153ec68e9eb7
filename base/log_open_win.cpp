// Opening the log file on Windows.
#include "base/log.h"

#include <fcntl.h>
#include <io.h>

#include <windows.h>

#include "base/platform_win.h"

bool log_open(const char *path)
{
    log_close();
    // A link or junction is opened itself, not followed, and then refused below; the content
    // is cut only once the name is known to hold a plain file.
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        log_write("Error: can't open log file %s: %s\n", path, system_error_text(GetLastError()));
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
        info.nNumberOfLinks != 1) {
        log_write("Error: log file %s is not a plain file, not written\n", path);
        CloseHandle(h);
        return false;
    }
    if (!SetEndOfFile(h)) {
        log_write("Error: can't open log file %s: %s\n", path, system_error_text(GetLastError()));
        CloseHandle(h);
        return false;
    }
    // Lines end in "\n" alone, the same bytes as on every other platform.
    int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(h);
        log_write("Error: can't open log file %s\n", path);
        return false;
    }
    log_file = _fdopen(fd, "wb");
    if (!log_file) {
        _close(fd);
        log_write("Error: can't open log file %s\n", path);
        return false;
    }
    return true;
}
