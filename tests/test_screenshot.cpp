// Preview pictures: the frame buffer as a 24-bit BMP at screen size.
#include <gtest/gtest.h>
#include <sys/stat.h>
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

// Mended fault: a preview that cannot be written must leave the old one whole.
TEST(Screenshot, APictureThatCannotBeWrittenLeavesTheOldOneWhole)
{
    ResDir res;
    res.write("res/0P", "old picture");
    mkdir(res.path("res/0P.tmp").c_str(), 0755);   // the temporary file cannot be created
    EXPECT_FALSE(screenshot_write(std::vector<uint8_t>(256 * 224 * 4, 200).data(), 256, 224, 256, 224,
                                  res.path("res/0P").c_str()));
    EXPECT_EQ("old picture", res.read("res/0P"));
}
