// The throw-away folder on POSIX systems.
#include "support/res_dir.h"

#include <dirent.h>
#include <errno.h>
#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <algorithm>

#include "base/paths.h"

ResDir::ResDir()
{
    char tmpl[] = RES_DIR_PREFIX "XXXXXX";
    if (!mkdtemp(tmpl)) {
        ADD_FAILURE() << "could not create " << tmpl << ": " << strerror(errno);
        return;
    }
    dir = std::string(tmpl) + "/";
    mkdir((dir + "res").c_str(), 0755);
    snprintf(exe_dir, sizeof exe_dir, "%s", dir.c_str());
}

ResDir::~ResDir()
{
    exe_dir[0] = '\0';
    if (!dir.empty() && !res_dir_remove(dir.substr(0, dir.size() - 1)))
        fprintf(stderr, "could not remove %s\n", dir.c_str());
}

// Removes one entry of the walk; folders come after what they hold.
static int remove_entry(const char *path, const struct stat *, int, struct FTW *)
{
    return remove(path);
}

bool res_dir_remove(const std::string &dir)
{
    const std::string prefix = RES_DIR_PREFIX;
    const std::string name = dir.size() > prefix.size() ? dir.substr(prefix.size()) : "";
    if (dir.compare(0, prefix.size(), prefix) != 0 || name.empty() || name.find('/') != std::string::npos ||
        name == "." || name == "..") {
        fprintf(stderr, "refusing to remove '%s': not a folder a ResDir made\n", dir.c_str());
        return false;
    }
    struct stat st;
    if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        fprintf(stderr, "refusing to remove '%s': not a folder\n", dir.c_str());
        return false;
    }
    // Links are removed as links (FTW_PHYS); a mount point inside is not entered (FTW_MOUNT),
    // so its folder cannot be removed and the walk fails.
    return nftw(dir.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT) == 0;
}

bool ResDir::exists(const char *name) const
{
    return access(path(name).c_str(), F_OK) == 0;
}

void ResDir::remove(const char *name) const
{
    unlink(path(name).c_str());
}

std::vector<std::string> ResDir::list(const char *folder) const
{
    std::vector<std::string> names;
    DIR *d = opendir(path(folder).c_str());
    if (!d)
        return names;
    while (struct dirent *e = readdir(d)) {
        std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}
