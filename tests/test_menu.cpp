// The menu page through the real toolkit: each setting item written and ticked, Play and
// Alt+Return with the cursor, and the slot rows' Load items. Quit behind "OK?" is checked by
// the menu navigation tests, the click between two stacked items by the toolkit's; Reset
// behind "OK?" end to end.
#include "pages_fixture.h"
#include "support/local_time.h"
#include "support/page_places.h"
#include "support/slot_files.h"
#include "support/watch.h"
#include "ui/slot_time.h"

#include <string>

// Each item, clicked from the defaults, writes its line at once, and the check marks follow the
// settings: the item ticked, and the items it replaces not.
TEST_F(Pages, EachSettingItemIsWrittenThenTicked)
{
    const MenuWidgets &m = menu_widgets;
    const KeysWidgets &k = keys_widgets;
    const struct { const char *item; const int32_t &widget; const char *line; bool ticked; const int32_t &unticked; }
        cases[] = {
        {"Window 4x", m.window[2], "scale=4", true, m.window[1]},
        {"Fullscreen", m.fullscreen, "fullscreen=1", true, m.window[2]},
        {"Window 2x", m.window[0], "fullscreen=0", true, m.fullscreen},
        {"Smooth", m.smooth, "smoothing=0", false, m.stretch},
        {"Stretch", m.stretch, "stretch=1", true, m.smooth},
        {"TV shape", m.shape, "shape=1", true, m.smooth},
        {"Sound 125 ms", m.latency[2], "latency_ms=125", true, m.latency[0]},
        {"Pause in background", m.focus_pause, "focus_pause=0", false, m.focus_pause},
        {"Less lag", m.less_lag, "runahead=1", true, m.focus_pause},
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
}

// The menu page's lines, check marks, previews and the line kept under each preview never
// overlap and stay on the panel (x 330 to 1590, below its header at y 240 to 1058); a slot's
// time, at its longest, stays in that line. Mended fault: "Load" lay over the top-left of each
// slot's preview and "Save" over its bottom-right.
TEST_F(Pages, NothingOnTheMenuPageOverlapsAndAllStaysOnThePanel)
{
    build_and_open();
    for (int n = 0; n < SLOTS_COUNT; n++)
        xgui_set_text(menu_widgets.slot_time[n], "Yesterday 23:59");
    for (int n = 0; n < SLOTS_COUNT; n++) {
        const SlotPlaces p = slot_places(n);
        EXPECT_TRUE(rect_inside(text_rect(menu_widgets.slot_time[n]), p.text_line)) << "slot " << n << "'s time";
        EXPECT_EQ(p.preview.x + p.preview.w / 2, xgui_widgets[menu_widgets.slot_picture[n]].x);
    }
    const NamedRects placed = menu_page_places();
    const SDL_Rect panel = {330, 240, 1260, 818};
    for (size_t a = 0; a < placed.size(); a++) {
        EXPECT_TRUE(rect_inside(placed[a].second, panel)) << placed[a].first << " leaves the panel";
        for (size_t b = a + 1; b < placed.size(); b++)
            EXPECT_FALSE(SDL_HasIntersection(&placed[a].second, &placed[b].second))
                << placed[a].first << " overlaps " << placed[b].first;
    }
}

// The slots' files as lay_out_slot_files leaves them (mended fault: the look for a stored
// state stalled on slot 0's FIFO); Load tries slot 1's state, closing the menu. Mended fault: in
// full screen the cursor shows over the menu and must hide again once Play resumes; Alt+Return
// shows it again in a window.
TEST_F(Pages, LoadShowsOnlyForStoredStatesAndTheCursorOnlyOverTheMenuAndTheWindow)
{
    settings.fullscreen = true;
    ASSERT_TRUE(lay_out_slot_files(res));
    build_and_open();
    auto refresh = [] {
        slot_rows_refresh();
        return xgui_widgets[menu_widgets.slot_load[0]].visible ? 1 : 0;
    };
    EXPECT_EXIT(finish_within_seconds(refresh), ::testing::ExitedWithCode(0), "");
    slot_rows_refresh();
    EXPECT_TRUE(xgui_widgets[menu_widgets.slot_load[1]].visible) << "a state without a good preview";
    EXPECT_EQ("Today ", std::string(xgui_widgets[menu_widgets.slot_time[1]].text, 6)) << "a state written now";
    EXPECT_STREQ("Empty", xgui_widgets[menu_widgets.slot_time[0]].text) << "a FIFO is no state";
    click(menu_widgets.slot_load[1]);
    menu_toggle();
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the menu";
    click(menu_widgets.play);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor after Play";
    key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor over the window";
}

// What a slot row says of when it was saved, seen on 7 December 2026 at 00:30 and other days.
TEST(SlotTime, TodayYesterdayOrTheDate)
{
    const struct tm now = local_at(2026, 12, 7, 0, 30);
    const struct { const char *name; struct tm saved, now; const char *text; } cases[] = {
        {"earlier today", local_at(2026, 12, 7, 0, 5), now, "Today 00:05"},
        {"the day before", local_at(2026, 12, 6, 9, 15), now, "Yesterday 09:15"},
        {"two days before", local_at(2026, 12, 5, 23, 59), now, "5 Dec 2026"},
        {"a later day: a clock set back", local_at(2026, 12, 8, 10, 0), now, "8 Dec 2026"},
        {"the last of a year", local_at(2025, 12, 31, 23, 0), local_at(2026, 1, 1, 1, 0), "Yesterday 23:00"},
        {"a leap day", local_at(2024, 2, 29, 12, 0), local_at(2024, 3, 1, 12, 0), "Yesterday 12:00"},
        {"a year's first day, in January", local_at(2026, 1, 1, 7, 0), local_at(2026, 1, 3, 7, 0), "1 Jan 2026"},
    };
    for (const auto &c : cases) {
        char text[SLOT_TIME_TEXT_SIZE];
        slot_time_text(text, sizeof text, c.saved, c.now);
        EXPECT_STREQ(c.text, text) << c.name;
    }
}
