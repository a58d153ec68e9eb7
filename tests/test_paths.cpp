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

// A name that does not fit must not come out cut ("…/res/co"), which would address another
// file; an unknown executable folder must not turn "res/conf" into a name under the current one.
TEST(Paths, DataNamesFormedWholeOrNotAtAll)
{
    const size_t fits = PATH_BUFFER_SIZE - 1 - strlen(RES_DIR "conf");
    const struct {
        const char *name;
        size_t folder;   // the length of exe_dir, "/ddd.../"
        bool formed;
    } cases[] = {
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
