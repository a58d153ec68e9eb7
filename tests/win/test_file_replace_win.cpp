// Replacing a file whole on Windows: a replacement whose move fails, because another program
// holds the target open without sharing it for deletion, leaves the old file as it was and no
// temporary file beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/file_replace.h"
#include "support/res_dir.h"

TEST(HeldTarget, AFailedReplaceKeepsTheOldFileWholeAndNoTemporaryFile)
{
    ResDir res;
    res.write("res/conf", "old content\n");
    HANDLE held = CreateFileA(res.path("res/conf").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    FileReplace r;
    ASSERT_TRUE(replace_begin(&r, res.path("res/conf").c_str()));
    fputs("new content that must not land\n", r.file);
    EXPECT_FALSE(replace_commit(&r));
    CloseHandle(held);
    EXPECT_EQ("old content\n", res.read("res/conf"));
    EXPECT_EQ(std::vector<std::string>{"conf"}, res.list("res"));
}
