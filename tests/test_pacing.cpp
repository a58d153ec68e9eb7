// Deadline arithmetic of the main loop.
#include <gtest/gtest.h>

#include <math.h>

#include "app/pacing.h"
#include "host/game.h"

TEST(Pacing, WaitSleepsWholeMillisecondsAndMovesLateOrReachedDeadlinesToNow)
{
    struct Case {
        double deadline, now;
        uint32_t sleep;
        double next;
    } cases[] = {
        {116.75, 100.0, 16, 116.75}, // the fraction not slept stays in the schedule
        {100.0, 100.0, 0, 100.0},
        {90.0, 100.0, 0, 100.0},     // late: not made up
        {100.1, 100.0, 0, 100.0},    // within 1 % of the period: a display near the game's rate leads
        {100.2, 100.0, 0, 100.2},
    };
    for (const Case &c : cases) {
        PacingWait w = pacing_wait(c.deadline, c.now, frame_period(60));
        EXPECT_EQ(w.sleep_ms, c.sleep) << "deadline " << c.deadline << " now " << c.now;
        EXPECT_DOUBLE_EQ(w.deadline, c.next) << "deadline " << c.deadline << " now " << c.now;
    }
}

// A rate no display shows would run the loop flat out; none at all would divide by zero.
TEST(Pacing, FrameRateHeldToWhatADisplayShows)
{
    const struct { int32_t reported, held; } cases[] = {
        {60, 60}, {MAX_FRAME_RATE, MAX_FRAME_RATE}, {1000000000, MAX_FRAME_RATE}, {0, FALLBACK_FRAME_RATE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(frame_rate_held(c.reported), c.held) << c.reported;
}

// Passes that take 3 ms of work and sleep exactly as asked, from a clock reading of start
// milliseconds; gives the passes per second held over a minute.
static double simulated_fps(int rate, double start)
{
    double deadline = start;
    double now = start;
    const int passes = 3600;
    for (int i = 0; i < passes; i++) {
        deadline += frame_period(rate);
        now = floor(now + 3.0);   // SDL's clock counts whole milliseconds
        PacingWait w = pacing_wait(deadline, now, frame_period(rate));
        now += w.sleep_ms;
        deadline = w.deadline;
    }
    return passes * 1000.0 / (now - start);
}

TEST(Pacing, FrameRateHoldsFromStartAndAfterDaysOfUptime)
{
    const double starts[] = {0.0, 4294967296.0};   // 2^32 ms
    for (double start : starts) {
        for (int rate : {50, 60})
            EXPECT_NEAR(simulated_fps(rate, start), rate, rate * 0.002)
                << rate << " fps from " << start << " ms";
    }
}
