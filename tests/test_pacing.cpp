// Deadline arithmetic of the main loop.
#include <gtest/gtest.h>

#include <math.h>

#include "app/pacing.h"

TEST(Pacing, FramePeriodGuardsAgainstZero)
{
    EXPECT_FLOAT_EQ(frame_period(60), 1000.0f / 60.0f);
    EXPECT_FLOAT_EQ(frame_period(50), 20.0f);
    EXPECT_FLOAT_EQ(frame_period(0), frame_period(60));
    EXPECT_FLOAT_EQ(frame_period(-5), frame_period(60));
}

TEST(Pacing, WaitSleepsWholeMillisecondsAndMovesLateDeadlinesToNow)
{
    struct Case {
        float deadline, now;
        bool carry;
        uint32_t sleep;
        float next;
    } cases[] = {
        {116.75f, 100.0f, true, 16, 117.5f},   // fraction not slept carries with a device
        {116.75f, 100.0f, false, 16, 116.75f}, // the exact schedule without one
        {100.0f, 100.0f, true, 0, 100.0f},
        {90.0f, 100.0f, true, 0, 100.0f},      // late: not made up
        {90.0f, 100.0f, false, 0, 100.0f},
    };
    for (const Case &c : cases) {
        PacingWait w = pacing_wait(c.deadline, c.now, c.carry);
        EXPECT_EQ(w.sleep_ms, c.sleep) << "deadline " << c.deadline << " now " << c.now;
        EXPECT_FLOAT_EQ(w.deadline, c.next) << "deadline " << c.deadline << " now " << c.now;
    }
}

TEST(Pacing, FeedbackHurriesOnlyBelowTwoThirdsWithADevice)
{
    // 14700 frames of capacity at 60 fps: the low-water mark is 9800.
    EXPECT_FLOAT_EQ(pacing_feedback(500.0f, 9799, 14700, true), 436.0f);
    EXPECT_FLOAT_EQ(pacing_feedback(500.0f, 9800, 14700, true), 500.0f);
    EXPECT_FLOAT_EQ(pacing_feedback(500.0f, 0, 14700, true), 436.0f);
    // No device: the queue reads empty forever, which must not make the game run flat out.
    EXPECT_FLOAT_EQ(pacing_feedback(500.0f, 0, 14700, false), 500.0f);
    EXPECT_FLOAT_EQ(pacing_feedback(500.0f, 0, 0, true), 500.0f);
}

TEST(Pacing, NoDeviceHoldsTheFrameRateOverManyPasses)
{
    // Simulate passes that take 3 ms of work and sleep exactly as asked.
    for (int rate : {50, 60}) {
        float deadline = 1000.0f, now = 1000.0f;
        const int passes = 600;
        for (int i = 0; i < passes; i++) {
            deadline += frame_period(rate);
            now = floorf(now + 3.0f);
            PacingWait w = pacing_wait(deadline, now, false);
            now += (float)w.sleep_ms;
            deadline = pacing_feedback(w.deadline, 0, 14700, false);
        }
        float fps = passes * 1000.0f / (now - 1000.0f);
        EXPECT_NEAR(fps, rate, rate * 0.01) << "at " << rate;
    }
}
