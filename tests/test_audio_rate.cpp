// The stream following the loop: the rate control on a simulated audio queue, a sound card
// that drains it in blocks, and a display whose vertical sync holds the presents.
#include <gtest/gtest.h>

#include <math.h>

#include "app/pacing.h"
#include "host/audio_rate.h"

#define SIM_RATE 44100
#define SIM_BLOCK 2048        // frames the card takes at a time
#define SIM_WORK_MS 3.0       // one pass's work before it presents
#define SIM_SETTLE_MS 1000.0  // underruns in the first second are not counted

struct SimResult {
    long underruns;        // card blocks after the first second that found too little queued
    double final_level;    // queue level at the end, sample frames
};

// Runs the loop as the player does for seconds: work, present at the next display tick,
// wait for the queue bound, push the component's frame stretched by the ratio, wait for the
// deadline, hurry when low. The card plays card_error faster (or slower when negative).
static SimResult simulate(int fps, double display_hz, double card_error, double seconds)
{
    const int capacity = SIM_RATE * 20 / fps;
    const int target = capacity - capacity / 3 + capacity / 6;
    const int frame = SIM_RATE / fps;
    const double block_ms = SIM_BLOCK * 1000.0 / (SIM_RATE * (1.0 + card_error));
    const double tick_ms = 1000.0 / display_hz;

    SimResult result = {0, 0.0};
    AudioRate rate;
    audio_rate_start(rate, target);
    double queued = target;
    double carry = 0.0;
    double next_block = block_ms;
    double now = 0.0;
    double deadline = 0.0;
    auto advance = [&](double to) {
        for (; next_block <= to; next_block += block_ms) {
            if (queued < SIM_BLOCK && next_block > SIM_SETTLE_MS)
                result.underruns++;
            queued = queued > SIM_BLOCK ? queued - SIM_BLOCK : 0.0;
        }
        now = to;
    };
    while (now < seconds * 1000.0) {
        deadline += frame_period(fps);
        advance(now + SIM_WORK_MS);
        advance(ceil(now / tick_ms) * tick_ms);
        advance(now + pacing_queue_wait((unsigned)queued, capacity, SIM_RATE));
        double out = frame * audio_rate_update(rate, (unsigned)queued, target, frame) + carry;
        carry = out - floor(out);
        queued += floor(out);
        PacingWait w = pacing_wait(deadline, floor(now));
        advance(now + w.sleep_ms);
        deadline = pacing_feedback(w.deadline, (unsigned)queued, capacity, true);
    }
    result.final_level = queued;
    return result;
}

struct Display {
    int fps;
    double hz;
};

// Displays within 1 % of the game's rate, and faster ones, with sound cards a little off.
static const Display DISPLAYS[] = {{60, 59.94}, {60, 60.5}, {60, 144.0}, {50, 49.95}};
static const double CARD_ERRORS[] = {-0.005, 0.0, 0.005};

TEST(AudioRate, NoUnderrunOverTenMinutesOnDisplaysNearOrAboveTheGameRate)
{
    for (const Display &d : DISPLAYS)
        for (double card : CARD_ERRORS)
            EXPECT_EQ(simulate(d.fps, d.hz, card, 600.0).underruns, 0)
                << d.fps << " fps on " << d.hz << " Hz, card off by " << card;
}

TEST(AudioRate, QueueSettlesNearItsTarget)
{
    const int capacity = SIM_RATE * 20 / 60;
    const double target = capacity - capacity / 3 + capacity / 6;
    for (double hz : {59.94, 60.0})
        for (double card : CARD_ERRORS)
            EXPECT_NEAR(simulate(60, hz, card, 120.0).final_level, target, SIM_BLOCK + SIM_RATE / 60)
                << hz << " Hz, card off by " << card;
}

// A queue the control can never make good (as on a 58 Hz display) saturates it, no further.
TEST(AudioRate, PitchNeverMovesMoreThanOnePercent)
{
    AudioRate rate;
    audio_rate_start(rate, 12000);
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 0, 12000, 735);
    EXPECT_DOUBLE_EQ(audio_rate_update(rate, 0, 12000, 735), 1.0 + AUDIO_RATIO_LIMIT);
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 1000000, 12000, 735);
    EXPECT_DOUBLE_EQ(audio_rate_update(rate, 1000000, 12000, 735), 1.0 - AUDIO_RATIO_LIMIT);
}

TEST(AudioRate, ReadingJitterMovesThePitchByAFractionOfAPercent)
{
    // The card takes blocks, so the level read before each push swings by a block.
    AudioRate rate;
    audio_rate_start(rate, 12250);
    double lowest = 2.0;
    double highest = 0.0;
    for (int i = 0; i < 6000; i++) {
        double r = audio_rate_update(rate, 12250 - SIM_BLOCK / 2 + (unsigned)(i * 735) % SIM_BLOCK, 12250, 735);
        lowest = fmin(lowest, r);
        highest = fmax(highest, r);
    }
    EXPECT_LT(highest - lowest, 0.002);
}
