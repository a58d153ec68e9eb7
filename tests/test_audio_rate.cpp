// The stream following the loop: the rate control and the pacing on a simulated sound card,
// a display whose vertical sync holds the presents (or none), and passes now and then late by
// up to a frame.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>

#include "app/pacing.h"
#include "host/audio.h"
#include "support/sim_card.h"

#define SIM_RATE 44100
#define SIM_TARGET 1411           // the default latency's queue level
#define SIM_WORK_MS 3.0           // one pass's work before it presents

// A pace: the rate the component reports, the sample frames it gives a frame on average, the
// display whose next tick a present waits for (0: no vertical sync), how much faster the card
// plays (slower when negative), and every how many passes one is late by up to a frame.
struct Sim { const char *name; int fps; double given, display_hz, card_error; int late_every; };

// The loop as the player runs it for two minutes: work, present, push the component's sound
// stretched by the control's ratio, wait for the deadline. The queue must never run dry, must
// hold near its target and below its bound, and the pitch must move smoothly.
static void simulate(const Sim &c)
{
    SimCard card(SIM_TARGET, SIM_RATE * (1.0 + c.card_error), AUDIO_DEVICE_FRAMES);
    const double period = frame_period(c.fps);
    AudioRate rate;
    audio_rate_start(rate, SIM_TARGET);
    double deadline = card.now;
    double last_ratio = 1.0;
    double pitch_step = 0.0;
    for (long pass = 1; card.now < SIM_CARD_START_MS + 120000.0; pass++) {
        deadline += period;
        double now = card.now + SIM_WORK_MS;
        if (c.late_every > 0 && pass % c.late_every == 0)
            now += period * (pass / c.late_every % 7) / 7.0;
        card.advance(sim_display_shows(now, c.display_hz));
        const int given = (int)(pass * c.given) - (int)((pass - 1) * c.given);
        const double ratio = audio_rate_update(rate, (unsigned)card.queued, SIM_TARGET, given);
        if (card.counting())
            pitch_step = std::max(pitch_step, fabs(ratio - last_ratio));
        last_ratio = ratio;
        card.add(given * ratio);
        PacingWait w = pacing_wait(deadline, card.now, period);
        card.advance(card.now + w.sleep_ms);
        deadline = w.deadline;
    }
    EXPECT_EQ(card.underruns, 0) << c.name;
    EXPECT_NEAR(card.median_level(), SIM_TARGET, 8.0 * SIM_RATE / 1000) << c.name;
    EXPECT_LT(card.highest, audio_bound_frames(SIM_TARGET, SIM_RATE / c.fps)) << c.name;
    EXPECT_LT(pitch_step, 0.0005) << c.name;
}

TEST(AudioRate, QueueHeldNearItsTargetWithoutUnderrunOnEveryPace)
{
    const Sim sims[] = {
        {"59.94 Hz display", 60, 735.0, 59.94, 0.0, 0},
        {"50 fps game", 50, 882.0, 0.0, 0.0, 0},
        {"reports 60, gives 738.4, 59.94 Hz", 60, 738.4, 59.94, 0.0, 0},
        {"card 0.5 % fast, 60.00 Hz", 60, 735.0, 60.0, 0.005, 0},
        {"a pass in 37 late, no vertical sync", 60, 735.0, 0.0, 0.0, 37},
    };
    for (const Sim &c : sims)
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
