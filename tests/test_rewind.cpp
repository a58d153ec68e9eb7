// The rewind ring's bookkeeping: where states go and come back from, how many are kept, and
// when saving them costs too much.
#include <gtest/gtest.h>

#include "host/rewind_ring.h"

// A ring of three files: pushes and pops in a row, each with the file it names.
TEST(RewindRing, PushesAndPopsWrapAround)
{
    const struct { const char *name; bool push; int32_t file, count; } steps[] = {
        {"first state", true, 0, 1},
        {"second state", true, 1, 2},
        {"back to the second", false, 1, 1},
        {"its file is reused", true, 1, 2},
        {"third", true, 2, 3},
        {"fourth overwrites the oldest", true, 0, 3},
        {"back: newest first", false, 0, 2},
        {"then the one before", false, 2, 1},
        {"then the oldest kept", false, 1, 0},
        {"nothing older", false, -1, 0},
    };
    RewindRing ring = {3, 0, 0};
    for (const auto &s : steps) {
        EXPECT_EQ(s.file, s.push ? rewind_ring_push(ring) : rewind_ring_pop(ring)) << s.name;
        EXPECT_EQ(s.count, ring.count) << s.name;
    }
    RewindRing off = {0, 0, 0};
    EXPECT_EQ(-1, rewind_ring_push(off));
}

TEST(RewindRing, SizedByTimeAndHeldUnderTheCeiling)
{
    // Every 4th frame kept, under a ceiling of 1 MiB.
    const struct { const char *name; int32_t seconds, fps; uint64_t state_bytes; int32_t files; } cases[] = {
        {"30 s at 60 fps, every 4th frame", 30, 60, 0, 450},
        {"large states are held to the ceiling", 30, 60, 1 << 16, 16},
        {"a state beyond the ceiling keeps one", 30, 60, 1 << 21, 1},
        {"a part interval rounds up", 1, 50, 0, 13},
        {"no frame rate", 30, 0, 0, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.files, rewind_ring_capacity(c.seconds, c.fps, 4, c.state_bytes, 1 << 20)) << c.name;
}

TEST(RewindRing, TooSlowPastAQuarterOfAFrame)
{
    EXPECT_FALSE(rewind_too_slow(4167, 16668));
    EXPECT_TRUE(rewind_too_slow(4168, 16668));
}
