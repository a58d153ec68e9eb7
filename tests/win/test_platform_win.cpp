// The Windows platform services that the system itself carries out: the icon resource
// compiled into this executable, the system picture decoder and the cursor's display counter.
#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/platform.h"
#include "base/platform_win.h"

TEST(IconResource, LoadsAtFortyEightPixelsSquare)
{
    SDL_Surface *icon = icon_resource_surface(PLATFORM_ICON_RESOURCE);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->w, 48);
    EXPECT_EQ(icon->h, 48);
    SDL_FreeSurface(icon);
}

// Mended fault: the surface had no alpha channel, so the icon's transparent corners came out
// black and the window icon was a black square.
TEST(IconResource, KeepsItsTransparency)
{
    SDL_Surface *icon = icon_resource_surface(PLATFORM_ICON_RESOURCE);
    ASSERT_NE(icon, nullptr);
    const Uint32 *pixels = (const Uint32 *)icon->pixels;
    Uint8 r, g, b, corner, middle;
    SDL_GetRGBA(pixels[0], icon->format, &r, &g, &b, &corner);
    SDL_GetRGBA(pixels[24 * icon->pitch / 4 + 24], icon->format, &r, &g, &b, &middle);
    EXPECT_EQ(corner, 0);
    EXPECT_EQ(middle, 255);
    SDL_FreeSurface(icon);
}

TEST(IconResource, MissingResourceGivesNoIcon)
{
    EXPECT_EQ(icon_resource_surface(PLATFORM_ICON_RESOURCE + 1), nullptr);
}

// The test picture is red in its upper half and blue in its lower half.
class JpegBackground : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char *src = getenv("TEST_SOURCE_DIR");
        std::ifstream in(std::string(src ? src : ".") + "/tests/data/back_800x600.jpg", std::ios::binary);
        std::vector<char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(data.empty());
        picture = platform_decode_picture(data.data(), data.size(), PICTURE_JPEG);
        ASSERT_NE(picture, nullptr);
    }
    void TearDown() override { SDL_FreeSurface(picture); }

    Uint8 red_at(int x, int y) const { return channel(x, y, picture->format->Rshift); }
    Uint8 blue_at(int x, int y) const { return channel(x, y, picture->format->Bshift); }

    SDL_Surface *picture = nullptr;

private:
    Uint8 channel(int x, int y, int shift) const
    {
        const Uint32 *row = (const Uint32 *)((const Uint8 *)picture->pixels + y * picture->pitch);
        return (Uint8)(row[x] >> shift);
    }
};

TEST_F(JpegBackground, DecodesToItsPixelWidth)
{
    EXPECT_EQ(picture->w, 800);
}

TEST_F(JpegBackground, DecodesToItsPixelHeight)
{
    EXPECT_EQ(picture->h, 600);
}

TEST_F(JpegBackground, ComesOutUpright)
{
    EXPECT_GT(red_at(400, 10), blue_at(400, 10));
    EXPECT_GT(blue_at(400, 590), red_at(400, 590));
}

// The display counter now, left as it was.
static int cursor_counter()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

static void set_cursor_counter(int value)
{
    while (cursor_counter() < value)
        ShowCursor(TRUE);
    while (cursor_counter() > value)
        ShowCursor(FALSE);
}

class CursorFromAnyStart : public ::testing::TestWithParam<int> {};

TEST_P(CursorFromAnyStart, HideLeavesCounterNegative)
{
    set_cursor_counter(GetParam());
    platform_show_cursor(false);
    EXPECT_LT(cursor_counter(), 0);
}

TEST_P(CursorFromAnyStart, ShowLeavesCounterNotNegative)
{
    set_cursor_counter(GetParam());
    platform_show_cursor(true);
    EXPECT_GE(cursor_counter(), 0);
}

INSTANTIATE_TEST_SUITE_P(Starts, CursorFromAnyStart, ::testing::Values(-3, -1, 0, 2));
