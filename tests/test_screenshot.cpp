// Preview pictures: the frame buffer as a 24-bit BMP at screen size.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "video/screenshot.h"
TEST(Screenshot, SqueezesAWideRasterToScreenSizeByNearestPixels)
{
    // Red: the column pair, so either column of a pair will do; green and blue: the row, both ways round.
    auto colour = [](int x, int y, int c) { return (uint8_t)(c == 0 ? x / 2 : c == 1 ? y : c == 2 ? 255 - y : 7); };
    std::vector<uint8_t> pixels(512 * 224 * 4);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = colour((int)(i / 4 % 512), (int)(i / 4 / 512), (int)(i % 4));
    ResDir res;
    GameState &g = gamestate;
    g.pixels = pixels.data(), g.pixels_size = (uint32_t)pixels.size() - 1;   // one byte short: not read past
    g.raster_w = 512, g.raster_h = g.screen_h = 224, g.screen_w = 256;
    EXPECT_FALSE(g.save_screenshot(res.path("res/1P").c_str())) << "frame buffer smaller than the raster";
    g.pixels_size++;
    ASSERT_TRUE(g.save_screenshot(res.path("res/1P").c_str()));
    g.pixels = nullptr, g.pixels_size = 0;
    SDL_Surface *bmp = SDL_LoadBMP(res.path("res/1P").c_str());
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    ASSERT_EQ("256x224x24", std::to_string(bmp->w) + "x" + std::to_string(bmp->h) + "x" +
                                std::to_string(bmp->format->BitsPerPixel));
    SDL_Surface *rgb = SDL_ConvertSurfaceFormat(bmp, SDL_PIXELFORMAT_RGB24, 0);
    for (int i = 0; i < 256 * 224 * 3; i++) {
        const int x = i / 3 % 256, y = i / 3 / 256, c = i % 3;
        ASSERT_EQ(colour(2 * x, y, c), ((uint8_t *)rgb->pixels)[y * rgb->pitch + i % 768])
            << "pixel " << x << "," << y << " channel " << c;
    }
    SDL_FreeSurface(rgb), SDL_FreeSurface(bmp);
}

static bool write_grey_preview(const ResDir &res)
{
    std::vector<uint8_t> grey(256 * 224 * 4, 200);
    GameState &g = gamestate;
    g.pixels = grey.data();
    g.pixels_size = (uint32_t)grey.size();
    g.raster_w = g.screen_w = 256;
    g.raster_h = g.screen_h = 224;
    bool written = g.save_screenshot(res.path("res/0P").c_str());
    g.pixels = nullptr;
    g.pixels_size = 0;
    return written;
}

// Mended fault: a preview that cannot be written must leave the old one whole.
TEST(Screenshot, APictureThatCannotBeWrittenLeavesTheOldOneWhole)
{
    ResDir res;
    res.write("res/0P", "old picture");
    struct rlimit limit;   // the disk fills up in the middle of the picture
    getrlimit(RLIMIT_FSIZE, &limit);
    struct rlimit small = {4096, limit.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = write_grey_preview(res);
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(written);
    EXPECT_EQ("old picture", res.read("res/0P"));
}

// Mended fault: a link planted where the temporary picture used to go must not be written through.
TEST(Screenshot, APlantedLinkBesideThePictureIsNotWrittenThrough)
{
    ResDir res;
    res.write("victim", "precious");
    ASSERT_EQ(0, symlink(res.path("victim").c_str(), res.path("res/0P.tmp").c_str()));
    EXPECT_TRUE(write_grey_preview(res));
    EXPECT_EQ("precious", res.read("victim"));
}
