// Deadline arithmetic of the main loop.
#include <gtest/gtest.h>

#include "app/pacing.h"
#include "base/log.h"
#include "host/game.h"

// At 60 fps: a period of 16.67 ms.
TEST(Pacing, WaitSleepsWholeMillisecondsAndMovesLateOrReachedDeadlinesToNow)
{
    const struct { const char *name; double deadline, now; uint32_t sleep; double next; } cases[] = {
        {"the fraction not slept stays in the schedule", 116.75, 100.0, 16, 116.75},
        {"late: not made up", 90.0, 100.0, 0, 100.0},
        {"within 1 % of the period: a display near the game's rate leads", 100.1, 100.0, 0, 100.0},
        {"beyond 1 % of the period", 100.2, 100.0, 0, 100.2},
    };
    for (const auto &c : cases) {
        PacingWait w = pacing_wait(c.deadline, c.now, frame_period(60));
        EXPECT_EQ(c.sleep, w.sleep_ms) << c.name;
        EXPECT_DOUBLE_EQ(c.next, w.deadline) << c.name;
    }
}

// A rate no display shows would run the loop flat out; none at all would divide by zero.
TEST(Pacing, FrameRateHeldToWhatADisplayShows)
{
    const struct { const char *name; int32_t reported, held; } cases[] = {
        {"a display's rate", 60, 60},
        {"beyond any display", 1000000000, MAX_FRAME_RATE},
        {"none", 0, FALLBACK_FRAME_RATE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.held, frame_rate_held(c.reported)) << c.name;
    EXPECT_DOUBLE_EQ(1000.0 / 60, frame_period(0)) << "no rate: the fallback's period";
}
