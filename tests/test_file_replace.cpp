// Whole-file replacement: readers find the old content or the new, never a mix.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "base/file_replace.h"
#include "support/res_dir.h"

static bool replace_with(const std::string &path, const char *text)
{
    FileReplace r;
    if (!replace_begin(&r, path.c_str()))
        return false;
    fputs(text, r.file);
    return replace_commit(&r);
}

// Neither a commit nor a discard leaves a temporary file; a discard keeps the old content.
TEST(FileReplace, CommitAndDiscardLeaveNoTemporaryFile)
{
    ResDir res;
    ASSERT_TRUE(replace_with(res.path("res/conf"), "old"));
    EXPECT_EQ(std::vector<std::string>{"conf"}, res.list("res"));
    FileReplace r;
    ASSERT_TRUE(replace_begin(&r, res.path("res/conf").c_str()));
    fputs("half", r.file);
    replace_discard(&r);
    EXPECT_EQ("old", res.read("res/conf"));
    EXPECT_EQ(std::vector<std::string>{"conf"}, res.list("res"));
}
// Two copies of the player saving at once: each writes its own temporary file, the last
// rename wins whole.
TEST(FileReplace, InterleavedReplacementsEachStayWhole)
{
    ResDir res;
    FileReplace first, second;
    ASSERT_TRUE(replace_begin(&first, res.path("res/conf").c_str()));
    ASSERT_TRUE(replace_begin(&second, res.path("res/conf").c_str()));
    fputs("first copy\n", first.file);
    fputs("second copy\n", second.file);
    fflush(first.file);
    fflush(second.file);
    fputs("first copy again\n", first.file);
    ASSERT_TRUE(replace_commit(&second));
    ASSERT_TRUE(replace_commit(&first));
    EXPECT_EQ("first copy\nfirst copy again\n", res.read("res/conf"));
}
