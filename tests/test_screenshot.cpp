// Screenshots: where they go (the pictures folder), their names, and the picture written.
#include <gtest/gtest.h>

#include <SDL.h>

#include "base/pictures_dir.h"
#include "gfx/picture.h"
#include "video/screenshot.h"
#include "support/res_dir.h"
#include "support/surface_pixels.h"

TEST(PicturesDir, TheEnvironmentThenTheUsersListThenHomesPictures)
{
    const char *list = "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                       "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    const struct { const char *name; const char *env, *user_dirs, *home, *want; } cases[] = {
        {"the environment", "/data/shots/", list, "/home/a", "/data/shots"},
        {"a relative environment: the list", "shots", list, "/home/a", "/home/a/Bilder"},
        {"the list's absolute folder", nullptr, "XDG_PICTURES_DIR=\"/srv/pics\"\r\n", "/home/a", "/srv/pics"},
        {"the list's $HOME alone: off", nullptr, "XDG_PICTURES_DIR=\"$HOME\"\n", "/home/a", "/home/a/Pictures"},
        {"no home", nullptr, list, nullptr, ""},
    };
    for (const auto &c : cases) {
        char out[64] = "x";
        EXPECT_EQ(c.want[0] != '\0', pictures_dir_for(out, sizeof out, c.env, c.user_dirs, c.home)) << c.name;
        EXPECT_STREQ(c.want, out) << c.name;
    }
}

#if !defined(_WIN32)
// The user's list as the system keeps it, read from XDG_CONFIG_HOME: a file whose last line has
// no line end (and no NUL after it) is read to its end and no further.
TEST(PicturesDir, TheUsersListFileWhereTheSystemKeepsIt)
{
    ResDir dir;
    dir.write("user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Bilder\"");
    const char *saved_home = getenv("HOME");
    const std::string home = saved_home ? saved_home : "";
    setenv("XDG_CONFIG_HOME", dir.path("").c_str(), 1);
    setenv("HOME", "/home/a", 1);
    unsetenv("XDG_PICTURES_DIR");
    char out[64] = "x";
    EXPECT_TRUE(platform_pictures_dir(out, sizeof out));
    EXPECT_STREQ("/home/a/Bilder", out);
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", home.c_str(), 1);
}
#endif

// A raster twice as wide as its screen is written at the screen's size, each pixel the
// raster's nearest; named by its date and time, a second shot of the same second takes the
// next name, never the first's.
TEST(ScreenshotWrite, TheScreenSizeUnderAFreeName)
{
    ResDir dir;
    const std::string folder = dir.path("");
    const uint8_t raster[] = {
        10, 20, 30, 255, 1, 1, 1, 255, 40, 50, 60, 255, 2, 2, 2, 255,
        70, 80, 90, 255, 3, 3, 3, 255, 15, 25, 35, 255, 4, 4, 4, 255,
    };
    const FramePicture picture = {raster, 4, 2, 2, 2};
    const time_t at = 1796630525;   // 2026-12-07 08:02:05 UTC
    const struct tm when = *gmtime(&at);
    char path[512];
    const char *why = nullptr;
    ASSERT_TRUE(screenshot_write(picture, folder.c_str(), when, path, sizeof path, &why)) << why;
    const std::string first = read_whole_file(path);
    ASSERT_TRUE(screenshot_write(picture, folder.c_str(), when, path, sizeof path, &why)) << why;
    EXPECT_EQ(folder + "2026-12-07 08-02-05 (2).png", path);
    EXPECT_EQ(first, read_whole_file(folder + "2026-12-07 08-02-05.png")) << "the first shot was written over";
    SDL_Surface *shot = load_png_surface(path);
    const std::vector<uint32_t> want = {0xFF1E140A, 0xFF3C3228, 0xFF5A5046, 0xFF23190F};   // 0xAABBGGRR
    EXPECT_EQ(want, surface_pixels(shot));
    // A side of nothing (an odd answer from the component) is no picture: nothing is written.
    const FramePicture empty[] = {{nullptr, 4, 2, 2, 2}, {raster, 0, 2, 2, 2}, {raster, 4, 0, 2, 2},
                                  {raster, 4, 2, 0, 2}, {raster, 4, 2, 2, 0}};
    for (const auto &e : empty) {
        EXPECT_FALSE(screenshot_write(e, folder.c_str(), when, path, sizeof path, &why));
        EXPECT_STREQ("no picture", why) << e.raster_w << "x" << e.raster_h << " to " << e.screen_w << "x" << e.screen_h;
    }
}
