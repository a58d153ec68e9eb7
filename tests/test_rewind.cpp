// The rewind ring's bookkeeping: where states go and come back from, how many are kept, the
// bytes they take, and when saving them costs too much.
#include <gtest/gtest.h>

#include "rewind/rewind_ring.h"
#include "support/ring_steps.h"

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
    static RewindRing ring;
    rewind_ring_reset(ring, 3);
    for (const auto &s : steps) {
        EXPECT_EQ(s.file, s.push ? rewind_ring_push(ring) : rewind_ring_pop(ring)) << s.name;
        EXPECT_EQ(s.count, ring.count) << s.name;
    }
}

// States written one after another as rewind writes them, in a ring of four files under a
// ceiling of 1000 bytes. Per state: the files dropped (how many, the first), the states and
// bytes kept, and whether rewind stays on.
TEST(RewindRing, BytesKeptStayUnderTheCeilingWhateverTheStatesSizes)
{
    const struct { const char *name; uint64_t bytes; int32_t drops, first, count; uint64_t kept; bool on; } steps[] = {
        {"a small first state", 100, 0, -1, 1, 100, true},
        {"a large one fits beside it", 600, 0, -1, 2, 700, true},
        {"another as large: both older ones go", 600, 2, 0, 1, 600, true},
        {"room for one as large as the last", 100, 1, 2, 1, 100, true},
        {"small ones fit", 100, 0, -1, 2, 200, true},
        {"three", 300, 0, -1, 3, 500, true},
        {"four: the ring is full", 300, 0, -1, 4, 800, true},
        {"the state overwritten counts no more: exactly the ceiling", 300, 0, -1, 4, 1000, true},
        {"one as large as the ceiling keeps only itself", 1000, 3, 1, 1, 1000, true},
        {"one larger than the ceiling switches rewind off", 1001, 1, 0, 1, 0, false},
    };
    static RewindRing ring;
    rewind_ring_reset(ring, 4);
    uint64_t last = 0;
    for (const auto &s : steps) {
        RingStep step = ring_step_keep(ring, s.bytes, last, 1000);
        last = s.bytes;
        EXPECT_EQ(s.drops, step.drops) << s.name;
        EXPECT_EQ(s.first, step.first) << s.name;
        EXPECT_EQ(s.on, step.kept) << s.name;
        EXPECT_EQ(s.count, ring.count) << s.name;
        EXPECT_EQ(s.kept, ring.bytes) << s.name;
    }
}

TEST(RewindRing, SizedByTime)
{
    const struct { const char *name; int32_t seconds, fps, files; } cases[] = {
        {"30 s at 60 fps, every 4th frame", 30, 60, 450},
        {"a part interval rounds up", 1, 50, 13},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.files, rewind_ring_capacity(c.seconds, c.fps, 4)) << c.name;
}

// Save times in microseconds against a 60 fps frame (16667 us: a quarter is 4166.75).
TEST(RewindRing, TooSlowWhenMostSavesPassAQuarterOfAFrame)
{
    const struct { const char *name; uint64_t us[8]; bool slow; } cases[] = {
        {"all just under", {4166, 4166, 4166, 4166, 4166, 4166, 4166, 4166}, false},
        {"all just over", {4167, 4167, 4167, 4167, 4167, 4167, 4167, 4167}, true},
        {"a slow first save alone", {500000, 900, 900, 900, 900, 900, 900, 900}, false},
        {"every other save slow", {900, 9000, 900, 9000, 900, 9000, 900, 9000}, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.slow, rewind_too_slow(c.us, 8, 16667)) << c.name;
}
