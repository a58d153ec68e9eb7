#include "base/user_dir.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "base/file_replace.h"
#include "base/log.h"
#include "base/platform.h"

char user_dir[PATH_BUFFER_SIZE];
static bool res_read_only;   // res/ could not be written at start-up

bool user_dir_for(char *out, size_t size, bool windows, const char *appdata, const char *xdg,
                  const char *home, const char *name)
{
    std::string dir;
    if (windows && appdata && *appdata)
        dir = std::string(appdata) + "\\" + name + "\\";
    else if (!windows && xdg && xdg[0] == '/')
        dir = std::string(xdg) + "/" + name + "/";
    else if (!windows && home && *home)
        dir = std::string(home) + "/.local/share/" + name + "/";
    if (size > 0)
        out[0] = '\0';
    if (dir.empty() || dir.size() >= size)
        return false;
    memcpy(out, dir.c_str(), dir.size() + 1);
    return true;
}

// Whether a new file can be made in res/: the one test that holds for read-only folders,
// missing rights and folders the system redirects alike.
static bool res_writable(void)
{
    char probe[PATH_BUFFER_SIZE];
    if (!data_path(probe, sizeof probe, RES_DIR "write_check"))
        return false;
    std::string lines;   // a refusal is the expected answer here, not an error to log
    log_defer(&lines);
    FileReplace r;
    bool ok = replace_begin(&r, probe);
    log_defer(nullptr);
    replace_discard(&r);
    return ok;
}

// Creates every missing folder of dir (ending in a separator).
static void make_dirs(const char *dir)
{
    std::string path = dir;
    for (size_t i = 1; i < path.size(); i++) {
        if (path[i] != '/' && path[i] != '\\')
            continue;
        std::string part = path.substr(0, i);
        if (part.size() == 2 && part[1] == ':')
            continue;   // a drive
        platform_make_dir(part.c_str());
    }
}

void user_dir_init(const char *name)
{
    user_dir[0] = '\0';
    res_read_only = exe_dir[0] != '\0' && !res_writable();
    if (!res_read_only)
        return;
#if defined(_WIN32)
    const bool windows = true;
#else
    const bool windows = false;
#endif
    char dir[PATH_BUFFER_SIZE];
    if (!user_dir_for(dir, sizeof dir, windows, getenv("APPDATA"), getenv("XDG_DATA_HOME"),
                      getenv("HOME"), name))
        return;
    make_dirs(dir);
    memcpy(user_dir, dir, sizeof user_dir);
}

void user_dir_log(void)
{
    if (user_dir[0] != '\0')
        log_write("res/ cannot be written: settings, saves and the log go to %s\n", user_dir);
    else if (res_read_only)
        log_write("res/ cannot be written and there is no user folder: nothing is saved\n");
}

bool user_save_path(char *out, size_t size, const char *name)
{
    if (user_dir[0] == '\0')
        return data_path(out, size, name);
    const size_t prefix = strlen(RES_DIR);
    const char *base = strncmp(name, RES_DIR, prefix) == 0 ? name + prefix : name;
    int n = snprintf(out, size, "%s%s", user_dir, base);
    if (n < 0 || (size_t)n >= size) {
        if (size > 0)
            out[0] = '\0';
        return false;
    }
    return true;
}

bool user_load_path(char *out, size_t size, const char *name)
{
    struct stat info;
    if (user_dir[0] != '\0' && user_save_path(out, size, name) && stat(out, &info) == 0)
        return true;
    return data_path(out, size, name);
}
