// Picture placement, the frame buffer's size rules, and the frame drawn through the SDL
// renderer.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <sstream>

#include "config/settings.h"
#include "record/ox_core.h"
#include "video/frame_buffer.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/present.h"
#include "support/kept_state.h"
#include "xgui_test_files.h"

// The component as this file's frames see it: a raster of 0 means "unchanged", so the
// picture must be drawn at the raster the player already holds.
int ox_video_get_raster_width(void) { return 0; }
int ox_video_get_raster_height(void) { return 0; }

TEST(PictureRect, WholeMultiplesStretchAndSmallWindows)
{
    struct Case {
        int ww, wh, sw, sh;
        bool stretch;
        SDL_Rect want;
    } cases[] = {
        {1920, 1080, 256, 224, false, {448, 92, 1024, 896}},
        {1920, 1080, 256, 224, true, {343, 0, 1234, 1080}},
        {200, 100, 256, 224, false, {100, 50, 0, 0}},       // smaller than the screen: k = 0
        {513, 449, 256, 224, false, {0, 0, 512, 448}},      // odd remainder goes right/bottom
        {300, 448, 256, 224, true, {-106, 0, 512, 448}},    // wider than the window
        {640, 480, 0, 224, false, {320, 240, 0, 0}},        // zero screen: nothing, no loop
        {640, 480, 256, 0, true, {320, 240, 0, 0}},
    };
    for (const Case &c : cases) {
        const SDL_Rect r = picture_rect_for(c.ww, c.wh, c.sw, c.sh, c.stretch);
        std::ostringstream where;
        where << "window " << c.ww << "x" << c.wh;
        where << ", screen " << c.sw << "x" << c.sh;
        where << ", stretch " << c.stretch;
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

// Zero, overflowing and absurd sizes leave the buffer as it was and never fit.
TEST(FrameBuffer, RefusesAbsurdSizes)
{
    uint8_t *pixels = nullptr;
    uint32_t size = 0;
    ASSERT_TRUE(frame_buffer_grow(&pixels, &size, 512, 224));
    uint8_t *grown = pixels;
    const int bad[][2] = {
        {0, 224},
        {65536, 65536},
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

// Screen and raster sizes from the component: a machine's picture, even one rendered at a
// multiple of its size for the largest displays, has sides of 1 to 8192 pixels.
TEST(FrameBuffer, SizesNoMachineHasAreRefused)
{
    const struct { const char *name; int w, h; bool usable; } cases[] = {
        {"a small machine's screen", 256, 224, true},
        {"the largest side", 8192, 8192, true},
        {"a side past it", 8193, 224, false},
        {"a raster that takes a second a frame to copy", 16384, 16384, false},
        {"no screen at all", 0, 0, false},
        {"a negative side", 256, -224, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(frame_size_usable(c.w, c.h), c.usable) << c.name;
}

TEST(FrameBuffer, FitsUpToItsSize)
{
    const uint32_t size = 512u * 224u * 4u;
    EXPECT_TRUE(frame_buffer_fits(size, 512, 224));
    EXPECT_FALSE(frame_buffer_fits(size, 512, 225));
}

// The frame through a software renderer: video with a 768 x 672 window, raster 256 x 224.
class Presenting : public ::testing::Test {
protected:
    KeptVideo kept;
    ResDir files;
    TestWindow win;
    static void SetUpTestSuite() { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    static void TearDownTestSuite() { SDL_Quit(); }
    void SetUp() override
    {
        ASSERT_TRUE(win.open(768, 672)) << SDL_GetError();
        VideoState &g = video_state();
        g.window = win.window;
        g.renderer = win.renderer;
        g.gl_path = false;
        g.window_w = 768;
        g.window_h = 672;
        g.raster_w = 256;
        g.raster_h = 224;
        g.screen_w = 256;
        g.screen_h = 224;
    }
    void TearDown() override
    {
        xgui_free();
        SDL_DestroyTexture(video_state().frame_texture);
        free(video_state().pixels);
    }
};

TEST_F(Presenting, HeldRasterIsDrawnWhenTheComponentReportsZero)
{
    VideoState &g = video_state();
    video_recreate_frame_texture();
    for (int i = 0; i < g.raster_w * g.raster_h; i++) {
        uint8_t *p = g.pixels + (size_t)i * 4;
        p[0] = 0x33;
        p[1] = 0x66;
        p[2] = 0x99;
        p[3] = 0xFF;
    }
    SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
    video_present_sdl();
    uint32_t centre = 0;
    SDL_Rect pixel = {384, 336, 1, 1};
    ASSERT_EQ(SDL_RenderReadPixels(g.renderer, &pixel, SDL_PIXELFORMAT_RGB888, &centre, 4), 0);
    EXPECT_EQ(centre & 0xFFFFFF, 0x336699u);
}

// The overlay's textures are filtered linearly; a frame texture made afterwards for a new
// raster still follows the smoothing setting.
TEST_F(Presenting, RasterChangeKeepsTheScalingOfTheSmoothingSetting)
{
    ASSERT_TRUE(test_write_res(files));
    ASSERT_TRUE(xgui_init(files.path("").c_str(), video_state().renderer));
    const struct { bool smoothing; int raster_w; SDL_ScaleMode want; } cases[] = {
        {false, 512, SDL_ScaleModeNearest}, {true, 256, SDL_ScaleModeLinear}};
    for (const auto &c : cases) {
        settings.smoothing = c.smoothing;
        video_state().raster_w = c.raster_w;
        video_recreate_frame_texture();
        SDL_ScaleMode mode = SDL_ScaleModeBest;
        ASSERT_EQ(SDL_GetTextureScaleMode(video_state().frame_texture, &mode), 0) << SDL_GetError();
        EXPECT_EQ(mode, c.want) << "smoothing " << c.smoothing;
    }
}
