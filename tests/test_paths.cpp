// The executable's directory and the data file names formed from it.
#include <gtest/gtest.h>

#include <string.h>

#include "base/paths.h"

TEST(Paths, CutAfterLastSeparator)
{
    struct Case {
        const char *path, *dir;
    } cases[] = {
        {"/opt/game/player", "/opt/game/"},
        {"C:\\Games\\x\\player.exe", "C:\\Games\\x\\"},
        {"/mixed\\sep/player", "/mixed\\sep/"},
        {"player", "player"},  // no separator: stays whole
        {"/", "/"},
        {"", ""},
    };
    for (const Case &c : cases) {
        char buf[PATH_BUFFER_SIZE];
        strcpy(buf, c.path);
        cut_after_last_separator(buf);
        EXPECT_STREQ(buf, c.dir) << "from " << c.path;
    }
}

TEST(Paths, DataNamesThatDoNotFitAreNotFormed)
{
    char saved[PATH_BUFFER_SIZE];
    memcpy(saved, exe_dir, sizeof saved);

    strcpy(exe_dir, "/opt/game/");
    char out[PATH_BUFFER_SIZE];
    EXPECT_TRUE(data_path(out, sizeof out, RES_DIR "conf"));
    EXPECT_STREQ(out, "/opt/game/res/conf");

    // A directory so long that "res/conf" does not fit must not yield "…/res/co", which
    // would address another file.
    memset(exe_dir, 'd', PATH_BUFFER_SIZE - 6);
    exe_dir[0] = '/';
    exe_dir[PATH_BUFFER_SIZE - 6] = '/';
    exe_dir[PATH_BUFFER_SIZE - 5] = '\0';
    EXPECT_FALSE(data_path(out, sizeof out, RES_DIR "conf"));
    EXPECT_STREQ(out, "");
    EXPECT_TRUE(data_path(out, sizeof out, "abc"));  // exactly fills the buffer

    // The same for a small buffer such as the game path's.
    strcpy(exe_dir, "/opt/game/");
    char small[12];
    EXPECT_FALSE(data_path(small, sizeof small, RES_DIR "game"));
    EXPECT_STREQ(small, "");
    EXPECT_FALSE(data_path(small, 0, RES_DIR "game"));

    memcpy(exe_dir, saved, sizeof saved);
}

// An unknown executable folder must not turn "res/conf" into a name under the current folder.
TEST(Paths, NoDataNameIsFormedWhileTheFolderIsUnknown)
{
    char saved[PATH_BUFFER_SIZE];
    memcpy(saved, exe_dir, sizeof saved);
    exe_dir[0] = '\0';
    char out[PATH_BUFFER_SIZE] = "stale";
    EXPECT_FALSE(data_path(out, sizeof out, RES_DIR "conf"));
    EXPECT_STREQ(out, "");
    memcpy(exe_dir, saved, sizeof saved);
}
