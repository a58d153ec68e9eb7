// The log: stdout always, the file only when it is a plain file of its own, never through a link.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "base/log.h"
#include "support/res_dir.h"

class LogTest : public ::testing::Test {
protected:
    void TearDown() override { log_close(); }
    ResDir dir;
};

TEST_F(LogTest, LinesReachStdoutWhenTheFileCannotBeOpened)
{
    mkdir(dir.path("res/log").c_str(), 0755);  // a folder where the file should be
    ::testing::internal::CaptureStdout();
    bool opened = log_open(dir.path("res/log").c_str());
    log_write("sdl_init\n");
    std::string out = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(opened);
    EXPECT_NE(out.find("Error: "), std::string::npos) << out;
    EXPECT_NE(out.find("sdl_init\n"), std::string::npos) << out;
}

TEST_F(LogTest, PlantedLinkIsRefusedAndItsTargetUntouched)
{
    dir.write("victim", "precious\n");
    ASSERT_EQ(symlink(dir.path("victim").c_str(), dir.path("res/log").c_str()), 0);
    EXPECT_FALSE(log_open(dir.path("res/log").c_str()));
    log_write("sdl_init\n");
    EXPECT_EQ(dir.read("victim"), "precious\n");
}

// A FIFO would hold up the start until something reads it; a hard link shares another file.
TEST_F(LogTest, NamesOtherThanAPlainFileOfItsOwnAreRefused)
{
    ASSERT_EQ(mkfifo(dir.path("res/log").c_str(), 0644), 0);
    EXPECT_FALSE(log_open(dir.path("res/log").c_str()));
    dir.remove("res/log");

    dir.write("victim", "precious\n");
    ASSERT_EQ(link(dir.path("victim").c_str(), dir.path("res/log").c_str()), 0);
    EXPECT_FALSE(log_open(dir.path("res/log").c_str()));
    EXPECT_EQ(dir.read("victim"), "precious\n");
}

TEST_F(LogTest, AnOldLogIsReplaced)
{
    dir.write("res/log", "a much longer line from the run before\n");
    ASSERT_TRUE(log_open(dir.path("res/log").c_str()));
    log_write("loading configs\n");
    EXPECT_EQ(dir.read("res/log"), "loading configs\n");
}

// A line repeated every frame is written at most three times a second; the ones held back are
// counted.
TEST(LogRate, ALineRepeatedEveryFrameIsWrittenAFewTimesASecond)
{
    LogRate rate = {};
    const struct { uint64_t now_ms; bool allowed; } rows[] = {
        {5000, true}, {5016, true}, {5033, true}, {5050, false}, {5999, false}, {6000, true},
    };
    for (const auto &r : rows)
        EXPECT_EQ(log_rate_allow(&rate, r.now_ms), r.allowed) << "at " << r.now_ms << " ms";
    EXPECT_EQ(rate.held, 2u);
}
