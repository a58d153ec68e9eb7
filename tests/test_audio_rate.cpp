// The stream following the loop: the rate control and the pacing on a simulated sound card,
// a display whose vertical sync holds the presents (or none), and passes now and then late by
// up to a frame.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>

#include "app/pacing.h"
#include "sound/audio.h"
#include "support/sim_loop.h"

// The queue must never run dry, must hold near its target and below its bound, and the pitch
// must move smoothly.
static void simulate(const SimPace &c)
{
    SimRun run = sim_loop(c);
    EXPECT_EQ(run.card.underruns, 0) << c.name;
    EXPECT_NEAR(run.card.median_level(), SIM_TARGET, 8.0 * SIM_RATE / 1000) << c.name;
    EXPECT_LT(run.card.highest, audio_bound_frames(SIM_TARGET, SIM_RATE / c.fps)) << c.name;
    EXPECT_LT(run.pitch_step, 0.0005) << c.name;
}

TEST(AudioRate, QueueHeldNearItsTargetWithoutUnderrunOnEveryPace)
{
    const SimPace sims[] = {
        {"59.94 Hz display", 60, 735.0, 59.94, 59.94, 0.0, 0, 0.0},
        {"50 fps game", 50, 882.0, 0.0, 0.0, 0.0, 0, 0.0},
        {"reports 60, gives 738.4, 59.94 Hz", 60, 738.4, 59.94, 59.94, 0.0, 0, 0.0},
        {"card 0.5 % fast, 60.00 Hz", 60, 735.0, 60.0, 60.0, 0.005, 0, 0.0},
        {"a pass in 37 late, no vertical sync", 60, 735.0, 0.0, 0.0, 0.0, 37, 0.0},
    };
    for (const SimPace &c : sims)
        simulate(c);
}

// A queue the control can never make good (as on a 58 Hz display) saturates it, no further,
// and winds the control up no further than that: a full queue then turns the pitch down soon.
TEST(AudioRate, PitchNeverMovesMoreThanOnePercent)
{
    AudioRate rate;
    audio_rate_start(rate, 1400);
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 0, 1400, 735);
    EXPECT_DOUBLE_EQ(1.01, audio_rate_update(rate, 0, 1400, 735));
    for (int i = 0; i < 120; i++)
        audio_rate_update(rate, 2800, 1400, 735);
    EXPECT_LT(audio_rate_update(rate, 2800, 1400, 735), 1.0) << "two seconds of a full queue";
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 1000000, 1400, 735);
    EXPECT_DOUBLE_EQ(0.99, audio_rate_update(rate, 1000000, 1400, 735));
}
