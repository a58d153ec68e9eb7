// The menu page through the real toolkit: each setting item written and ticked, Play and
// Alt+Return with the cursor, and the slot rows' Load items. Quit behind "OK?" is checked by
// the menu navigation tests, the click between two stacked items by the toolkit's; Reset
// behind "OK?" end to end.
#include "pages_fixture.h"
#include "support/sdl_rect.h"
#include "support/watch.h"

#include <sys/stat.h>

#include <string>
#include <utility>
#include <vector>

// Each item, clicked from the defaults, writes its line at once, and the check marks follow the
// settings: the item ticked, and the items it replaces not.
TEST_F(Pages, EachSettingItemIsWrittenThenTicked)
{
    const MenuWidgets &m = menu_widgets;
    const KeysWidgets &k = keys_widgets;
    const struct {
        const char *item;
        const int32_t &widget;
        const char *line;
        bool ticked;
        const int32_t &unticked;
    } cases[] = {
        {"Window 4x", m.window[2], "scale=4", true, m.window[1]},
        {"Fullscreen", m.fullscreen, "fullscreen=1", true, m.window[2]},
        {"Window 2x", m.window[0], "fullscreen=0", true, m.fullscreen},
        {"Smooth", m.smooth, "smoothing=0", false, m.stretch},
        {"Stretch", m.stretch, "stretch=1", true, m.smooth},
        {"Sound 125 ms", m.latency[2], "latency_ms=125", true, m.latency[0]},
        {"Pause in background", m.focus_pause, "focus_pause=0", false, m.focus_pause},
        {"Guide", k.guide, "guide=0", false, k.guide},
    };
    build_and_open();
    for (const auto &c : cases) {
        if (c.widget == k.guide)
            keys_page_open();
        res.remove("res/conf");
        click(c.widget);
        const std::string conf = res.read("res/conf");
        EXPECT_TRUE(has_line(conf, c.line)) << c.item << ":\n" << conf;
        EXPECT_EQ(c.ticked, xgui_is_selected(c.widget)) << c.item;
        EXPECT_FALSE(xgui_is_selected(c.unticked)) << c.item << ": the item it replaces";
    }
    EXPECT_TRUE(xgui_is_open());
}

// The menu page's lines, check marks, previews and the line kept under each preview never
// overlap and stay on the panel (x 330 to 1590, below its header at y 240 to 1058). Mended
// fault: "Load" lay over the top-left of each slot's preview and "Save" over its bottom-right.
TEST_F(Pages, NothingOnTheMenuPageOverlapsAndAllStaysOnThePanel)
{
    build_and_open();
    std::vector<std::pair<std::string, SDL_Rect>> placed;
    for (int32_t i = 0; i < xgui_count; i++) {
        const xgui_widget &w = xgui_widgets[i];
        if (w.page != MENU_PAGE || w.type == XGUI_PICTURE || w.type == XGUI_NONE || !w.text[0])
            continue;
        SDL_Rect r;
        const int32_t start = xgui_text_start(w);
        xgui_text(&r, nullptr, 0, 0, start, w.y, w.text, false);
        if (w.type == XGUI_TOGGLE) {   // room for its check mark
            r.w += r.x - xgui_check_x(start);
            r.x = xgui_check_x(start);
        }
        placed.push_back({w.text, r});
    }
    for (int n = 0; n < STATE_SLOTS; n++) {
        const SlotPlaces p = slot_places(n);
        placed.push_back({"preview " + std::to_string(n), p.preview});
        placed.push_back({"text line " + std::to_string(n), p.text_line});
        EXPECT_EQ(p.preview.x + p.preview.w / 2, xgui_widgets[menu_widgets.slot_picture[n]].x);
    }
    const SDL_Rect panel = {330, 240, 1260, 818};
    for (size_t a = 0; a < placed.size(); a++) {
        SDL_Rect inside;
        EXPECT_TRUE(SDL_IntersectRect(&placed[a].second, &panel, &inside) && inside == placed[a].second)
            << placed[a].first << " leaves the panel";
        for (size_t b = a + 1; b < placed.size(); b++)
            EXPECT_FALSE(SDL_HasIntersection(&placed[a].second, &placed[b].second))
                << placed[a].first << " overlaps " << placed[b].first;
    }
}

// Slot 0: a FIFO in place of its state (mended fault: the look for a stored state stalled on
// it). Slot 1: not a picture at all, and a state, which Load tries, closing the menu. Slot 2: a
// good preview, no state. Mended fault: in full screen the cursor shows over the menu and must
// hide again once Play resumes; Alt+Return hides it going to full screen and shows it again in a
// window.
TEST_F(Pages, LoadShowsOnlyForStoredStatesAndTheCursorOnlyOverTheMenuAndTheWindow)
{
    settings.fullscreen = true;
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 32, 28, 24, SDL_PIXELFORMAT_BGR24);
    SDL_SaveBMP(s, res.path("res/2P").c_str());
    SDL_FreeSurface(s);
    res.write("res/1P", "not a BMP");
    res.write("res/1S", "state");
    ASSERT_EQ(0, mkfifo(res.path("res/0S").c_str(), 0644));
    build_and_open();
    auto refresh = [] {
        slot_rows_refresh();
        return xgui_widgets[menu_widgets.slot_load[0]].visible ? 1 : 0;
    };
    EXPECT_EXIT(finish_within_seconds(refresh), ::testing::ExitedWithCode(0), "");
    slot_rows_refresh();
    EXPECT_TRUE(xgui_widgets[menu_widgets.slot_load[1]].visible) << "a state without a good preview";
    EXPECT_FALSE(xgui_widgets[menu_widgets.slot_load[2]].visible);
    click(menu_widgets.slot_load[1]);
    EXPECT_FALSE(xgui_is_open()) << "Load did not close the menu";
    menu_toggle();
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the menu";
    click(menu_widgets.play);
    EXPECT_FALSE(xgui_is_open()) << "Play closes the menu";
    EXPECT_FALSE(running_paused()) << "Play resumes";
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor after Play";
    key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    ASSERT_FALSE(settings.fullscreen);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the window";
    key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    ASSERT_TRUE(settings.fullscreen);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the full-screen game";
}
