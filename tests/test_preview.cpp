// Preview pictures: the frame buffer as a 24-bit BMP at screen size.
#include <gtest/gtest.h>

#include <stdio.h>

#include <vector>

#include <SDL.h>

#include "slots/preview.h"
#include "video/video.h"
#include "support/surface_pixels.h"

// A 4 x 3 raster shown on a 2 x 3 screen: each column pair one colour, so either column of a
// pair will do; the alphas differ, and the preview drops them. Pixels as 0xAABBGGRR.
static const uint8_t RASTER[] = {
    10, 20, 30, 1, 10, 20, 30, 2, 40, 50, 60, 3, 40, 50, 60, 4,
    70, 80, 90, 5, 70, 80, 90, 6, 11, 21, 31, 7, 11, 21, 31, 8,
    41, 51, 61, 9, 41, 51, 61, 9, 71, 81, 91, 0, 71, 81, 91, 0,
};
static const FramePicture PICTURE = {RASTER, 4, 3, 2, 3};

TEST(Preview, SqueezesAWideRasterToScreenSizeByNearestPixels)
{
    FILE *out = tmpfile();
    ASSERT_TRUE(preview_write(PICTURE, out));
    rewind(out);
    SDL_Surface *bmp = SDL_LoadBMP_RW(SDL_RWFromFP(out, SDL_TRUE), 1);   // closes out
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    EXPECT_EQ(24, bmp->format->BitsPerPixel);
    const std::vector<uint32_t> want = {0xFF1E140A, 0xFF3C3228, 0xFF5A5046, 0xFF1F150B, 0xFF3D3329, 0xFF5B5147};
    EXPECT_EQ(want, surface_pixels(SDL_ConvertSurfaceFormat(bmp, SDL_PIXELFORMAT_ABGR8888, 0)));
    SDL_FreeSurface(bmp);
}

// Mended fault: a picture cut short by a full disk must be reported, so that the save keeps
// the old preview (the replacement is discarded) instead of a broken one.
TEST(Preview, APictureCutShortByAFullDiskIsReported)
{
    char disk[64];   // room for less than the BMP's headers
    FILE *full = fmemopen(disk, sizeof disk, "w");
    setvbuf(full, nullptr, _IONBF, 0);   // each write meets the full disk at once
    EXPECT_FALSE(preview_write(PICTURE, full));
    fclose(full);
}

// A preview is read back only up to PICTURE_PREVIEW_MAX_SIDE (4096) pixels a side: a larger
// screen's is scaled down to that, keeping its shape.
TEST(PreviewSize, LargerScreensAreScaledDownToWhatReadingAccepts)
{
    const struct { const char *name; int screen_w, screen_h, w, h; } cases[] = {
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
