// Window sizing: sizing and centring the window again at the size it already has only waits
// for the window manager, so it is skipped; any real change still sizes and centres it.
// A window moved by hand shows which applications touched it. Leaving full screen for the
// centred window: e2e_hotkeys.sh.
#include <gtest/gtest.h>

#include <SDL.h>

#include "config/settings.h"
#include "video/video.h"
#include "video/video_state.h"
#include "record/ox_core.h"
#include "video/present.h"
#include "video/window_mode.h"

TEST(WindowFitScale, TheSettingOrTheLargestThatFitsButAtLeastOne)
{
    const struct {
        const char *name;
        int32_t setting;
        int64_t room_w, room_h;
        int screen_w, screen_h;
        int32_t scale;
    } cases[] = {
        {"fits", 3, 1024, 768, 256, 224, 3},
        {"too tall", 4, 1024, 768, 256, 224, 3},
        {"too wide", 4, 700, 2000, 256, 224, 2},
        {"smaller than the picture", 2, 200, 100, 256, 224, 1},
        {"a setting below 1", 0, 1024, 768, 256, 224, 0},
        {"no screen size", 5, 1024, 768, 0, 0, 5},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.scale, window_fit_scale(c.setting, c.room_w, c.room_h, c.screen_w, c.screen_h)) << c.name;
}

class WindowPlacement : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ox_core_init(44100, 0);
        screen_size_take(nullptr);
    }
    static void TearDownTestSuite()
    {
        ox_core_shut();
        SDL_Quit();
    }
    void SetUp() override
    {
        video_state().window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 0, 0, 0);
        ASSERT_NE(nullptr, video_state().window) << SDL_GetError();
        settings.scale = 3;
        settings.fullscreen = false;
        video_apply_settings();
        SDL_SetWindowPosition(video_state().window, MOVED, MOVED);
    }
    void TearDown() override
    {
        SDL_DestroyWindow(video_state().window);
        video_state().window = nullptr;
    }
    static int x()
    {
        int x = 0, y = 0;
        SDL_GetWindowPosition(video_state().window, &x, &y);
        return x;
    }
    static constexpr int MOVED = 5;
};

TEST_F(WindowPlacement, SameSizeAgainLeavesTheWindowAlone)
{
    video_apply_settings();
    EXPECT_EQ(x(), MOVED);
}

TEST_F(WindowPlacement, NewScaleSizesAndCentresTheWindow)
{
    settings.scale = 2;
    video_apply_settings();
    int w = 0, h = 0;
    SDL_GetWindowSize(video_state().window, &w, &h);
    EXPECT_EQ(w, 2 * ox_video_get_screen_width());
    EXPECT_NE(x(), MOVED);
}

// Mended fault: a window larger than the display (Window 4x on a screen 768 lines high) was
// centred with its title bar above the screen and its picture cut. The largest whole
// multiple that fits is used, and the setting is kept for a larger display.
TEST_F(WindowPlacement, AScaleLargerThanTheDisplayTakesTheLargestThatFits)
{
    SDL_Rect usable = {};
    ASSERT_EQ(SDL_GetDisplayUsableBounds(0, &usable), 0) << SDL_GetError();
    ASSERT_EQ(usable.h, 768) << "the dummy driver's display";
    ASSERT_EQ(ox_video_get_screen_height(), 224);
    settings.scale = 4;
    video_apply_settings();
    int w = 0, h = 0;
    SDL_GetWindowSize(video_state().window, &w, &h);
    EXPECT_EQ(h, 3 * 224);
    EXPECT_EQ(w, 3 * ox_video_get_screen_width());
    EXPECT_EQ(settings.scale, 4);
}
