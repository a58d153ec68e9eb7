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
    char tmpl[] = "/tmp/player_res_XXXXXX";
    if (!mkdtemp(tmpl)) {
        ADD_FAILURE() << "could not create " << tmpl << ": " << strerror(errno);
        return;
    }
    dir = std::string(tmpl) + "/";
    mkdir((dir + "res").c_str(), 0755);
    snprintf(exe_dir, sizeof exe_dir, "%s", dir.c_str());
}

// Removes one entry of the walk; folders come after what they hold.
static int remove_entry(const char *path, const struct stat *, int, struct FTW *)
{
    return remove(path);
}

// Links inside are removed as links (FTW_PHYS), so a planted link never takes its target
// along; a mount point inside is not entered (FTW_MOUNT).
ResDir::~ResDir()
{
    exe_dir[0] = '\0';
    if (!dir.empty() && nftw(dir.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS | FTW_MOUNT) != 0)
        fprintf(stderr, "could not remove %s\n", dir.c_str());
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
