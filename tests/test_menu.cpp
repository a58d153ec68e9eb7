// The menu page through the real toolkit: window modes, picture options and the sound latency
// written and shown, Play and Alt+Return with the cursor, and the slot rows' Load items. Quit
// behind "OK?" is checked by the menu navigation tests, the click between two stacked items by
// the toolkit's; Reset behind "OK?" end to end.
#include "app/events.h"
#include "host/running.h"
#include "pages_fixture.h"
#include "support/key_event.h"
#include "support/watch.h"

#include <sys/stat.h>

TEST_F(Pages, WindowModesAreWrittenThenShown)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    const struct {
        const char *item;
        int32_t widget, scale;
        bool fullscreen;
    } cases[] = {
        {"Window 4x", m.window[2], 4, false},
        {"Fullscreen", m.fullscreen, 4, true},   // the window's scale is kept
    };
    for (const auto &c : cases) {
        res->remove("res/conf");
        click(c.widget);
        const std::string conf = res->read("res/conf");
        const std::string scale_line = "scale=" + std::to_string(c.scale);
        const std::string fullscreen_line = c.fullscreen ? "fullscreen=1" : "fullscreen=0";
        EXPECT_TRUE(has_line(conf, scale_line)) << c.item << ":\n" << conf;
        EXPECT_TRUE(has_line(conf, fullscreen_line)) << c.item << ":\n" << conf;
        for (int i = 0; i < MENU_WINDOW_SCALES; i++)
            EXPECT_EQ(!c.fullscreen && c.scale == i + 2, xgui_is_selected(m.window[i]))
                << c.item << ": check mark of Window " << i + 2 << "x";
        EXPECT_EQ(c.fullscreen, xgui_is_selected(m.fullscreen)) << c.item << ": check mark of Fullscreen";
    }
    EXPECT_TRUE(xgui_is_open());
}

// Each flip is written at once and its check mark follows, both ways.
TEST_F(Pages, SmoothingAndStretchFlipWrittenAndShown)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    for (int round = 0; round < 2; round++) {
        const bool smooth = !settings.smoothing;
        const bool stretch = !settings.stretch;
        click(m.smooth);
        click(m.stretch);
        const std::string conf = res->read("res/conf");
        EXPECT_EQ(smooth, xgui_is_selected(m.smooth)) << "round " << round;
        EXPECT_EQ(stretch, xgui_is_selected(m.stretch)) << "round " << round;
        EXPECT_TRUE(has_line(conf, "smoothing=" + std::to_string(smooth))) << conf;
        EXPECT_TRUE(has_line(conf, "stretch=" + std::to_string(stretch))) << conf;
    }
}

// The sound latency: the chosen step written and the only one ticked.
TEST_F(Pages, LatencyStepWrittenAndTheOnlyOneTicked)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    click(m.latency[2]);
    EXPECT_TRUE(has_line(res->read("res/conf"), "latency_ms=125")) << res->read("res/conf");
    for (int i = 0; i < MENU_LATENCY_STEPS; i++)
        EXPECT_EQ(i == 2, xgui_is_selected(m.latency[i])) << MENU_LATENCY_MS[i] << " ms";
}

// Mended fault: in full screen the cursor shows over the menu and must hide again once Play resumes.
TEST_F(Pages, PlayResumesAndHidesTheFullScreenCursor)
{
    settings.fullscreen = true;
    build_and_open();
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor shown over the menu";
    click(menu_widgets.play);
    EXPECT_FALSE(xgui_is_open()) << "Play closes the menu";
    EXPECT_FALSE(running_paused()) << "Play resumes";
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor hidden after Play";
}

// With the menu closed the cursor hides when Alt+Return goes to full screen and shows again
// when it goes back to a window.
TEST_F(Pages, AltReturnHidesTheCursorInFullScreenAndShowsItInAWindow)
{
    const SDL_Event key = key_event(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    handle_event(key);
    ASSERT_TRUE(settings.fullscreen);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the full-screen game";
    handle_event(key);
    ASSERT_FALSE(settings.fullscreen);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the window";
}

// Slot 1: not a BMP at all, and a state; slot 2: a good preview, no state. A good preview with
// a state is the end-to-end scripts'; bad previews themselves the toolkit test's.
class SlotRows : public Pages {
protected:
    void SetUp() override
    {
        Pages::SetUp();
        SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 32, 28, 24, SDL_PIXELFORMAT_BGR24);
        SDL_SaveBMP(s, res->path("res/2P").c_str());
        SDL_FreeSurface(s);
        res->write("res/1P", "not a BMP");
        res->write("res/1S", "state");
        build_and_open();
        slot_rows_refresh();
    }
};

TEST_F(SlotRows, LoadShowsOnlyForStoredStates)
{
    EXPECT_TRUE(xgui_widgets[menu_widgets.slot_load[1]].visible) << "a state without a good preview";
    EXPECT_FALSE(xgui_widgets[menu_widgets.slot_load[2]].visible);
}

// Mended fault: a FIFO in place of a state file stalled the start-up, and every later
// refresh of the slot rows, in the look for a stored state. It counts as no state.
TEST_F(SlotRows, AStateFileThatIsAFifoShowsNoLoadWithoutWaiting)
{
    ASSERT_EQ(0, mkfifo(res->path("res/0S").c_str(), 0644));
    auto refresh = [] {
        slot_rows_refresh();
        return xgui_widgets[menu_widgets.slot_load[0]].visible ? 1 : 0;
    };
    EXPECT_EXIT(finish_within_seconds(refresh), ::testing::ExitedWithCode(0), "");
}
