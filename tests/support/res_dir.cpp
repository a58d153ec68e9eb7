// The throw-away folder, made under the system's temporary folder on every platform.
#include "support/res_dir.h"

#include <stdlib.h>

#include <stdio.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "base/paths.h"

namespace fs = std::filesystem;

// A fresh player_res_<random> folder; a name already taken is skipped.
ResDir::ResDir()
{
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    std::random_device random;
    for (int attempt = 0; attempt < 64 && dir.empty() && !base.empty(); attempt++) {
        const fs::path made = base / ("player_res_" + std::to_string(random()));
        if (fs::create_directory(made, error))
            dir = made.string() + (char)fs::path::preferred_separator;
    }
    if (dir.empty()) {
        ADD_FAILURE() << "could not create a folder under " << base.string();
        return;
    }
    fs::permissions(dir, fs::perms::owner_all, error);
    fs::create_directory(dir + "res", error);
    snprintf(exe_dir, sizeof exe_dir, "%s", dir.c_str());
}

// Links inside are removed as links, so a planted link never takes its target along.
ResDir::~ResDir()
{
    exe_dir[0] = '\0';
    std::error_code error;
    if (!dir.empty() && fs::remove_all(fs::path(dir).parent_path(), error) == (std::uintmax_t)-1)
        fprintf(stderr, "could not remove %s: %s\n", dir.c_str(), error.message().c_str());
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
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ResDir::read(const char *name) const
{
    return read_whole_file(path(name));
}

bool ResDir::exists(const char *name) const
{
    std::error_code error;
    return fs::exists(path(name), error);
}

void ResDir::remove(const char *name) const
{
    std::error_code error;
    fs::remove(path(name), error);
}

std::vector<std::string> ResDir::list(const char *folder) const
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(path(folder), error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string source_file(const char *name)
{
    const char *root = getenv("TEST_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + name;
}
