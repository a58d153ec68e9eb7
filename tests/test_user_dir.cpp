// Where the player's files go when res/ cannot be written: the user folder for each platform
// and environment.
#include <gtest/gtest.h>

#include "base/user_dir.h"

TEST(UserDir, FolderForEachPlatformAndEnvironment)
{
    struct Case {
        const char *name;
        bool windows;
        const char *appdata, *xdg, *home, *title, *dir;
    } cases[] = {
        {"Windows", true, "C:\\Users\\a\\AppData\\Roaming", nullptr, nullptr, "Sunny Meadow",
         "C:\\Users\\a\\AppData\\Roaming\\Sunny Meadow\\"},
        {"Windows without APPDATA", true, nullptr, "/x", "/home/a", "T", ""},
        {"XDG_DATA_HOME", false, nullptr, "/d", "/home/a", "T", "/d/T/"},
        {"relative XDG_DATA_HOME ignored", false, nullptr, "d", "/home/a", "T", "/home/a/.local/share/T/"},
        {"no XDG_DATA_HOME", false, nullptr, nullptr, "/home/a", "T", "/home/a/.local/share/T/"},
        {"no home at all", false, nullptr, nullptr, nullptr, "T", ""},
        {"title with separators", false, nullptr, "/d", nullptr, "A/B: C?", "/d/A_B_ C_/"},
        {"empty title", false, nullptr, "/d", nullptr, "", "/d/Game/"},
    };
    for (const Case &c : cases) {
        char out[PATH_BUFFER_SIZE];
        EXPECT_EQ(c.dir[0] != '\0', user_dir_for(out, sizeof out, c.windows, c.appdata, c.xdg, c.home, c.title))
            << c.name;
        EXPECT_STREQ(c.dir, out) << c.name;
    }
}
