#include "base/paths.h"

#include <stdio.h>
#include <string.h>

#include "base/platform.h"

char exe_dir[PATH_BUFFER_SIZE];

void cut_after_last_separator(char *path)
{
    for (size_t i = strlen(path); i > 0; i--) {
        if (path[i - 1] == '\\' || path[i - 1] == '/') {
            path[i] = '\0';
            return;
        }
    }
}

void exe_dir_init(void)
{
    platform_exe_path(exe_dir, sizeof exe_dir);
    cut_after_last_separator(exe_dir);
}

bool path_store(char *out, size_t size, const char *path, size_t length)
{
    if (size > 0)
        out[0] = '\0';
    if (length == 0 || length >= size)
        return false;
    memcpy(out, path, length);
    out[length] = '\0';
    return true;
}

bool data_path(char *out, size_t size, const char *name)
{
    if (size == 0)
        return false;
    // An unknown folder would turn every name into one relative to wherever the player was
    // started, so no name is formed at all.
    if (exe_dir[0] == '\0') {
        out[0] = '\0';
        return false;
    }
    int n = snprintf(out, size, "%s%s", exe_dir, name);
    if (n < 0 || (size_t)n >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}
