#include "base/user_dir.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include <string>

#include "base/file_replace.h"
#include "base/log.h"
#include "base/notice.h"
#include "base/platform.h"

char user_dir[PATH_BUFFER_SIZE];
static bool res_read_only;   // res/ could not be written at start-up
// The user folder as the environment names it, whether in use or not ("" without one): files
// saved there while res/ was read-only stay in use once it can be written again.
static char user_dir_named[PATH_BUFFER_SIZE];
static char nothing_kept[REPLACE_REASON_SIZE];   // set by user_dir_init: why nothing can be saved; else ""
static bool save_failure_shown;                  // set by user_dir_save_failed

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
    return path_store(out, size, dir.c_str(), dir.size());
}

// Whether a new file can be made in the folder of probe (a name in it): the one test that
// holds for read-only folders, missing rights and folders the system redirects alike. The
// reason of a refusal goes to why.
static bool folder_writable(const char *probe, char *why, size_t size)
{
    std::string lines;   // a refusal is an answer here, logged by the caller if at all
    log_defer(&lines);
    FileReplace r;
    bool ok = replace_begin(&r, probe);
    log_defer(nullptr);
    snprintf(why, size, "%s", r.reason);
    replace_discard(&r);
    return ok;
}

static bool res_writable(void)
{
    char probe[PATH_BUFFER_SIZE], why[REPLACE_REASON_SIZE];
    return data_path(probe, sizeof probe, RES_DIR "write_check") && folder_writable(probe, why, sizeof why);
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
#if defined(_WIN32)
    const bool windows = true;
#else
    const bool windows = false;
#endif
    user_dir_for(user_dir_named, sizeof user_dir_named, windows, getenv("APPDATA"), getenv("XDG_DATA_HOME"),
                 getenv("HOME"), name);
    nothing_kept[0] = '\0';
    res_read_only = exe_dir[0] != '\0' && !res_writable();
    if (!res_read_only)
        return;
    if (user_dir_named[0] == '\0') {
        snprintf(nothing_kept, sizeof nothing_kept, "no user folder");
        return;
    }
    make_dirs(user_dir_named);
    memcpy(user_dir, user_dir_named, sizeof user_dir);
    // The saves go there even so, each failing with the system's reason.
    char probe[PATH_BUFFER_SIZE];
    if (!user_save_path(probe, sizeof probe, RES_DIR "write_check"))
        snprintf(nothing_kept, sizeof nothing_kept, "name too long");
    else if (!folder_writable(probe, nothing_kept, sizeof nothing_kept) && !nothing_kept[0])
        snprintf(nothing_kept, sizeof nothing_kept, "the folder refuses new files");
}

void user_dir_log(void)
{
    if (nothing_kept[0] && user_dir[0] != '\0')
        log_write("res/ cannot be written, nor the user folder %s (%s): nothing is saved\n", user_dir, nothing_kept);
    else if (user_dir[0] != '\0')
        log_write("res/ cannot be written: settings, saves and the log go to %s\n", user_dir);
    else if (res_read_only)
        log_write("res/ cannot be written and there is no user folder: nothing is saved\n");
    if (nothing_kept[0])
        user_dir_save_failed(nothing_kept);
}

void user_dir_save_failed(const char *reason)
{
    if (save_failure_shown)
        return;
    save_failure_shown = true;
    char text[NOTICE_TEXT_SIZE];
    snprintf(text, sizeof text, "Cannot save: %s", reason);
    notice_show(text);
}

// Forms folder + name's part after RES_DIR into out; false (out "") when it does not fit.
static bool path_in(char *out, size_t size, const char *folder, const char *name)
{
    const size_t prefix = strlen(RES_DIR);
    const char *base = strncmp(name, RES_DIR, prefix) == 0 ? name + prefix : name;
    int n = snprintf(out, size, "%s%s", folder, base);
    if (n >= 0 && (size_t)n < size)
        return true;
    if (size > 0)
        out[0] = '\0';
    return false;
}

bool user_save_path(char *out, size_t size, const char *name)
{
    if (user_dir[0] == '\0')
        return data_path(out, size, name);
    return path_in(out, size, user_dir, name);
}

bool user_load_pick(bool in_user, long long user_time, bool in_res, long long res_time)
{
    return in_user && (!in_res || user_time >= res_time);
}

// The file's time of last change; -1 when it is not there.
static long long changed_at(const char *path)
{
    struct stat info;
    return stat(path, &info) == 0 ? (long long)info.st_mtime : -1;
}

bool user_load_path(char *out, size_t size, const char *name)
{
    char mine[PATH_BUFFER_SIZE];
    const long long mine_time = user_dir_named[0] && path_in(mine, sizeof mine, user_dir_named, name)
                                    ? changed_at(mine) : -1;
    if (!data_path(out, size, name))
        return false;   // no folder of the player's own: nothing is read (see data_path)
    const long long res_time = changed_at(out);
    if (!user_load_pick(mine_time >= 0, mine_time, res_time >= 0, res_time))
        return true;
    return path_in(out, size, mine, "");
}

bool user_copy_path(char *out, size_t size, const char *path)
{
    if (user_dir[0] == '\0')
        return path_in(out, size, path, "");
    const char *base = path;
    for (const char *p = path; *p; p++)
        if (*p == '/' || *p == '\\')
            base = p + 1;
    return path_in(out, size, user_dir, base);
}
