// Deadline arithmetic of the main loop.
#include <gtest/gtest.h>

#include <math.h>

#include "app/pacing.h"

TEST(Pacing, WaitSleepsWholeMillisecondsAndMovesLateDeadlinesToNow)
{
    struct Case {
        double deadline, now;
        uint32_t sleep;
        double next;
    } cases[] = {
        {116.75, 100.0, 16, 116.75}, // the fraction not slept stays in the schedule
        {100.0, 100.0, 0, 100.0},
        {90.0, 100.0, 0, 100.0},     // late: not made up
    };
    for (const Case &c : cases) {
        PacingWait w = pacing_wait(c.deadline, c.now);
        EXPECT_EQ(w.sleep_ms, c.sleep) << "deadline " << c.deadline << " now " << c.now;
        EXPECT_DOUBLE_EQ(w.deadline, c.next) << "deadline " << c.deadline << " now " << c.now;
    }
}

TEST(Pacing, FeedbackHurriesOnlyBelowTwoThirdsWithADevice)
{
    // 14700 frames of capacity at 60 fps: the low-water mark is 9800.
    EXPECT_DOUBLE_EQ(pacing_feedback(500.0, 9799, 14700, true), 436.0);
    EXPECT_DOUBLE_EQ(pacing_feedback(500.0, 9800, 14700, true), 500.0);
    // No device: the queue reads empty forever, which must not make the game run flat out.
    EXPECT_DOUBLE_EQ(pacing_feedback(500.0, 0, 14700, false), 500.0);
    EXPECT_DOUBLE_EQ(pacing_feedback(500.0, 0, 0, true), 500.0);
}

TEST(Pacing, QueueBeyondCapacityWaitsForTheDeviceToPlayTheExcess)
{
    struct Case {
        unsigned queued;
        int capacity, rate;
        uint32_t wait;
    } cases[] = {
        {14700, 14700, 44100, 0},
        {14701, 14700, 44100, 1},        // a part of a millisecond is waited whole
        {14700 * 10, 14700, 44100, PACING_QUEUE_WAIT_MAX_MS}, // a stalled device cannot stop the loop
        {20000, 14700, 0, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pacing_queue_wait(c.queued, c.capacity, c.rate), c.wait) << c.queued << " queued";
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
        PacingWait w = pacing_wait(deadline, now);
        now += w.sleep_ms;
        deadline = pacing_feedback(w.deadline, 0, 14700, false);
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
