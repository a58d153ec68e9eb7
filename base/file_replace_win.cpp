// Whole-file replacement on Windows: the temporary file is created with CREATE_NEW (which
// never opens an existing name, a link included), flushed to the disk with FlushFileBuffers
// and moved over the target with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH.
#include "base/file_replace.h"

#include <fcntl.h>
#include <io.h>
#include <stdint.h>

#include <windows.h>

#include "base/log.h"
#include "base/platform_win.h"

#define REPLACE_ATTEMPTS 64   // names tried before giving up when every one is taken

// A name part that differs between processes and between calls of one process.
static uint32_t unique_number(void)
{
    static uint32_t counter;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    uint32_t x = (uint32_t)GetCurrentProcessId() * 2654435761u ^ (uint32_t)now.QuadPart ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

bool replace_begin(FileReplace *r, const char *path)
{
    r->file = nullptr;
    r->temp_path[0] = '\0';
    int n = snprintf(r->path, sizeof r->path, "%s", path);
    if (n < 0 || (size_t)n >= sizeof r->path) {
        log_write("cannot save %s: name too long\n", path);
        return false;
    }
    for (int attempt = 0; attempt < REPLACE_ATTEMPTS; attempt++) {
        snprintf(r->temp_path, sizeof r->temp_path, "%s.%08x", path, (unsigned)unique_number());
        HANDLE h = CreateFileA(r->temp_path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
                continue;
            log_write("cannot save %s: %s\n", path, system_error_text(error));
            r->temp_path[0] = '\0';
            return false;
        }
        int fd = _open_osfhandle((intptr_t)h, _O_WRONLY | _O_BINARY);
        if (fd < 0) {
            CloseHandle(h);
        } else {
            r->file = _fdopen(fd, "wb");
            if (!r->file)
                _close(fd);
        }
        if (!r->file) {
            log_write("cannot save %s: no stream for the temporary file\n", path);
            replace_discard(r);
            return false;
        }
        return true;
    }
    log_write("cannot save %s: no free temporary name\n", path);
    r->temp_path[0] = '\0';
    return false;
}

// Writes out, pushes to the disk and closes r->file; the reason when that failed, else null.
static const char *close_to_disk(FileReplace *r)
{
    const char *reason = nullptr;
    if (fflush(r->file) != 0 || ferror(r->file))
        reason = "the file could not be written";
    else if (!FlushFileBuffers((HANDLE)_get_osfhandle(_fileno(r->file))))
        reason = system_error_text(GetLastError());
    if (fclose(r->file) != 0 && !reason)
        reason = "the file could not be closed";
    r->file = nullptr;
    return reason;
}

// Pushes a temporary file that another party wrote (and closed) to the disk; the reason
// when that failed, else null.
static const char *sync_written(const char *path)
{
    HANDLE h = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return system_error_text(GetLastError());
    const char *reason = FlushFileBuffers(h) ? nullptr : system_error_text(GetLastError());
    CloseHandle(h);
    return reason;
}

void replace_hand_over(FileReplace *r)
{
    if (r->file) {
        fclose(r->file);
        r->file = nullptr;
    }
}

bool replace_commit(FileReplace *r)
{
    if (!r->temp_path[0])
        return false;
    const char *reason = r->file ? close_to_disk(r) : sync_written(r->temp_path);
    if (!reason && !MoveFileExA(r->temp_path, r->path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        reason = system_error_text(GetLastError());
    if (reason) {
        log_write("cannot save %s: %s\n", r->path, reason);
        replace_discard(r);
        return false;
    }
    r->temp_path[0] = '\0';
    return true;
}

void replace_discard(FileReplace *r)
{
    if (r->file) {
        fclose(r->file);
        r->file = nullptr;
    }
    if (r->temp_path[0])
        DeleteFileA(r->temp_path);
    r->temp_path[0] = '\0';
}
