// Replacing a file whole on Windows: a replacement whose move fails, because another program
// holds the target open without sharing it for deletion, leaves the old file as it was and no
// temporary file beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_replace.h"
#include "support/res_dir.h"

class HeldTarget : public ::testing::Test {
protected:
    void SetUp() override
    {
        res.write("res/conf", "old content\n");
        held = CreateFileA(res.path("res/conf").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
    }
    void TearDown() override { CloseHandle(held); }
    // Replaces res/conf with new content; the result of the commit.
    bool replace()
    {
        FileReplace r;
        if (!replace_begin(&r, res.path("res/conf").c_str()))
            return false;
        fputs("new content that must not land\n", r.file);
        return replace_commit(&r);
    }
    ResDir res;
    HANDLE held = INVALID_HANDLE_VALUE;
};

TEST_F(HeldTarget, FailedReplaceKeepsTheOldFileWhole)
{
    EXPECT_FALSE(replace());
    EXPECT_EQ("old content\n", res.read("res/conf"));
}

TEST_F(HeldTarget, FailedReplaceLeavesNoTemporaryFile)
{
    replace();
    EXPECT_EQ(std::vector<std::string>{"conf"}, res.list("res"));
}
