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

// Raster pixel (x, y) as bytes R, G, B, A, from a rule the checks can recompute.
static std::vector<uint8_t> raster(int w, int h, uint8_t (*channel)(int x, int y, int c))
{
    std::vector<uint8_t> p((size_t)w * h * 4);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            for (int c = 0; c < 4; c++)
                p[((size_t)y * w + x) * 4 + c] = channel(x, y, c);
    return p;
}

// Pixel (x, y) of a loaded picture as R, G, B.
static void rgb_at(SDL_Surface *s, int x, int y, uint8_t out[3])
{
    Uint32 value = 0;
    memcpy(&value, (uint8_t *)s->pixels + y * s->pitch + x * s->format->BytesPerPixel,
           s->format->BytesPerPixel);
    SDL_GetRGB(value, s->format, &out[0], &out[1], &out[2]);
}

TEST(Screenshot, WritesTheRasterAtScreenSizeWithoutAlpha)
{
    ResDir res;
    struct Case {
        int raster_w, screen_w;
        uint8_t (*channel)(int x, int y, int c);
        int (*source_x)(int x);   // the raster column whose colour x shows, up to its odd bit
    } cases[] = {
        // Every channel different and alpha varying: the picture must be the frame itself.
        {256, 256, [](int x, int y, int c) { return (uint8_t)(x * 7 + y * 13 + c * 71); },
         [](int x) { return x; }},
        // A raster twice as wide: red carries the column pair, so nearest sampling of either
        // column of a pair gives the same colour.
        {512, 256, [](int x, int y, int c) { return (uint8_t)(c == 0 ? x / 2 : c == 1 ? y : 255 - y); },
         [](int x) { return 2 * x; }},
    };
    for (const Case &c : cases) {
        std::vector<uint8_t> pixels = raster(c.raster_w, 224, c.channel);
        std::string path = res.path("res/1P");
        ASSERT_TRUE(screenshot_write(pixels.data(), c.raster_w, 224, c.screen_w, 224, path.c_str()));
        SDL_Surface *picture = SDL_LoadBMP(path.c_str());
        ASSERT_NE(picture, nullptr) << SDL_GetError();
        EXPECT_EQ(picture->w, c.screen_w);
        EXPECT_EQ(picture->h, 224);
        EXPECT_EQ(picture->format->BitsPerPixel, 24);
        for (int y = 0; y < 224; y++)
            for (int x = 0; x < c.screen_w; x++) {
                uint8_t got[3];
                rgb_at(picture, x, y, got);
                int sx = c.source_x(x);
                for (int ch = 0; ch < 3; ch++)
                    ASSERT_EQ(got[ch], c.channel(sx, y, ch))
                        << "raster " << c.raster_w << " pixel " << x << "," << y << " channel " << ch;
            }
        SDL_FreeSurface(picture);
        EXPECT_FALSE(res.exists("res/1P.tmp"));
    }
}

TEST(Screenshot, APictureThatCannotBeWrittenLeavesTheOldOneWhole)
{
    ResDir res;
    res.write("res/0P", "old picture");
    // The temporary file cannot be created where a folder of its name stands.
    mkdir(res.path("res/0P.tmp").c_str(), 0755);
    std::vector<uint8_t> pixels(256 * 224 * 4, 200);
    EXPECT_FALSE(screenshot_write(pixels.data(), 256, 224, 256, 224, res.path("res/0P").c_str()));
    EXPECT_EQ(res.read("res/0P"), "old picture");

    // A frame buffer smaller than the raster it claims is not read past its end.
    GameState &g = gamestate;
    g.pixels = pixels.data();
    g.pixels_size = (uint32_t)pixels.size();
    g.raster_w = 512;
    g.raster_h = 224;
    g.screen_w = 256;
    g.screen_h = 224;
    EXPECT_FALSE(g.save_screenshot(res.path("res/2P").c_str()));
    g.raster_w = 256;
    EXPECT_TRUE(g.save_screenshot(res.path("res/2P").c_str()));
    g.pixels = nullptr;
    g.pixels_size = 0;
}

TEST(StateSlots, NamesAreFormedOnlyForSlotsThatExistAndFit)
{
    ResDir res;
    char out[PATH_BUFFER_SIZE];
    EXPECT_TRUE(state_slot_path(out, sizeof out, 2, 'S'));
    EXPECT_EQ(std::string(out), res.path("res/2S"));
    EXPECT_TRUE(state_slot_path(out, sizeof out, 0, 'P'));
    EXPECT_EQ(std::string(out), res.path("res/0P"));
    for (int slot : {-1, 3, 10})
        EXPECT_FALSE(state_slot_path(out, sizeof out, slot, 'S')) << "slot " << slot;
    // A directory so long that the name would be cut: nothing is formed.
    size_t fill = sizeof exe_dir - 4;
    memset(exe_dir, 'd', fill);
    exe_dir[fill] = '\0';
    EXPECT_FALSE(state_slot_path(out, sizeof out, 1, 'S'));
    EXPECT_STREQ(out, "");
}
