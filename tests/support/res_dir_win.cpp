// The throw-away folder on Windows: made under the system's temporary folder.
#include "support/res_dir.h"

#include <stdio.h>

#include <windows.h>

#include <gtest/gtest.h>
#include <algorithm>

#include "base/paths.h"

// Made under the system's temporary folder as player_res_<process>_<count>.
ResDir::ResDir()
{
    static unsigned counter;
    char base[MAX_PATH];
    DWORD n = GetTempPathA(sizeof base, base);
    const std::string prefix = std::string(n > 0 && n < sizeof base ? base : "") + "player_res_";
    std::string made;
    for (int attempt = 0; attempt < 64 && made.empty(); attempt++) {
        std::string name = prefix + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (CreateDirectoryA(name.c_str(), nullptr))
            made = name;
    }
    if (made.empty()) {
        ADD_FAILURE() << "could not create a folder under " << prefix;
        return;
    }
    dir = made + "\\";
    CreateDirectoryA((dir + "res").c_str(), nullptr);
    snprintf(exe_dir, sizeof exe_dir, "%s", dir.c_str());
}

// Removes path with everything inside; links and junctions are removed, never entered.
static bool remove_tree(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return DeleteFileA(path.c_str());
    bool ok = true;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA entry;
        HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = entry.cFileName;
                if (name != "." && name != "..")
                    ok = remove_tree(path + "\\" + name) && ok;
            } while (FindNextFileA(find, &entry));
            FindClose(find);
        }
    }
    return RemoveDirectoryA(path.c_str()) && ok;
}

ResDir::~ResDir()
{
    exe_dir[0] = '\0';
    if (!dir.empty() && !remove_tree(dir.substr(0, dir.size() - 1)))
        fprintf(stderr, "could not remove %s\n", dir.c_str());
}

bool ResDir::exists(const char *name) const
{
    return GetFileAttributesA(path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ResDir::remove(const char *name) const
{
    DeleteFileA(path(name).c_str());
}

std::vector<std::string> ResDir::list(const char *folder) const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path(folder) + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}
