// The fractional resampler the stream uses to follow the loop.
#include <gtest/gtest.h>

#include <math.h>

#include <vector>

#include "host/resample.h"

#define SINE_FRAMES 735

static std::vector<int16_t> sine_block(long start, int frames, double period)
{
    std::vector<int16_t> out((size_t)frames * 2);
    for (int i = 0; i < frames; i++) {
        int16_t v = (int16_t)lrint(20000.0 * sin(2.0 * M_PI * (start + i) / period));
        out[2 * i] = v;
        out[2 * i + 1] = (int16_t)-v;
    }
    return out;
}

TEST(Resample, RatioOfOneCopiesTheSoundUnchanged)
{
    Resampler r = {};
    std::vector<int16_t> out((size_t)resample_room(SINE_FRAMES, 1.01) * 2);
    for (int call = 0; call < 3; call++) {
        std::vector<int16_t> in = sine_block((long)call * SINE_FRAMES, SINE_FRAMES, 100.0);
        int n = resample(r, in.data(), SINE_FRAMES, 2, 1.0, out.data(), resample_room(SINE_FRAMES, 1.01));
        ASSERT_EQ(n, SINE_FRAMES);
        EXPECT_TRUE(std::equal(in.begin(), in.end(), out.begin())) << "call " << call;
    }
}

TEST(Resample, OutputLengthFollowsTheRatio)
{
    for (double ratio : {0.99, 1.003, 1.01}) {
        Resampler r = {};
        std::vector<int16_t> out((size_t)resample_room(SINE_FRAMES, 1.01) * 2);
        long total = 0;
        const int calls = 600;
        for (int call = 0; call < calls; call++) {
            std::vector<int16_t> in = sine_block((long)call * SINE_FRAMES, SINE_FRAMES, 100.0);
            total += resample(r, in.data(), SINE_FRAMES, 2, ratio, out.data(), resample_room(SINE_FRAMES, 1.01));
        }
        EXPECT_NEAR(total, calls * SINE_FRAMES * ratio, 2.0) << "ratio " << ratio;
    }
}

TEST(Resample, RatioChangesLeaveNoBreakInTheWave)
{
    // A sine of 100 frames' period moves at most 2 pi 20000 / 100 = 1257 per frame; a click
    // (a frame lost or repeated at a call boundary) would show as a larger step.
    Resampler r = {};
    std::vector<int16_t> out((size_t)resample_room(SINE_FRAMES, 1.01) * 2);
    std::vector<int16_t> all;
    for (int call = 0; call < 200; call++) {
        double ratio = 1.0 + 0.01 * sin(call * 0.7);
        std::vector<int16_t> in = sine_block((long)call * SINE_FRAMES, SINE_FRAMES, 100.0);
        int n = resample(r, in.data(), SINE_FRAMES, 2, ratio, out.data(), resample_room(SINE_FRAMES, 1.01));
        all.insert(all.end(), out.begin(), out.begin() + 2 * n);
    }
    int largest = 0;
    for (size_t i = 2; i < all.size(); i++)
        largest = std::max(largest, abs(all[i] - all[i - 2]));
    EXPECT_LE(largest, 1280);
}
