// The menu page driven through the real toolkit: window modes and picture options written
// and shown, the guarded Reset and Quit, and the save slots with good and bad previews.
#include "pages_fixture.h"

#include "host/game.h"

TEST_F(Pages, WindowModesAndOptionsAreWrittenThenShown)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    struct Case { const char *item; int32_t widget, scale; bool fullscreen; } cases[] = {
        {"Window 2x", m.window[0], 2, false}, {"Fullscreen", m.fullscreen, 2, true},
        {"Window 4x", m.window[2], 4, false}, {"Window 3x", m.window[1], 3, false},
    };
    for (const Case &c : cases) {
        res->remove("res/conf");
        click(c.widget);
        std::string conf = res->read("res/conf");
        EXPECT_EQ(c.scale, settings.scale) << c.item;
        EXPECT_EQ(c.fullscreen, settings.fullscreen) << c.item;
        EXPECT_TRUE(has_line(conf, "scale=" + std::to_string(c.scale))) << c.item << ":\n" << conf;
        EXPECT_TRUE(has_line(conf, std::string("fullscreen=") + (c.fullscreen ? "1" : "0")))
            << c.item << ":\n" << conf;
        EXPECT_EQ(c.fullscreen, xgui_is_selected(m.fullscreen)) << c.item;
        for (int i = 0; i < MENU_WINDOW_SCALES; i++)
            EXPECT_EQ(!c.fullscreen && c.scale == i + 2, xgui_is_selected(m.window[i]))
                << c.item << ": check mark of Window " << i + 2 << "x";
        if (!c.fullscreen) {
            EXPECT_EQ(256 * c.scale, gamestate.window_w) << c.item << ": window applied";
        }
        EXPECT_TRUE(xgui_is_open()) << c.item;
    }

    // The two flips, each written at once; the marks follow.
    for (int round = 0; round < 2; round++) {
        bool smooth = settings.smoothing, stretch = settings.stretch;
        click(m.smooth);
        click(m.stretch);
        EXPECT_EQ(!smooth, settings.smoothing) << round;
        EXPECT_EQ(!stretch, settings.stretch) << round;
        std::string conf = res->read("res/conf");
        EXPECT_TRUE(has_line(conf, std::string("smoothing=") + (settings.smoothing ? "1" : "0"))) << conf;
        EXPECT_TRUE(has_line(conf, std::string("stretch=") + (settings.stretch ? "1" : "0"))) << conf;
        EXPECT_EQ(settings.smoothing, xgui_is_selected(m.smooth)) << round;
        EXPECT_EQ(settings.stretch, xgui_is_selected(m.stretch)) << round;
    }
}

TEST_F(Pages, ResetAndQuitNeedOkAndPlayResumes)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    click(m.reset);
    EXPECT_TRUE(xgui_widgets[xgui_confirm].visible) << "OK? shows";
    EXPECT_GT(xgui_widgets[xgui_confirm].x, xgui_widgets[m.reset].x) << "to the right of Reset";
    click_nothing();
    EXPECT_FALSE(xgui_widgets[xgui_confirm].visible) << "a click elsewhere hides OK?";
    EXPECT_TRUE(xgui_is_open()) << "Reset without OK?";
    EXPECT_TRUE(gamestate.paused);

    click(m.quit);
    click_nothing();
    EXPECT_FALSE(gamestate.quit) << "Quit without OK?";
    click(m.quit);
    confirm();
    EXPECT_TRUE(gamestate.quit) << "Quit and OK?";
    gamestate.quit = false;

    click(m.reset);
    confirm();
    EXPECT_FALSE(xgui_is_open()) << "a confirmed reset closes the menu";
    EXPECT_FALSE(gamestate.paused);

    // In full screen the cursor shows over the menu and hides again once Play resumes.
    settings.fullscreen = true;
    menu_toggle();
    EXPECT_TRUE(gamestate.paused);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    click(m.play);
    EXPECT_FALSE(xgui_is_open());
    EXPECT_FALSE(gamestate.paused);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor hidden after Play in full screen";
}

TEST_F(Pages, SlotRowsShowGoodPreviewsOnlyAndStoredSlotsLoad)
{
    // A 32 x 28 BMP in one colour, then the same spoilt two ways.
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 32, 28, 24, SDL_PIXELFORMAT_BGR24);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, 100, 50));
    SDL_SaveBMP(s, res->path("res/0P").c_str());
    SDL_FreeSurface(s);
    const std::string good = res->read("res/0P");
    ASSERT_GT(good.size(), 54u);
    res->write("res/1P", "P" + good.substr(1));      // not a BMP at all
    res->write("res/2P", good.substr(0, 60));        // header promises more than there is
    res->write("res/0S", "state");
    res->write("res/1S", "state");
    const bool picture[STATE_SLOTS] = {true, false, false}, state[STATE_SLOTS] = {true, true, false};
    build_and_open();
    slot_rows_refresh();
    for (int n = 0; n < STATE_SLOTS; n++) {
        const xgui_widget &pic = xgui_widgets[menu_widgets.slot_picture[n]];
        EXPECT_EQ(picture[n], pic.texture != nullptr) << "slot " << n;
        if (picture[n]) {
            EXPECT_EQ(32 * 100 + 28, pic.w * 100 + pic.h) << "slot " << n;
        }
        EXPECT_EQ(state[n], xgui_widgets[menu_widgets.slot_load[n]].visible) << "slot " << n;
        EXPECT_TRUE(xgui_widgets[menu_widgets.slot_save[n]].visible) << "slot " << n;
    }
    // Drawing a menu with a slot that has no picture is safe (once it has faded in).
    for (int i = 0; i < 32; i++)
        xgui_update(WIN_W, WIN_H, 0, 0, 0);
    xgui_draw(renderer, 64, 64);

    // Save on slot 2 with the game loaded: the state and preview are written and show at once.
    const char *dist = getenv("TEST_DIST_DIR");
    std::string image = read_whole_file((std::string(dist ? dist : ".") + "/res/game"));
    if (image.empty())
        GTEST_SKIP() << "no dist/res/game";
    res->write("res/game", image);
    ASSERT_TRUE(game_load());
    gamestate.screen_w = ox_video_get_screen_width();
    gamestate.screen_h = ox_video_get_screen_height();
    gamestate.raster_w = ox_video_get_raster_width();
    gamestate.raster_h = ox_video_get_raster_height();
    gamestate.recreate_frame_texture();
    ox_core_emulate();
    ox_video_render(gamestate.pixels);
    click(menu_widgets.slot_save[2]);
    EXPECT_TRUE(xgui_is_open()) << "Save keeps the menu open";
    EXPECT_TRUE(res->exists("res/2S"));
    const xgui_widget &pic = xgui_widgets[menu_widgets.slot_picture[2]];
    EXPECT_NE(nullptr, pic.texture) << "preview after Save";
    EXPECT_EQ(gamestate.screen_w, pic.w);
    EXPECT_TRUE(xgui_widgets[menu_widgets.slot_load[2]].visible) << "Load after Save";

    click(menu_widgets.slot_load[2]);
    EXPECT_FALSE(xgui_is_open()) << "Load closes the menu";
    EXPECT_FALSE(gamestate.paused);
}
