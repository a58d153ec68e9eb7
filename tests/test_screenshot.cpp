// Preview pictures: the frame buffer as a 24-bit BMP at screen size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <vector>
#include "support/res_dir.h"
#include "record/gamestate.h"
#include "video/screenshot.h"

// Red: the column pair, so either column of a pair will do; green and blue: the row, both ways round.
static uint8_t colour(int x, int y, int channel)
{
    switch (channel) {
    case 0: return (uint8_t)(x / 2);
    case 1: return (uint8_t)y;
    case 2: return (uint8_t)(255 - y);
    default: return 7;
    }
}

// A 512 x 224 raster shown on a 256 x 224 screen.
class Screenshot : public ::testing::Test {
protected:
    void SetUp() override
    {
        pixels.resize(512 * 224 * 4);
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = colour((int)(i / 4 % 512), (int)(i / 4 / 512), (int)(i % 4));
        gamestate.pixels = pixels.data();
        gamestate.pixels_size = (uint32_t)pixels.size();
        gamestate.raster_w = 512;
        gamestate.raster_h = 224;
        gamestate.screen_w = 256;
        gamestate.screen_h = 224;
    }
    void TearDown() override
    {
        gamestate.pixels = nullptr;
        gamestate.pixels_size = 0;
    }
    ResDir res;
    std::vector<uint8_t> pixels;
};

TEST_F(Screenshot, SqueezesAWideRasterToScreenSizeByNearestPixels)
{
    ASSERT_TRUE(gamestate.save_screenshot(res.path("res/1P").c_str()));
    SDL_Surface *bmp = SDL_LoadBMP(res.path("res/1P").c_str());
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    EXPECT_EQ(256, bmp->w);
    EXPECT_EQ(224, bmp->h);
    EXPECT_EQ(24, bmp->format->BitsPerPixel);
    SDL_Surface *rgb = SDL_ConvertSurfaceFormat(bmp, SDL_PIXELFORMAT_RGB24, 0);
    ASSERT_NE(rgb, nullptr) << SDL_GetError();
    for (int y = 0; y < rgb->h; y++)
        for (int x = 0; x < rgb->w; x++)
            for (int c = 0; c < 3; c++)
                ASSERT_EQ(colour(2 * x, y, c), ((uint8_t *)rgb->pixels)[y * rgb->pitch + x * 3 + c])
                    << "pixel " << x << "," << y << " channel " << c;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(bmp);
}

TEST_F(Screenshot, AFrameBufferSmallerThanTheRasterIsNotRead)
{
    gamestate.pixels_size--;
    EXPECT_FALSE(gamestate.save_screenshot(res.path("res/1P").c_str()));
    EXPECT_FALSE(res.exists("res/1P"));
}

// Mended fault: a preview that cannot be written must leave the old one whole.
TEST_F(Screenshot, APictureThatCannotBeWrittenLeavesTheOldOneWhole)
{
    res.write("res/0P", "old picture");
    struct rlimit limit;   // the disk fills up in the middle of the picture
    getrlimit(RLIMIT_FSIZE, &limit);
    struct rlimit small = {4096, limit.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = gamestate.save_screenshot(res.path("res/0P").c_str());
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(written);
    EXPECT_EQ("old picture", res.read("res/0P"));
}
