// The executable's directory, the data file names formed from it, and the user folder where
// the player's files go when res/ cannot be written.
#include <gtest/gtest.h>
#include <string.h>
#include "base/paths.h"
#include "base/user_dir.h"

TEST(Paths, CutAfterLastSeparator)
{
    const struct { const char *path, *dir; } cases[] = {
        {"C:\\Games\\x\\player.exe", "C:\\Games\\x\\"},
        {"/mixed\\sep/player", "/mixed\\sep/"},
        {"player", "player"},  // no separator: stays whole
    };
    for (const auto &c : cases) {
        char buf[PATH_BUFFER_SIZE];
        strcpy(buf, c.path);
        cut_after_last_separator(buf);
        EXPECT_STREQ(c.dir, buf) << "from " << c.path;
    }
}

// A name that does not fit must not come out cut ("…/res/co"), which would address another
// file; an unknown executable folder must not turn "res/conf" into a name under the current one.
TEST(Paths, DataNamesFormedWholeOrNotAtAll)
{
    const size_t fits = PATH_BUFFER_SIZE - 1 - strlen(RES_DIR "conf");
    const struct { const char *name; size_t folder; bool formed; } cases[] = {   // folder: exe_dir's length
        {"just fits", fits, true},
        {"a byte too long", fits + 1, false},
        {"folder unknown", 0, false},
    };
    for (const auto &c : cases) {
        const std::string dir = c.folder ? "/" + std::string(c.folder - 2, 'd') + "/" : "";
        strcpy(exe_dir, dir.c_str());
        char out[PATH_BUFFER_SIZE] = "stale";
        EXPECT_EQ(c.formed, data_path(out, sizeof out, RES_DIR "conf")) << c.name;
        EXPECT_EQ(c.formed ? dir + RES_DIR "conf" : "", out) << c.name;
    }
}

TEST(UserDir, FolderForEachPlatformAndEnvironment)
{
    const std::string deep(PATH_BUFFER_SIZE - 3, '/');   // with "/T/", a byte too long
    const struct { const char *name; bool windows; const char *appdata, *xdg, *home, *title, *dir; } cases[] = {
        {"Windows", true, "C:\\Users\\a\\AppData\\Roaming", nullptr, nullptr, "Sunny Meadow",
         "C:\\Users\\a\\AppData\\Roaming\\Sunny Meadow\\"},
        {"Windows without APPDATA", true, nullptr, "/x", "/home/a", "T", ""},
        {"relative XDG_DATA_HOME ignored", false, nullptr, "d", "/home/a", "T", "/home/a/.local/share/T/"},
        {"no XDG_DATA_HOME", false, nullptr, nullptr, "/home/a", "T", "/home/a/.local/share/T/"},
        {"no home at all", false, nullptr, nullptr, nullptr, "T", ""},
        {"title with separators", false, nullptr, "/d", "/home/a", "A/B: C?\x1f", "/d/A_B_ C__/"},
        {"empty title", false, nullptr, "/d", nullptr, "", "/d/Game/"},
        {"too long", false, nullptr, deep.c_str(), nullptr, "T", ""},
    };
    for (const auto &c : cases) {
        char out[PATH_BUFFER_SIZE];
        EXPECT_EQ(c.dir[0] != '\0', user_dir_for(out, sizeof out, c.windows, c.appdata, c.xdg, c.home, c.title))
            << c.name;
        EXPECT_STREQ(c.dir, out) << c.name;
    }
}
