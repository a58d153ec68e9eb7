// The fractional resampler the stream uses to follow the loop.
#include <gtest/gtest.h>

#include <vector>

#include "sound/resample.h"

typedef std::vector<int16_t> Samples;

// Mono calls in a row on one resampler, each carrying its position and last frame to the next,
// so that the wave goes on without a break however the ratio changes.
TEST(Resample, InterpolatesAndRoundsAcrossCalls)
{
    const struct { const char *name; int channels; Samples in; double ratio; int room; Samples out; } calls[] = {
        {"stretched, rounded to nearest", 1, {0, 10}, 3.0, 8, {0, 3, 7, 10}},
        {"the frame before from the call before", 1, {-12, -12}, 3.0, 8, {3, -5, -12, -12, -12, -12}},
        {"squeezed", 1, {0, 30, 60, 90}, 0.75, 8, {-8, 20, 60}},
        {"a full output drops the rest", 1, {1, 2, 3, 4}, 1.0, 2, {60, 1}},
        {"which is not read again; a ratio of 1 copies", 1, {5, 6}, 1.0, 8, {5, 6}},
        {"every channel on its own", 2, {0, 0, 30, -60}, 3.0, 8, {0, 0, 10, -20, 20, -40, 30, -60}},
        {"a ratio of 0 writes nothing", 1, {5, 6}, 0.0, 8, {}},
    };
    Resampler r = {};
    for (const auto &c : calls) {
        Samples out(16);
        const int frames = (int)c.in.size() / c.channels;
        const int written = resample(r, c.in.data(), frames, c.channels, c.ratio, out.data(), c.room);
        out.resize((size_t)written * c.channels);
        EXPECT_EQ(c.out, out) << c.name;
    }
}
