#include "support/res_dir.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "app/paths.h"

ResDir::ResDir()
{
    char tmpl[] = "/tmp/player_res_XXXXXX";
    const char *made = mkdtemp(tmpl);
    dir = std::string(made ? made : "/tmp") + "/";
    mkdir((dir + "res").c_str(), 0755);
    snprintf(exe_dir, sizeof exe_dir, "%s", dir.c_str());
}

ResDir::~ResDir()
{
    std::string cmd = "rm -rf '" + dir + "'";
    if (system(cmd.c_str()) != 0)
        fprintf(stderr, "could not remove %s\n", dir.c_str());
    exe_dir[0] = '\0';
}

std::string ResDir::path(const char *name) const
{
    return dir + name;
}

void ResDir::write(const char *name, const std::string &text) const
{
    FILE *f = fopen(path(name).c_str(), "wb");
    if (!f)
        return;
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

std::string read_whole_file(const std::string &file)
{
    std::string out;
    FILE *f = fopen(file.c_str(), "rb");
    if (!f)
        return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    fclose(f);
    return out;
}

std::string ResDir::read(const char *name) const
{
    return read_whole_file(path(name));
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
