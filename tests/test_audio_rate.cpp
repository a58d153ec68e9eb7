// The stream following the loop: the rate control and the pacing on a simulated sound card
// that takes a device buffer at a time, a display whose vertical sync holds the presents (or
// none), and passes now and then late by up to a frame.
#include <gtest/gtest.h>

#include <math.h>

#include <algorithm>
#include <vector>

#include "app/pacing.h"
#include "config/settings.h"
#include "host/audio.h"

#define SIM_RATE 44100
#define SIM_WORK_MS 3.0       // one pass's work before it presents
#define SIM_SETTLE_MS 2000.0  // what happens in the first two seconds is not counted
#define SIM_SECONDS 120.0

struct Sim {
    const char *name;
    int fps;             // the rate the component reports
    double given;        // sample frames it gives a frame, on average
    double display_hz;   // presents wait for this display's next tick; 0: no vertical sync
    double card_error;   // the card plays this much faster (slower when negative)
    int late_every;      // every late_every-th pass is late by up to a frame; 0: none
};

struct SimResult {
    long underruns;      // device buffers taken after the settling that found too little queued
    double median_ms;    // queue level read before a push, in ms of sound
    int highest;         // highest level after a push, sample frames
    double pitch_step;   // largest change of the ratio from one push to the next after the settling
};

// The loop as the player runs it: work, present (at the next tick with vertical sync), push
// the component's sound stretched by the control's ratio, wait for the deadline.
static SimResult simulate(const Sim &c)
{
    const int frame = SIM_RATE / c.fps;
    const int target = audio_target_frames(SETTINGS_DEFAULT_LATENCY_MS, SIM_RATE, frame, AUDIO_DEVICE_FRAMES);
    const double block_ms = AUDIO_DEVICE_FRAMES * 1000.0 / (SIM_RATE * (1.0 + c.card_error));
    const double period = frame_period(c.fps);
    SimResult result = {0, 0.0, 0, 0.0};
    AudioRate rate;
    audio_rate_start(rate, target);
    double queued = target;
    double carry = 0.0;
    double owed = 0.0;
    double next_block = block_ms;
    double now = 0.0;
    double deadline = 0.0;
    double last_ratio = 1.0;
    unsigned seed = 1;
    std::vector<double> levels;
    auto advance = [&](double to) {
        for (; next_block <= to; next_block += block_ms) {
            if (queued < AUDIO_DEVICE_FRAMES && next_block > SIM_SETTLE_MS)
                result.underruns++;
            queued = std::max(queued - AUDIO_DEVICE_FRAMES, 0.0);
        }
        now = to;
    };
    for (long pass = 1; now < SIM_SECONDS * 1000.0; pass++) {
        deadline += period;
        double work = SIM_WORK_MS;
        if (c.late_every > 0 && pass % c.late_every == 0) {
            seed = seed * 1103515245u + 12345u;
            work += period * ((seed >> 16) & 0x7fff) / 32768.0;
        }
        advance(now + work);
        if (c.display_hz > 0.0)
            advance(ceil(now * c.display_hz / 1000.0) * 1000.0 / c.display_hz);
        owed += c.given;
        const int given = (int)owed;
        owed -= given;
        const double ratio = audio_rate_update(rate, (unsigned)queued, target, given);
        const double out = given * ratio + carry;
        carry = out - floor(out);
        if (now > SIM_SETTLE_MS) {
            levels.push_back(queued);
            result.pitch_step = std::max(result.pitch_step, fabs(ratio - last_ratio));
        }
        last_ratio = ratio;
        queued += floor(out);
        result.highest = std::max(result.highest, (int)queued);
        PacingWait w = pacing_wait(deadline, now, period);
        advance(now + w.sleep_ms);
        deadline = w.deadline;
    }
    std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
    result.median_ms = levels[levels.size() / 2] * 1000.0 / SIM_RATE;
    return result;
}

static const Sim SIMS[] = {
    {"no vertical sync", 60, 735.0, 0.0, 0.0, 0},
    {"60.00 Hz display", 60, 735.0, 60.0, 0.0, 0},
    {"59.94 Hz display", 60, 735.0, 59.94, 0.0, 0},
    {"60.5 Hz display", 60, 735.0, 60.5, 0.0, 0},
    {"144 Hz display", 60, 735.0, 144.0, 0.0, 0},
    {"50 fps game", 50, 882.0, 0.0, 0.0, 0},
    {"reports 60, gives 733.8", 60, 733.8, 0.0, 0.0, 0},
    {"reports 60, gives 738.4, 59.94 Hz", 60, 738.4, 59.94, 0.0, 0},
    {"card 0.5 % fast", 60, 735.0, 60.0, 0.005, 0},
    {"card 0.5 % slow", 60, 735.0, 0.0, -0.005, 0},
    {"a pass in 300 late, 60.00 Hz", 60, 735.0, 60.0, 0.0, 300},
    {"a pass in 300 late, 59.94 Hz", 60, 735.0, 59.94, 0.0, 300},
    {"a pass in 37 late, no vertical sync", 60, 735.0, 0.0, 0.0, 37},
};

TEST(AudioRate, QueueHeldNearItsTargetWithoutUnderrunOnEveryPace)
{
    for (const Sim &c : SIMS) {
        const SimResult r = simulate(c);
        const int frame = SIM_RATE / c.fps;
        const int target = audio_target_frames(SETTINGS_DEFAULT_LATENCY_MS, SIM_RATE, frame, AUDIO_DEVICE_FRAMES);
        EXPECT_EQ(r.underruns, 0) << c.name;
        EXPECT_NEAR(r.median_ms, target * 1000.0 / SIM_RATE, 8.0) << c.name;
        EXPECT_LT(r.highest, audio_bound_frames(target, frame)) << c.name;
        EXPECT_LT(r.pitch_step, 0.0005) << c.name;
    }
}

// A queue the control can never make good (as on a 58 Hz display) saturates it, no further.
TEST(AudioRate, PitchNeverMovesMoreThanOnePercent)
{
    AudioRate rate;
    audio_rate_start(rate, 1400);
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 0, 1400, 735);
    EXPECT_DOUBLE_EQ(audio_rate_update(rate, 0, 1400, 735), 1.0 + AUDIO_RATIO_LIMIT);
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 1000000, 1400, 735);
    EXPECT_DOUBLE_EQ(audio_rate_update(rate, 1000000, 1400, 735), 1.0 - AUDIO_RATIO_LIMIT);
}
