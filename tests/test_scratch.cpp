// Scratch folders on a shared machine: made fresh whatever another user planted under the
// names a player used to take, removed without following links, and the folders of players
// that have gone swept, no one else's. Other users' entries are planted by chown, so those
// rows need root (which the test machines are); elsewhere they are skipped.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/scratch.h"

#define OTHER_UID 65534

TEST(Scratch, NamesCarryTheProcessId)
{
    const struct { const char *name; long pid; } cases[] = {
        {"player-rewind-4242-Ab3xYz", 4242},
        {"player-rewind-4242", 4242},   // as earlier players named theirs
        {"player-rewind-", 0},
        {"player-rewind-0", 0},
        {"player-rewind-42x", 0},
        {"player-rewind-42-", 0},
        {"player-rewind-99999999999", 0},
        {"other-4242", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.pid, scratch_name_pid(c.name)) << c.name;
}

TEST(Scratch, PlacesThatMayHoldThem)
{
    const struct { const char *name; mode_t mode; uid_t owner; bool private_only, fits; } cases[] = {
        {"runtime folder of ours, closed", S_IFDIR | 0700, 1000, true, true},
        {"runtime folder of another user", S_IFDIR | 0700, 1001, true, false},
        {"runtime folder others may read", S_IFDIR | 0755, 1000, true, false},
        {"runtime folder that is a file", S_IFREG | 0700, 1000, true, false},
        {"memory folder, sticky", S_IFDIR | 01777, 0, false, true},
        {"memory folder others may write, not sticky", S_IFDIR | 0777, 0, false, false},
        {"memory folder only its owner writes", S_IFDIR | 0755, 0, false, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.fits, scratch_base_fits(c.mode, c.owner, 1000, c.private_only)) << c.name;
}

// Mended fault: a relative TMPDIR put the rewind folder under wherever the player was started.
TEST(Scratch, EnvironmentFoldersOnlyAsAbsolutePaths)
{
    const struct { const char *value, *taken; } cases[] = {
        {"/run/user/1000", "/run/user/1000"},
        {"tmp", "/tmp"},
        {"./tmp", "/tmp"},
        {"", "/tmp"},
        {nullptr, "/tmp"},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.taken, scratch_env_folder(c.value, "/tmp")) << (c.value ? c.value : "unset");
}

// A base folder of the test's own with a victim folder beside it, holding the files a ring
// would name.
class ScratchBase : public ::testing::Test {
protected:
    std::string base, victim;
    void SetUp() override
    {
        char dir[] = "/tmp/test_scratch_XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        base = std::string(dir) + "/base";
        victim = std::string(dir) + "/victim";
        ASSERT_EQ(0, mkdir(base.c_str(), 01777));
        ASSERT_EQ(0, chmod(base.c_str(), 01777));
        ASSERT_EQ(0, mkdir(victim.c_str(), 0700));
        make_file(victim + "/0");
        make_file(victim + "/1");
    }
    void TearDown() override { system(("rm -rf " + base.substr(0, base.size() - 5)).c_str()); }
    static void make_file(const std::string &path) { close(open(path.c_str(), O_CREAT | O_WRONLY, 0600)); }
    static bool exists(const std::string &path)
    {
        struct stat info;
        return lstat(path.c_str(), &info) == 0;
    }
    bool victim_whole() const { return exists(victim + "/0") && exists(victim + "/1"); }
    // A folder at path made another user's; false where this process may not do that.
    static bool others(const std::string &path) { return chown(path.c_str(), OTHER_UID, OTHER_UID) == 0; }
};

TEST_F(ScratchBase, MadeFreshWhateverWasPlantedUnderOldNames)
{
    const std::string old_name = base + "/player-rewind-" + std::to_string(getpid());
    ASSERT_EQ(0, symlink(victim.c_str(), old_name.c_str()));
    char made[512];
    ASSERT_TRUE(scratch_folder_make_in(base.c_str(), made, sizeof made));
    const std::string folder(made, strlen(made) - 1);
    EXPECT_EQ('/', made[strlen(made) - 1]);
    EXPECT_EQ(0, folder.find(old_name + "-")) << folder;
    struct stat info;
    ASSERT_EQ(0, lstat(folder.c_str(), &info));
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(0700u, info.st_mode & 07777);
    EXPECT_EQ(getuid(), info.st_uid);
    make_file(folder + "/0");
    scratch_folder_remove(made);
    EXPECT_FALSE(exists(folder));
    scratch_folder_remove((old_name + "/").c_str());
    EXPECT_TRUE(victim_whole()) << "a link's target was emptied";
}

TEST_F(ScratchBase, SweepRemovesOnlyOurOwnFoldersOfPlayersThatHaveGone)
{
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string gone = base + "/player-rewind-" + std::to_string(child);
    const struct { const char *name; std::string path; bool link, others, swept; } entries[] = {
        {"ours, gone", gone + "-AAAAAA", false, false, true},
        {"ours, gone, named as earlier players did", gone, false, false, true},
        {"ours, alive", base + "/player-rewind-" + std::to_string(getppid()) + "-BBBBBB", false, false, false},
        {"a link to our folder", gone + "-CCCCCC", true, false, false},
        {"another user's", gone + "-DDDDDD", false, true, false},
        {"another name", base + "/keep-" + std::to_string(child), false, false, false},
    };
    bool other_user = true;
    for (const auto &e : entries) {
        if (e.link) {
            ASSERT_EQ(0, symlink(victim.c_str(), e.path.c_str()));
            continue;
        }
        ASSERT_EQ(0, mkdir(e.path.c_str(), 0700));
        make_file(e.path + "/0");
        if (e.others)
            other_user = others(e.path + "/0") && others(e.path);
    }
    EXPECT_EQ(2, scratch_sweep_in(base.c_str(), getuid()));
    for (const auto &e : entries) {
        if (e.others && !other_user)
            continue;
        EXPECT_EQ(!e.swept, exists(e.path)) << e.name;
    }
    EXPECT_TRUE(victim_whole()) << "a link's target was emptied";
}
