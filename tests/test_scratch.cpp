// Scratch folders on a shared machine: made fresh and private, removed with their files, and
// the folders of players that have gone swept, no one else's. Another user's folder is planted
// by chown, so that row needs root (which the test machines are); elsewhere it is skipped. Links
// planted by another user under the names players take: e2e_rewind.sh, as a second user.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "base/scratch.h"

// A base folder of the test's own for scratch folders, open to all as /dev/shm is, with the
// entries a test plants in it and reads back.
class ScratchBase : public ::testing::Test {
protected:
    std::string base;
    void SetUp() override
    {
        char dir[] = "/tmp/test_scratch_XXXXXX";
        ASSERT_TRUE(mkdtemp(dir));
        base = std::string(dir) + "/base";
        ASSERT_EQ(0, mkdir(base.c_str(), 01777));
        ASSERT_EQ(0, chmod(base.c_str(), 01777));
    }
    void TearDown() override { system(("rm -rf " + base.substr(0, base.size() - 5)).c_str()); }
    static void make_file(const std::string &path) { close(open(path.c_str(), O_CREAT | O_WRONLY, 0600)); }
    static bool exists(const std::string &path)
    {
        struct stat info;
        return lstat(path.c_str(), &info) == 0;
    }
    // A folder at path made another user's (nobody's); false where this process may not do that.
    static bool others(const std::string &path)
    {
        return chown(path.c_str(), 65534, 65534) == 0;
    }
    // The id of a process that has ended (and been waited for).
    static pid_t gone_pid(void)
    {
        pid_t child = fork();
        if (child == 0)
            _exit(0);
        if (child > 0)
            waitpid(child, nullptr, 0);
        return child;
    }
};

TEST(Scratch, NamesCarryTheProcessId)
{
    const struct { const char *name; long pid; } cases[] = {
        {"player-rewind-4242-Ab3xYz", 4242},
        {"player-rewind-04242", 0},   // no process id is written with a leading zero
        {"player-rewind-42x", 0},
        {"player-rewind-42-", 0},
        {"player-rewind-99999999999", 0},
        {"player-backup-4242", 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.pid, scratch_name_pid(c.name)) << c.name;
}

TEST(Scratch, PlacesThatMayHoldThem)
{
    const struct { const char *name; mode_t mode; uid_t owner; bool private_only, fits; } cases[] = {
        {"runtime folder of another user", S_IFDIR | 0700, 1001, true, false},
        {"runtime folder others may read", S_IFDIR | 0755, 1000, true, false},
        {"runtime folder that is a file", S_IFREG | 0700, 1000, true, false},
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
    };
    for (const auto &c : cases)
        EXPECT_STREQ(c.taken, scratch_env_folder(c.value, "/tmp")) << c.value;
}

TEST_F(ScratchBase, MadeFreshAndPrivateThenRemovedWithItsFiles)
{
    char made[512];
    ASSERT_TRUE(scratch_folder_make_in(base.c_str(), made, sizeof made));
    const std::string folder(made, strlen(made) - 1);
    struct stat info;
    ASSERT_EQ(0, lstat(folder.c_str(), &info));
    EXPECT_EQ(0700u, info.st_mode & 07777);
    make_file(folder + "/0");
    scratch_folder_remove(made);
    EXPECT_FALSE(exists(folder));
    EXPECT_FALSE(scratch_folder_make_in(base.c_str(), made, strlen(made))) << "a buffer without room for the '/'";
}

TEST_F(ScratchBase, SweepRemovesOnlyOurOwnFoldersOfPlayersThatHaveGone)
{
    const pid_t child = gone_pid();
    ASSERT_GT(child, 0);
    const std::string gone = base + "/player-rewind-" + std::to_string(child);
    const struct { const char *name; std::string path; bool others, swept; } entries[] = {
        {"ours, gone", gone + "-AAAAAA", false, true},
        {"ours, gone, named as earlier players did", gone, false, true},
        {"ours, alive", base + "/player-rewind-" + std::to_string(getppid()) + "-BBBBBB", false, false},
        {"another user's", gone + "-DDDDDD", true, false},
    };
    bool other_user = true;
    for (const auto &e : entries) {
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
}
