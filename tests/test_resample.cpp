// The fractional resampler the stream uses to follow the loop.
#include <gtest/gtest.h>

#include <math.h>

#include <functional>
#include <vector>

#include "host/resample.h"

#define SINE_FRAMES 735
#define SINE_PERIOD 100.0   // frames

// Frames start.. of a stereo sine of amplitude 20000, the right channel inverted.
static std::vector<int16_t> sine_block(long start, int frames)
{
    std::vector<int16_t> out((size_t)frames * 2);
    for (int i = 0; i < frames; i++) {
        int16_t v = (int16_t)lrint(20000.0 * sin(2.0 * M_PI * (start + i) / SINE_PERIOD));
        out[2 * i] = v;
        out[2 * i + 1] = (int16_t)-v;
    }
    return out;
}

// The sine fed in blocks of SINE_FRAMES for calls calls, each at ratio(call); all output.
static std::vector<int16_t> resample_sine(int calls, const std::function<double(int)> &ratio)
{
    Resampler r = {};
    const int room = resample_room(SINE_FRAMES, 1.01);
    std::vector<int16_t> out((size_t)room * 2);
    std::vector<int16_t> all;
    for (int call = 0; call < calls; call++) {
        std::vector<int16_t> in = sine_block((long)call * SINE_FRAMES, SINE_FRAMES);
        int n = resample(r, in.data(), SINE_FRAMES, 2, ratio(call), out.data(), room);
        all.insert(all.end(), out.begin(), out.begin() + 2 * n);
    }
    return all;
}

TEST(Resample, RatioOfOneCopiesTheSoundUnchanged)
{
    const std::vector<int16_t> out = resample_sine(3, [](int) { return 1.0; });
    EXPECT_TRUE(out == sine_block(0, 3 * SINE_FRAMES));
}

TEST(Resample, OutputLengthFollowsTheRatio)
{
    for (double ratio : {0.99, 1.01}) {
        const size_t samples = resample_sine(600, [ratio](int) { return ratio; }).size();
        EXPECT_NEAR(samples / 2, 600 * SINE_FRAMES * ratio, 2.0) << "ratio " << ratio;
    }
}

TEST(Resample, RatioChangesLeaveNoBreakInTheWave)
{
    // The sine moves at most 2 pi 20000 / SINE_PERIOD = 1257 per frame; a click (a frame lost
    // or repeated at a call boundary) would show as a larger step.
    const std::vector<int16_t> all = resample_sine(200, [](int call) { return 1.0 + 0.01 * sin(call * 0.7); });
    int largest = 0;
    for (size_t i = 2; i < all.size(); i++)
        largest = std::max(largest, abs(all[i] - all[i - 2]));
    EXPECT_LE(largest, 1280);
}
