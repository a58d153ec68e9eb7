// Picture placement and the frame buffer's size rules.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <sstream>

#include "video/frame_buffer.h"
#include "video/present.h"

TEST(PictureRect, WholeMultiplesStretchAndSmallWindows)
{
    struct Case {
        int ww, wh, sw, sh;
        bool stretch;
        SDL_Rect want;
    } cases[] = {
        {1920, 1080, 256, 224, false, {448, 92, 1024, 896}},
        {1920, 1080, 256, 224, true, {343, 0, 1234, 1080}},
        {768, 672, 256, 224, false, {0, 0, 768, 672}},       // windowed at scale 3
        {768, 672, 256, 224, true, {0, 0, 768, 672}},
        {200, 100, 256, 224, false, {100, 50, 0, 0}},       // smaller than the screen: k = 0
        {513, 449, 256, 224, false, {0, 0, 512, 448}},      // odd remainder goes right/bottom
        {515, 451, 256, 224, false, {1, 1, 512, 448}},
        {300, 448, 256, 224, true, {-106, 0, 512, 448}},    // wider than the window
        {640, 480, 0, 224, false, {320, 240, 0, 0}},        // zero screen: nothing, no loop
        {640, 480, 256, 0, true, {320, 240, 0, 0}},
        {0, 0, 256, 224, false, {0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        const SDL_Rect r = picture_rect_for(c.ww, c.wh, c.sw, c.sh, c.stretch);
        std::ostringstream where;
        where << "window " << c.ww << "x" << c.wh << ", screen " << c.sw << "x" << c.sh << ", stretch " << c.stretch;
        EXPECT_EQ(c.want.x, r.x) << where.str();
        EXPECT_EQ(c.want.y, r.y) << where.str();
        EXPECT_EQ(c.want.w, r.w) << where.str();
        EXPECT_EQ(c.want.h, r.h) << where.str();
    }
}

TEST(FrameBuffer, GrowsAndNeverShrinks)
{
    uint8_t *pixels = nullptr;
    uint32_t size = 0;
    EXPECT_TRUE(frame_buffer_grow(&pixels, &size, 256, 224));
    EXPECT_EQ(size, 256u * 224u * 4u);
    EXPECT_TRUE(frame_buffer_grow(&pixels, &size, 512, 224));
    EXPECT_EQ(size, 512u * 224u * 4u);
    uint8_t *grown = pixels;
    EXPECT_TRUE(frame_buffer_grow(&pixels, &size, 256, 224));
    EXPECT_EQ(size, 512u * 224u * 4u) << "a smaller raster must not shrink the buffer";
    EXPECT_EQ(pixels, grown);
    free(pixels);
}

// Zero, negative, overflowing and absurd sizes leave the buffer as it was and never fit.
TEST(FrameBuffer, RefusesAbsurdSizes)
{
    uint8_t *pixels = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(frame_buffer_grow(&pixels, &size, 512, 224));
    uint8_t *grown = pixels;
    const int bad[][2] = {
        {0, 224},
        {256, 0},
        {-1, 224},
        {65536, 65536},
        {0x7fffffff, 2},
        {16385, 1},
    };
    for (const auto &b : bad) {
        EXPECT_FALSE(frame_buffer_grow(&pixels, &size, b[0], b[1])) << b[0] << "x" << b[1];
        EXPECT_EQ(size, 512u * 224u * 4u) << b[0] << "x" << b[1];
        EXPECT_EQ(pixels, grown) << b[0] << "x" << b[1];
        EXPECT_FALSE(frame_buffer_fits(size, b[0], b[1])) << b[0] << "x" << b[1];
    }
    free(pixels);
}

TEST(FrameBuffer, FitsUpToItsSize)
{
    const uint32_t size = 512u * 224u * 4u;
    EXPECT_TRUE(frame_buffer_fits(size, 512, 224));
    EXPECT_FALSE(frame_buffer_fits(size, 512, 225));
}
