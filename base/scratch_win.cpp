// Scratch folders on Windows: in the user's own temporary folder, so the history lives on disk
// there, usually held in the system's file cache. Each folder gets permissions of its own
// (its owner and the system only, nothing inherited), so it stays private also where %TEMP%
// points at a folder other users share. Entries that are reparse points (links, junctions)
// are never entered nor removed.
#define _CRT_RAND_S
#include "base/scratch.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <windows.h>
#include <sddl.h>

#include "base/log.h"
#include "base/paths.h"

#define SCRATCH_TRIES 16

// The user's temporary folder with its separator, or false.
static bool temp_folder(char *out, size_t size)
{
    DWORD n = GetTempPathA((DWORD)size, out);
    return n > 0 && n < size;
}

bool scratch_folder_make(char *out, size_t size)
{
    char base[MAX_PATH + 1];
    if (!temp_folder(base, sizeof base)) {
        log_write("no scratch folder: the temporary folder is unknown\n");
        return false;
    }
    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, FALSE};
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;OICI;FA;;;OW)(A;OICI;FA;;;SY)",
                                                              SDDL_REVISION_1, &security.lpSecurityDescriptor,
                                                              nullptr)) {
        log_write("no scratch folder: its permissions cannot be formed\n");
        return false;
    }
    bool made = false;
    // CreateDirectory fails on any existing entry, so a name taken is never reused.
    for (int i = 0; i < SCRATCH_TRIES && !made; i++) {
        unsigned int high = 0, low = 0;
        if (rand_s(&high) != 0 || rand_s(&low) != 0)
            break;
        int n = snprintf(out, size, "%s" SCRATCH_PREFIX "%lu-%08x%08x\\", base,
                         (unsigned long)GetCurrentProcessId(), high, low);
        if (n < 0 || (size_t)n >= size)
            break;
        made = CreateDirectoryA(out, &security) != 0;
        if (!made && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    if (!made) {
        log_write("no scratch folder in %s (system error %lu)\n", base, (unsigned long)GetLastError());
        out[0] = '\0';
    }
    LocalFree(security.lpSecurityDescriptor);
    return made;
}

// Removes folder (no separator at its end) with the files in it, when it is a real folder.
static bool remove_folder(const char *folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return false;
    char pattern[PATH_BUFFER_SIZE];
    int n = snprintf(pattern, sizeof pattern, "%s\\*", folder);
    if (n < 0 || (size_t)n >= sizeof pattern)
        return false;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            char file[PATH_BUFFER_SIZE];
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            n = snprintf(file, sizeof file, "%s\\%s", folder, found.cFileName);
            if (n > 0 && (size_t)n < sizeof file)
                DeleteFileA(file);   // a link goes itself, never what it points at
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(folder) != 0;
}

void scratch_folder_remove(const char *path)
{
    char folder[PATH_BUFFER_SIZE];
    int n = snprintf(folder, sizeof folder, "%s", path);
    if (n <= 1 || (size_t)n >= sizeof folder)
        return;
    while (n > 1 && (folder[n - 1] == '\\' || folder[n - 1] == '/'))
        folder[--n] = '\0';
    remove_folder(folder);
}

// A process of that id still runs (one this user may not look at included).
static bool process_alive(unsigned long pid)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, (DWORD)pid);
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool alive = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return alive;
}

int scratch_sweep(void)
{
    char base[MAX_PATH + 1];
    char pattern[PATH_BUFFER_SIZE];
    if (!temp_folder(base, sizeof base))
        return 0;
    int n = snprintf(pattern, sizeof pattern, "%s" SCRATCH_PREFIX "*", base);
    if (n < 0 || (size_t)n >= sizeof pattern)
        return 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    int removed = 0;
    do {
        long pid = scratch_name_pid(found.cFileName);
        char folder[PATH_BUFFER_SIZE];
        if (pid <= 0 || (unsigned long)pid == GetCurrentProcessId() ||
            !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || process_alive((unsigned long)pid))
            continue;
        n = snprintf(folder, sizeof folder, "%s%s", base, found.cFileName);
        if (n > 0 && (size_t)n < sizeof folder)
            removed += remove_folder(folder);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return removed;
}
