// Preview pictures: the frame buffer as a 24-bit BMP at screen size.
#include <gtest/gtest.h>

#include <stdio.h>

#include <vector>

#include <SDL.h>

#include "slots/preview.h"
#include "video/video.h"

// Red: the column pair, so either column of a pair will do; green and blue: the row, both ways.
static uint8_t colour(int x, int y, int channel)
{
    const uint8_t channels[] = {(uint8_t)(x / 2), (uint8_t)y, (uint8_t)(255 - y), 7};
    return channels[channel];
}

// A 512 x 224 raster shown on a 256 x 224 screen.
class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        pixels.resize(512 * 224 * 4);
        for (size_t i = 0; i < pixels.size(); i++)
            pixels[i] = colour((int)(i / 4 % 512), (int)(i / 4 / 512), (int)(i % 4));
        picture = {pixels.data(), 512, 224, 256, 224};
    }
    std::vector<uint8_t> pixels;
    FramePicture picture = {};
};

TEST_F(Preview, SqueezesAWideRasterToScreenSizeByNearestPixels)
{
    FILE *out = tmpfile();
    ASSERT_TRUE(preview_write(picture, out));
    rewind(out);
    SDL_Surface *bmp = SDL_LoadBMP_RW(SDL_RWFromFP(out, SDL_TRUE), 1);   // closes out
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    EXPECT_EQ(24, bmp->format->BitsPerPixel);
    SDL_Surface *rgb = SDL_ConvertSurfaceFormat(bmp, SDL_PIXELFORMAT_RGB24, 0);
    ASSERT_NE(rgb, nullptr) << SDL_GetError();
    ASSERT_EQ(256, rgb->w);
    ASSERT_EQ(224, rgb->h);
    for (int y = 0; y < rgb->h; y++)
        for (int x = 0; x < rgb->w * 3; x++)
            ASSERT_EQ(colour(x / 3 * 2, y, x % 3), ((uint8_t *)rgb->pixels)[y * rgb->pitch + x])
                << "pixel " << x / 3 << "," << y << " channel " << x % 3;
    SDL_FreeSurface(rgb);
    SDL_FreeSurface(bmp);
}

// Mended fault: a picture cut short by a full disk must be reported, so that the save keeps
// the old preview (the replacement is discarded) instead of a broken one.
TEST_F(Preview, APictureCutShortByAFullDiskIsReported)
{
    char disk[4096];
    FILE *full = fmemopen(disk, sizeof disk, "w");
    setvbuf(full, nullptr, _IONBF, 0);   // each write meets the full disk at once
    EXPECT_FALSE(preview_write(picture, full));
    fclose(full);
}

// A preview is read back only up to PICTURE_PREVIEW_MAX_SIDE (4096) pixels a side: a larger
// screen's is scaled down to that, keeping its shape.
TEST(PreviewSize, LargerScreensAreScaledDownToWhatReadingAccepts)
{
    const struct { const char *name; int screen_w, screen_h, w, h; } cases[] = {
        {"the largest read back keeps it", 4096, 4096, 4096, 4096},
        {"a wide screen past it", 8192, 4096, 4096, 2048},
        {"a tall screen past it", 4000, 8000, 2048, 4096},
        {"a thin one keeps a row", 8192, 1, 4096, 1},
    };
    for (const auto &c : cases) {
        int w = 0, h = 0;
        preview_size(c.screen_w, c.screen_h, &w, &h);
        EXPECT_EQ(c.w, w) << c.name;
        EXPECT_EQ(c.h, h) << c.name;
    }
}
