// A base folder of the test's own for scratch folders, open to all as /dev/shm is, with the
// entries a test plants in it and reads back.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#define SCRATCH_OTHER_UID 65534

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
    // A folder at path made another user's; false where this process may not do that.
    static bool others(const std::string &path)
    {
        return chown(path.c_str(), SCRATCH_OTHER_UID, SCRATCH_OTHER_UID) == 0;
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
