// Where the picture and the background go, the frame buffer's size rules, which way a frame
// is drawn, and the frame texture's scaling.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <vector>

#include "video/back_fill.h"
#include "video/frame_buffer.h"
#include "video/present.h"
#include "video/video.h"
#include "video/video_state.h"
#include "support/sdl_rect.h"

// tv: "TV shape", the picture 4:3 whatever the screen.
TEST(PictureRect, WholeMultiplesOrStretchedCentredInTheWindow)
{
    const struct { const char *name; int ww, wh, sw, sh; bool stretch, tv; SDL_Rect want; } cases[] = {
        {"a window smaller than the screen: nothing", 200, 100, 256, 224, false, false, {100, 50, 0, 0}},
        {"an odd pixel left over goes right and down", 513, 449, 256, 224, false, false, {0, 0, 512, 448}},
        {"stretched wider than the window", 300, 448, 256, 224, true, false, {-106, 0, 512, 448}},
        {"no screen width", 640, 480, 0, 224, false, false, {320, 240, 0, 0}},
        {"no screen height, stretched", 640, 480, 256, 0, true, false, {320, 240, 0, 0}},
        {"TV shape, full screen: 4x high, 4:3 wide", 1920, 1080, 256, 224, false, true, {363, 92, 1194, 896}},
        {"TV shape, stretched: the full height", 1920, 1080, 256, 224, true, true, {240, 0, 1440, 1080}},
        {"TV shape, its 3x window", 896, 672, 256, 224, false, true, {0, 0, 896, 672}},
        {"TV shape, a pixel narrower: 2x", 895, 672, 256, 224, false, true, {149, 112, 597, 448}},
        {"TV shape, whatever the screen's width", 896, 672, 512, 224, false, true, {0, 0, 896, 672}},
        {"TV shape, no screen width", 640, 480, 0, 224, true, true, {320, 240, 0, 0}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.want, picture_rect_for(c.ww, c.wh, c.sw, c.sh, c.stretch, c.tv)) << c.name;
}

// The background is drawn only where the opaque picture leaves the window uncovered.
TEST(BackStrips, TheWindowLessThePicture)
{
    const struct { const char *name; int w, h; SDL_Rect picture; std::vector<SDL_Rect> strips; } cases[] = {
        {"in the middle: above, below, left, right", 100, 80, {10, 20, 60, 40},
         {{0, 0, 100, 20}, {0, 60, 100, 20}, {0, 20, 10, 40}, {70, 20, 30, 40}}},
        {"past the bottom: clipped", 100, 80, {10, 50, 80, 60},
         {{0, 0, 100, 50}, {0, 50, 10, 30}, {90, 50, 10, 30}}},
        {"stretched past both sides: covered", 100, 80, {-20, 0, 140, 80}, {}},
        {"no picture: the whole window", 100, 80, {50, 40, 0, 0}, {{0, 0, 100, 80}}},
        {"no window", 0, 80, {0, 0, 0, 0}, {}},
    };
    for (const auto &c : cases) {
        SDL_Rect out[BACK_STRIPS_MAX];
        const int n = back_strips(c.w, c.h, c.picture, out);
        EXPECT_EQ(c.strips, std::vector<SDL_Rect>(out, out + n)) << c.name;
    }
}

// Strips are copied with blits only from the copy's second frame, into a framebuffer of the
// window's own size.
TEST(BackStrips, BlitsOnlyAfterTheFirstFrameIntoAWindowSizedFramebuffer)
{
    const struct { const char *name; bool first; int viewport_w, viewport_h; bool blits; } cases[] = {
        {"a later frame", false, 640, 480, true},
        {"the copy's first frame", true, 640, 480, false},
        {"a wider framebuffer", false, 1280, 480, false},
        {"a taller framebuffer", false, 640, 960, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.blits, back_blits_wanted(c.first, c.viewport_w, c.viewport_h, 640, 480)) << c.name;
}

// One buffer through a run of rasters: it grows, never shrinks, and an absurd size leaves it;
// after each, it holds the raster only when that is one a machine can have.
// A machine's picture, even one rendered at a multiple of its size for the largest displays,
// has sides of 1 to 8192 pixels.
TEST(FrameBuffer, GrowsNeverShrinksAndKeepsItselfForAbsurdSizes)
{
    const uint32_t grown = 512u * 224u * 4u;
    const struct { const char *name; int w, h; bool fits; uint32_t size; } steps[] = {
        {"the first raster", 256, 224, true, 256u * 224u * 4u},
        {"a wider one grows it", 512, 224, true, grown},
        {"a smaller one keeps it", 256, 224, true, grown},
        {"a row more grows it", 512, 225, true, grown + 512u * 4u},
        {"no width", 0, 224, false, grown + 512u * 4u},
        {"no height", 512, 0, false, grown + 512u * 4u},
        {"a side past the largest", 8193, 1, false, grown + 512u * 4u},
        {"the largest width", 8192, 1, true, grown + 512u * 4u},
        {"the largest height", 128, 8192, true, 128u * 8192u * 4u},
    };
    uint8_t *pixels = nullptr;
    uint32_t size = 0;
    for (const auto &s : steps) {
        EXPECT_EQ(s.fits, frame_buffer_grow(&pixels, &size, s.w, s.h)) << s.name;
        EXPECT_EQ(s.size, size) << s.name;
        EXPECT_EQ(s.fits, frame_buffer_fits(size, s.w, s.h)) << s.name;
    }
    free(pixels);
}

TEST(RasterStep, ZeroMeansUnchangedAndSizesNoMachineHasAreRefused)
{
    const struct { const char *name; int w, h; RasterStep step; } cases[] = {
        {"no width reported", 0, 224, RASTER_KEEP},
        {"no height reported", 256, 0, RASTER_KEEP},
        {"the size held", 256, 224, RASTER_KEEP},
        {"a new size", 512, 224, RASTER_TAKE},
        {"a height past the largest", 256, 8193, RASTER_REFUSE},
        {"a negative side", -256, 224, RASTER_REFUSE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.step, raster_step(c.w, c.h, 256, 224)) << c.name;
}

// Smoothing scales the frame linearly on the renderer path only: the TV effect reads the
// picture's own pixels.
TEST(FrameTexture, ScaledLinearlyOnlyWithSmoothingOnTheRendererPath)
{
    const struct { bool smoothing, gl_path; SDL_ScaleMode mode; } cases[] = {   // smoothing, GL path
        {false, false, SDL_ScaleModeNearest},
        {true, false, SDL_ScaleModeLinear},
        {true, true, SDL_ScaleModeNearest},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.mode, frame_scale_mode(c.smoothing, c.gl_path)) << c.smoothing << " " << c.gl_path;
}

// The splash takes one frame a pass, and over at 0 it stays over: a count below 0 would read
// as a splash again. (A count that never falls, or ends at once: e2e_menu.sh.)
TEST(Splash, OneFrameAPassAndOverAtNothing)
{
    EXPECT_EQ(SPLASH_FRAMES - 1, splash_left(SPLASH_FRAMES)) << "one frame a pass";
    EXPECT_EQ(0, splash_left(0)) << "over at 0";
}
