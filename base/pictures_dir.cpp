#include "base/pictures_dir.h"

#include <string.h>

#include <string>

#include "base/paths.h"

#define PICTURES_KEY "XDG_PICTURES_DIR="

// The folder a user-dirs line names, "" when it names none we can use.
static std::string user_dirs_value(const char *text, const char *home)
{
    const char *line = text;
    while (line && *line) {
        const char *end = strchr(line, '\n');
        std::string each(line, end ? (size_t)(end - line) : strlen(line));
        line = end ? end + 1 : nullptr;
        const size_t start = each.find_first_not_of(" \t");
        if (start == std::string::npos || each.compare(start, strlen(PICTURES_KEY), PICTURES_KEY) != 0)
            continue;
        std::string value = each.substr(start + strlen(PICTURES_KEY));
        value = value.substr(0, value.find_last_not_of(" \t\r") + 1);
        if (value.size() < 2 || value.front() != '"' || value.back() != '"')
            continue;
        value = value.substr(1, value.size() - 2);
        // "$HOME" alone means the folder is switched off: the default is used.
        if (value.compare(0, 6, "$HOME/") == 0)
            return home && home[0] == '/' ? home + value.substr(5) : "";
        return value;
    }
    return "";
}

bool pictures_dir_for(char *out, size_t size, const char *env, const char *user_dirs, const char *home)
{
    std::string dir;
    if (env && env[0] == '/')
        dir = env;
    else if (user_dirs)
        dir = user_dirs_value(user_dirs, home);
    if (dir.empty() || dir[0] != '/')
        dir = home && home[0] == '/' ? std::string(home) + "/Pictures" : "";
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return path_store(out, size, dir.c_str(), dir.size());
}
