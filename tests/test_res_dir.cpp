// The throw-away folder the tests work in: its clean-up removes that folder and nothing else.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include "support/res_dir.h"

static bool exists(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

// Links inside point at another folder and at a file in it: the links go, the targets stay.
// The folder holds res/, so removing it also empties a folder inside.
TEST(ResDir, LinksInsideAreRemovedNotFollowed)
{
    ResDir outside;
    outside.write("res/keep", "kept");
    std::string folder;
    {
        ResDir dir;
        folder = dir.path("");
        ASSERT_EQ(0, symlink(outside.path("res").c_str(), dir.path("res/folder_link").c_str()));
        ASSERT_EQ(0, symlink(outside.path("res/keep").c_str(), dir.path("res/file_link").c_str()));
    }
    EXPECT_FALSE(exists(folder));
    EXPECT_EQ("kept", outside.read("res/keep"));
}

TEST(ResDir, RefusesAnyOtherPath)
{
    char other[] = "/tmp/other_res_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(other));
    const std::string keep = std::string(other) + "/keep";
    FILE *f = fopen(keep.c_str(), "w");
    ASSERT_NE(nullptr, f);
    fclose(f);
    ResDir target;
    const std::string link = std::string(RES_DIR_PREFIX) + "link_" + std::to_string(getpid());
    ASSERT_EQ(0, symlink(other, link.c_str()));
    const struct {
        const char *what;
        std::string path;
    } cases[] = {
        {"empty", ""},
        {"the prefix alone", RES_DIR_PREFIX},
        {"another folder", other},
        {"a way out of a ResDir folder", target.path("..") + (other + 4)},
        {"a link to another folder", link},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(res_dir_remove(c.path)) << c.what << ": " << c.path;
    EXPECT_TRUE(exists(keep));
    EXPECT_TRUE(target.exists("res"));
    unlink(link.c_str());
    unlink(keep.c_str());
    rmdir(other);
}
