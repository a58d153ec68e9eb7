// Whole-file replacement: readers find the old content or the new, never a mix.
#include <gtest/gtest.h>
#include "base/file_replace.h"
#include "support/res_dir.h"

// Two copies of the player saving at once: each writes its own temporary file, so the
// commit of one stays whole, and the other's discard keeps it. Neither leaves a temporary
// file behind.
TEST(FileReplace, InterleavedReplacementsEachStayWholeAndLeaveNoTemporaryFile)
{
    ResDir res;
    const std::string path = res.path("res/conf");
    FileReplace first, second;
    ASSERT_TRUE(replace_begin(&first, path.c_str()));
    ASSERT_TRUE(replace_begin(&second, path.c_str()));
    fputs("first copy\n", first.file);
    fputs("second copy\n", second.file);
    fflush(first.file);
    fflush(second.file);
    fputs("first copy again\n", first.file);
    ASSERT_TRUE(replace_commit(&second));
    replace_discard(&first);
    EXPECT_EQ("second copy\n", res.read("res/conf"));
    EXPECT_EQ(std::vector<std::string>{"conf"}, res.list("res"));
}

// Mended fault: a notice said "no temporary file could be made" and the system's reason was
// only in the log; it is now the notice's own words.
TEST(FileReplace, SystemReasonsInANoticesWords)
{
    const struct { const char *system, *words; } cases[] = {
        {"Access is denied.", "access is denied"},
        {"I/O error", "I/O error"},
    };
    for (const auto &c : cases) {
        char out[REPLACE_REASON_SIZE];
        reason_words(c.system, out, sizeof out);
        EXPECT_STREQ(c.words, out) << c.system;
    }
}
