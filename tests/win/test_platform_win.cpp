// The Windows platform services that the system itself carries out: the icon resource
// compiled into this executable, the system picture decoder, the cursor's display counter and
// the known Pictures folder.
#include <windows.h>

#include <SDL.h>
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string>

#include "base/pictures_dir.h"
#include "base/platform.h"
#include "base/platform_win.h"
#include "support/res_dir.h"

// The colour of pixel (x, y) of a 32-bit surface.
static SDL_Color colour_at(const SDL_Surface *s, int x, int y)
{
    const Uint32 *row = (const Uint32 *)((const Uint8 *)s->pixels + y * s->pitch);
    SDL_Color c;
    SDL_GetRGBA(row[x], s->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

// Mended fault: the surface had no alpha channel, so the icon's transparent corners came out
// black and the window icon was a black square. A resource that is not there gives no icon.
TEST(IconResource, LoadsAtFortyEightPixelsSquareWithItsTransparency)
{
    SDL_Surface *icon = icon_resource_surface(PLATFORM_ICON_RESOURCE);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->w, 48);
    EXPECT_EQ(icon->h, 48);
    EXPECT_EQ(colour_at(icon, 0, 0).a, 0);
    EXPECT_EQ(colour_at(icon, 24, 24).a, 255);
    SDL_FreeSurface(icon);
    EXPECT_EQ(icon_resource_surface(PLATFORM_ICON_RESOURCE + 1), nullptr) << "a resource not there";
}

// The test picture is red in its upper half and blue in its lower half.
TEST(SystemDecoder, AJpegComesOutAtItsSizeAndUpright)
{
    const char *jpeg = getenv("TEST_JPEG");
    ASSERT_NE(jpeg, nullptr);
    const std::string data = read_whole_file(jpeg);
    ASSERT_FALSE(data.empty());
    SDL_Surface *picture = platform_decode_picture(data.data(), data.size(), PICTURE_JPEG);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, 800);
    EXPECT_EQ(picture->h, 600);
    const SDL_Color top = colour_at(picture, 400, 10);
    const SDL_Color bottom = colour_at(picture, 400, 590);
    EXPECT_GT(top.r, top.b);
    EXPECT_GT(bottom.b, bottom.r);
    SDL_FreeSurface(picture);
}

// The display counter now, left as it was.
static int cursor_counter()
{
    ShowCursor(TRUE);
    return ShowCursor(FALSE);
}

// Whatever the counter held before, hiding leaves it negative and showing leaves it at 0 or more.
TEST(Cursor, ShownOrHiddenFromAnyStartOfTheCounter)
{
    for (int start : {-3, -1, 0, 2}) {
        for (bool shown : {false, true}) {
            while (cursor_counter() < start)
                ShowCursor(TRUE);
            while (cursor_counter() > start)
                ShowCursor(FALSE);
            platform_show_cursor(shown);
            EXPECT_EQ(cursor_counter() >= 0, shown) << "from " << start;
        }
    }
}

// The folder screenshots go to: the system's Pictures folder, a drive's path.
TEST(PicturesDir, TheKnownPicturesFolder)
{
    char dir[1024] = "x";
    ASSERT_TRUE(platform_pictures_dir(dir, sizeof dir));
    EXPECT_EQ(':', dir[1]) << dir;
    EXPECT_FALSE(platform_pictures_dir(dir, 3)) << "a name that does not fit";
}
