// Preview pictures: the frame buffer as a 24-bit BMP at screen size, and the slot names.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "app/paths.h"
#include "host/state.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "video/screenshot.h"

TEST(Screenshot, SqueezesAWideRasterToScreenSizeByNearestPixels)
{
    // Red carries the column pair, so either column of a pair gives the same colour; green
    // and blue tell the rows apart and catch swapped channels. Alpha is left out.
    auto colour = [](int x, int y, int c) { return (uint8_t)(c == 0 ? x / 2 : c == 1 ? y : c == 2 ? 255 - y : 7); };
    std::vector<uint8_t> pixels(512 * 224 * 4);
    for (size_t i = 0; i < pixels.size(); i++)
        pixels[i] = colour((int)(i / 4 % 512), (int)(i / 4 / 512), (int)(i % 4));
    ResDir res;
    GameState &g = gamestate;
    g.pixels = pixels.data();
    g.pixels_size = (uint32_t)pixels.size() - 1;   // smaller than it claims: not read past its end
    g.raster_w = 512;
    g.raster_h = g.screen_h = 224;
    g.screen_w = 256;
    EXPECT_FALSE(g.save_screenshot(res.path("res/1P").c_str()));
    g.pixels_size++;
    ASSERT_TRUE(g.save_screenshot(res.path("res/1P").c_str()));
    g.pixels = nullptr;
    g.pixels_size = 0;
    EXPECT_FALSE(res.exists("res/1P.tmp"));

    SDL_Surface *picture = SDL_LoadBMP(res.path("res/1P").c_str());
    ASSERT_NE(picture, nullptr) << SDL_GetError();
    EXPECT_EQ(picture->w, 256);
    EXPECT_EQ(picture->h, 224);
    ASSERT_EQ(picture->format->BitsPerPixel, 24);
    for (int y = 0; y < picture->h; y++)
        for (int x = 0; x < picture->w; x++) {
            Uint32 value = 0;
            memcpy(&value, (uint8_t *)picture->pixels + y * picture->pitch + x * 3, 3);
            uint8_t got[3];
            SDL_GetRGB(value, picture->format, &got[0], &got[1], &got[2]);
            for (int c = 0; c < 3; c++)
                ASSERT_EQ(got[c], colour(2 * x, y, c)) << "pixel " << x << "," << y << " channel " << c;
        }
    SDL_FreeSurface(picture);
}

// Mended fault: a preview that cannot be written must leave the old one whole.
TEST(Screenshot, APictureThatCannotBeWrittenLeavesTheOldOneWhole)
{
    ResDir res;
    res.write("res/0P", "old picture");
    mkdir(res.path("res/0P.tmp").c_str(), 0755);   // the temporary file cannot be created
    std::vector<uint8_t> pixels(256 * 224 * 4, 200);
    EXPECT_FALSE(screenshot_write(pixels.data(), 256, 224, 256, 224, res.path("res/0P").c_str()));
    EXPECT_EQ(res.read("res/0P"), "old picture");
}

TEST(StateSlots, NamesAreFormedOnlyForSlotsThatExist)
{
    ResDir res;
    char out[PATH_BUFFER_SIZE];
    EXPECT_TRUE(state_slot_path(out, sizeof out, 2, 'S'));
    EXPECT_EQ(std::string(out), res.path("res/2S"));
    for (int slot : {-1, 3})
        EXPECT_FALSE(state_slot_path(out, sizeof out, slot, 'P')) << "slot " << slot;
}
