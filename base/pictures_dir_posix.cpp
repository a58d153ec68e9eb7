// The pictures folder from the environment and the user's folder list.
#include "base/pictures_dir.h"

#include <stdlib.h>

#include <string>
#include <vector>

#include "base/file_read.h"

bool platform_pictures_dir(char *out, size_t size)
{
    const char *home = getenv("HOME");
    const char *config = getenv("XDG_CONFIG_HOME");
    std::string list;
    if (config && config[0] == '/')
        list = std::string(config) + "/user-dirs.dirs";
    else if (home && home[0] == '/')
        list = std::string(home) + "/.config/user-dirs.dirs";
    // Most desktops have the list; without one the default folder is used, silently.
    std::vector<unsigned char> text;
    const bool listed = !list.empty() && file_present(list.c_str()) && read_whole(list.c_str(), READ_LIMIT_CONF, text);
    text.push_back('\0');
    return pictures_dir_for(out, size, getenv("XDG_PICTURES_DIR"), listed ? (const char *)text.data() : nullptr, home);
}
