// The log: stdout always, the file only when it is a plain file of its own, never through a link.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <functional>
#include "base/log.h"
#include "support/res_dir.h"

// A link or a hard link would write into another file; a FIFO
// would hold up the start until something reads it. The lines still reach stdout. A plain
// file is replaced; the last line is kept without its line end. A refused file is closed.
TEST(Log, OnlyAPlainFileOfItsOwnIsWritten)
{
    ResDir dir;
    const std::string log = dir.path("res/log");
    const std::string victim = dir.path("victim");
    const struct { const char *name; std::function<int(void)> make; } cases[] = {
        {"a link", [&] { return symlink(victim.c_str(), log.c_str()); }},
        {"a hard link", [&] { return link(victim.c_str(), log.c_str()); }},
        {"a FIFO", [&] { return mkfifo(log.c_str(), 0644); }},
    };
    for (const auto &c : cases) {
        dir.write("victim", "precious\n");
        ASSERT_EQ(0, c.make()) << c.name;
        ::testing::internal::CaptureStdout();
        const int free_fd = dup(0);   // the lowest free descriptor: a refused file must not keep it
        close(free_fd);
        EXPECT_FALSE(log_open(log.c_str())) << c.name;
        EXPECT_EQ(free_fd, dup(0)) << c.name << ": the refused file's descriptor is still open";
        close(free_fd);
        log_write("sdl_init\n");
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ("precious\n", dir.read("victim")) << c.name;
        EXPECT_NE(std::string::npos, out.find("sdl_init\n")) << c.name << ": " << out;
        dir.remove("res/log");
    }
    dir.write("res/log", "a much longer line from the run before\n");
    ASSERT_TRUE(log_open(log.c_str()));
    log_write("loading configs\r\n");
    log_close();
    EXPECT_EQ("loading configs\r\n", dir.read("res/log")) << "an old log";
    EXPECT_EQ("loading configs", log_last_line()) << "the last line, for a start-up failure to repeat";
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
        EXPECT_EQ(r.allowed, log_rate_allow(&rate, r.now_ms)) << "at " << r.now_ms << " ms";
    EXPECT_EQ(2u, rate.held);
}
