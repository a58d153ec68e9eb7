// The menu page through the real toolkit: window modes and picture options written and shown,
// the guarded Reset and Quit, Play, and the slot rows with good and bad previews.
#include <sys/inotify.h>
#include <unistd.h>

#include "pages_fixture.h"

// Counts the times res/conf is replaced from construction on: each save writes a file beside
// it and renames that over it. Closes are watched as well only so that two renames in a row
// are not merged into one event.
class ConfReplacements {
public:
    explicit ConfReplacements(const std::string &res_folder)
        : fd(inotify_init1(IN_NONBLOCK)), watch(inotify_add_watch(fd, res_folder.c_str(), IN_MOVED_TO | IN_CLOSE_WRITE))
    {
    }
    ~ConfReplacements() { close(fd); }
    bool watching() const { return fd >= 0 && watch >= 0; }
    int count() const
    {
        alignas(inotify_event) char buffer[4096];
        int n = 0;
        ssize_t got;
        while ((got = read(fd, buffer, sizeof buffer)) > 0) {
            for (ssize_t at = 0; at < got;) {
                const inotify_event *event = (const inotify_event *)(buffer + at);
                if ((event->mask & IN_MOVED_TO) && event->len && strcmp(event->name, "conf") == 0)
                    n++;
                at += sizeof *event + event->len;
            }
        }
        return n;
    }

private:
    int fd, watch;
};

TEST_F(Pages, WindowModesAndOptionsAreWrittenThenShown)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    struct Case { const char *item; int32_t widget, scale; bool fullscreen; } cases[] = {
        {"Window 2x", m.window[0], 2, false}, {"Fullscreen", m.fullscreen, 2, true},
        {"Window 4x", m.window[2], 4, false}, {"Window 3x", m.window[1], 3, false}};
    for (const Case &c : cases) {
        res->remove("res/conf"), click(c.widget);
        std::string conf = res->read("res/conf"), marks;
        EXPECT_TRUE(has_line(conf, "scale=" + std::to_string(c.scale))) << c.item << ":\n" << conf;
        EXPECT_TRUE(has_line(conf, std::string("fullscreen=") + (c.fullscreen ? "1" : "0"))) << c.item << ":\n" << conf;
        for (int i = 0; i < MENU_WINDOW_SCALES; i++)
            marks += xgui_is_selected(m.window[i]) ? std::to_string(i + 2) + "x " : "";
        marks += xgui_is_selected(m.fullscreen) ? "full" : "";
        EXPECT_EQ(c.fullscreen ? "full" : std::to_string(c.scale) + "x ", marks) << c.item << ": check marks";
    }
    EXPECT_TRUE(xgui_is_open());
    for (int round = 0; round < 2; round++) {   // the two flips, each written at once; the marks follow
        bool smooth = !settings.smoothing, stretch = !settings.stretch;
        click(m.smooth), click(m.stretch);
        std::string conf = res->read("res/conf"), want = std::to_string(smooth) + std::to_string(stretch);
        EXPECT_EQ(want, std::to_string(settings.smoothing) + std::to_string(settings.stretch)) << round;
        EXPECT_EQ(want, std::to_string(xgui_is_selected(m.smooth)) + std::to_string(xgui_is_selected(m.stretch))) << round;
        EXPECT_TRUE(has_line(conf, "smoothing=" + want.substr(0, 1)) && has_line(conf, "stretch=" + want.substr(1))) << conf;
    }
}

TEST_F(Pages, ResetAndQuitNeedOkAndPlayResumes)
{
    build_and_open();
    const MenuWidgets &m = menu_widgets;
    click(m.reset), click_nothing();
    EXPECT_FALSE(xgui_widgets[xgui_confirm].visible) << "a click elsewhere hides OK?";
    EXPECT_TRUE(xgui_is_open() && gamestate.paused) << "Reset without OK?";
    click(m.quit), click_nothing();
    EXPECT_FALSE(gamestate.quit) << "Quit without OK?";
    click(m.quit), confirm();
    EXPECT_TRUE(gamestate.quit) << "Quit and OK?";
    gamestate.quit = false;
    click(m.reset), confirm();
    EXPECT_FALSE(xgui_is_open() || gamestate.paused) << "a confirmed reset closes the menu and resumes";
    // In full screen the cursor shows over the menu and hides again once Play resumes (it once stayed).
    settings.fullscreen = true;
    menu_toggle();
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY));
    click(m.play);
    EXPECT_FALSE(xgui_is_open() || gamestate.paused) << "Play resumes";
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "cursor hidden after Play in full screen";
}

TEST_F(Pages, SlotRowsShowGoodPreviewsOnlyAndLoadOnlyStoredStates)
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
    res->write("res/0S", "state"), res->write("res/1S", "state");
    build_and_open();
    slot_rows_refresh();
    std::string got;   // per slot: the preview's size or "-", then L when Load shows
    for (int n = 0; n < STATE_SLOTS; n++) {
        const xgui_widget &pic = xgui_widgets[menu_widgets.slot_picture[n]];
        got += pic.texture ? std::to_string(pic.w) + "x" + std::to_string(pic.h) : "-";
        got += xgui_widgets[menu_widgets.slot_load[n]].visible ? "L " : " ";
    }
    EXPECT_EQ("32x28L -L - ", got);
    // Drawing a menu with a slot that has no picture is safe (once it has faded in).
    for (int i = 0; i < 32; i++)
        xgui_update(WIN_W, WIN_H, 0, 0, 0);
    xgui_draw(renderer, 64, 64);
}

TEST_F(Pages, WindowItemWritesTheSettingsOnce)
{
    settings.fullscreen = true;
    build_and_open();
    ConfReplacements writes(res->path("res"));
    ASSERT_TRUE(writes.watching());
    click(menu_widgets.window[1]);
    EXPECT_EQ(1, writes.count());
}

TEST_F(Pages, AtMostOneMenuItemIsHoveredAnywhere)
{
    build_and_open();
    EXPECT_EQ("", where_two_are_hovered());
}

TEST_F(Pages, ClickBetweenWindow2xAnd3xChoosesWindow2xAlone)
{
    build_and_open();
    frame(440, 548, 1);
    frame(440, 548, 0);
    EXPECT_EQ(2, settings.scale);
}
