// The window's scale and placement: sizing and centring the window again at the size it
// already has only waits for the window manager, so it is skipped; any real change still
// sizes and centres it. Leaving full screen for the centred window: e2e_away.sh.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <SDL.h>

#include "config/settings.h"
#include "core_api/ox_core.h"
#include "video/present.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/window_mode.h"
#include "support/kept_state.h"
#include "support/placed_window.h"

TEST(WindowFitScale, TheSettingOrTheLargestThatFitsButAtLeastOne)
{
    // rw x rh: the room on the display; sw x sh: the screen. TV shape: the picture rectangle's table.
    // Too large for the room: WindowPlacement's table; no screen size yet: the menu's tests.
    const struct { const char *name; int32_t setting; int64_t rw, rh; int sw, sh; int scale; } cases[] = {
        {"smaller than the picture: 1x", 2, 200, 100, 256, 224, 1},
        {"a setting below 1 is kept", 0, 1024, 768, 256, 224, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.scale, window_fit_scale(c.setting, c.rw, c.rh, c.sw, c.sh, false)) << c.name;
}

// Rows in order, on one memory of what was told: the log line and the notice of a mode that
// does not fit come once per choice (mended fault: every sizing logged it again).
TEST(WindowFitScale, ANotFittingModeIsToldOncePerChoice)
{
    const struct { const char *name; int32_t setting, scale; bool news; } cases[] = {
        {"4x does not fit: told", 4, 3, true},
        {"sized again for it: not told twice", 4, 3, false},
        {"a mode that fits", 2, 2, false},
        {"4x chosen again: told again", 4, 3, true},
        {"a smaller display: told", 4, 2, true},
    };
    int32_t told_setting = 0, told_scale = 0;
    for (const auto &c : cases)
        EXPECT_EQ(c.news, fit_news(c.setting, c.scale, &told_setting, &told_scale)) << c.name;
}

// A window first placed at 3x and then moved by hand shows whether it was placed again; the
// drawing area follows whatever resized the window, but an empty size is not one.
// Mended fault: Window 4x on a display 768 lines high was centred with its title bar above
// the screen; the largest whole multiple that fits is used, and the setting kept. Mended
// fault: the menu ticked the setting instead of the mode in use.
TEST(WindowPlacement, SizedAndCentredOnlyWhenItsSizeChanges)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ox_core_init(44100, 0);
    ASSERT_TRUE(screen_size_take(nullptr));
    KeptVideo kept;
    // reported_w x reported_h: the window's size as the window manager reports it after the
    // placing at 3x (a side of 0 or less is no size), area_h: the drawing area's height then
    // (its width stays 768 throughout). used: the mode the menu ticks. A new scale and TV shape
    // sized again: e2e_menu.sh.
    struct Case { const char *name; int reported_w, reported_h, area_h; int32_t scale; bool fullscreen;
                  int w, h; bool placed; int used; };
    const Case cases[] = {
        {"the same size again: left alone", 768, 672, 672, 3, false, 768, 672, false, 3},
        {"too large for the display: the largest that fits", 768, 672, 672, 4, false, 768, 672, false, 3},
        {"full screen: the whole display", 768, 672, 672, 3, true, 1024, 768, true, 0},
        {"made lower by hand: placed again", 768, 600, 600, 3, false, 768, 672, true, 3},
        {"reported with no width: no size, left alone", 0, 672, 672, 3, false, 768, 672, false, 3},
        {"reported with no height: left alone", 768, 0, 672, 3, false, 768, 672, false, 3},
        {"reported with a negative height: left alone", 768, -1, 672, 3, false, 768, 672, false, 3},
    };
    for (const auto &c : cases) {
        PlacedAgain got;
        const bool made = window_placed_again(c.reported_w, c.reported_h, c.scale, c.fullscreen, false, &got);
        ASSERT_TRUE(made) << SDL_GetError();
        EXPECT_EQ(768, got.area_w) << c.name << ": the drawing area";
        EXPECT_EQ(c.area_h, got.area_h) << c.name << ": the drawing area";
        EXPECT_EQ(c.w, got.w) << c.name;
        EXPECT_EQ(c.h, got.h) << c.name;
        EXPECT_EQ(c.placed, got.placed) << c.name;
        EXPECT_EQ(c.scale, settings.scale) << c.name << ": the setting";
        EXPECT_EQ(c.used, video_window_scale()) << c.name << ": the mode in use";
    }
    free(video_state().pixels);
    ox_core_shut();
    SDL_Quit();
}
