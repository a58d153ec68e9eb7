// The executable's directory and the data file names formed from it.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "base/paths.h"

TEST(Paths, CutAfterLastSeparator)
{
    struct Case {
        const char *path, *dir;
    } cases[] = {
        {"C:\\Games\\x\\player.exe", "C:\\Games\\x\\"},
        {"/mixed\\sep/player", "/mixed\\sep/"},
        {"player", "player"},  // no separator: stays whole
        {"", ""},
    };
    for (const Case &c : cases) {
        char buf[PATH_BUFFER_SIZE];
        strcpy(buf, c.path);
        cut_after_last_separator(buf);
        EXPECT_STREQ(buf, c.dir) << "from " << c.path;
    }
}

// exe_dir set to a folder name of length characters, "/ddd.../".
static std::string set_exe_dir(size_t length)
{
    const std::string dir = "/" + std::string(length - 2, 'd') + "/";
    strcpy(exe_dir, dir.c_str());
    return dir;
}

TEST(Paths, ADataNameThatJustFitsIsFormed)
{
    const std::string dir = set_exe_dir(PATH_BUFFER_SIZE - 1 - strlen(RES_DIR "conf"));
    char out[PATH_BUFFER_SIZE];
    EXPECT_TRUE(data_path(out, sizeof out, RES_DIR "conf"));
    EXPECT_EQ(dir + RES_DIR "conf", out);
}

// A name that does not fit must not come out cut ("…/res/co"), which would address another file.
TEST(Paths, ADataNameOneByteTooLongIsNotFormedAtAll)
{
    set_exe_dir(PATH_BUFFER_SIZE - strlen(RES_DIR "conf"));
    char out[PATH_BUFFER_SIZE];
    EXPECT_FALSE(data_path(out, sizeof out, RES_DIR "conf"));
    EXPECT_STREQ(out, "");
}

// An unknown executable folder must not turn "res/conf" into a name under the current folder.
TEST(Paths, NoDataNameIsFormedWhileTheFolderIsUnknown)
{
    exe_dir[0] = '\0';
    char out[PATH_BUFFER_SIZE] = "stale";
    EXPECT_FALSE(data_path(out, sizeof out, RES_DIR "conf"));
    EXPECT_STREQ(out, "");
}
