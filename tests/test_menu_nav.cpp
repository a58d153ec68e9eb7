// The menu without a mouse: the focus over both pages, the keys and pads that move and press
// it, captures asked for without a mouse, and the pads' Back+Start hold.
#include <map>
#include <set>
#include "host/running.h"
#include "input/pad_nav.h"
#include "pages_fixture.h"
#include "support/key_event.h"
#include "ui/menu_nav.h"
#include "xgui/focus.h"

class MenuNav : public Pages {
protected:
    uint64_t now = 100000;
    void SetUp() override
    {
        Pages::SetUp();
        pad_nav_poll(now);   // forget what an earlier test left held
    }
    // One loop pass in the loop's order, the pointer resting away from every widget.
    void pass(uint64_t ms = 50)
    {
        now += ms;
        menu_nav_pads(now);
        input_step(false);
        xgui_update(5, 5, 0);
        if (xgui_is_open())
            menu_react();
    }
    static void key(SDL_Scancode code, bool down, bool repeat = false)
    {
        fake_keys[code] = down;
        SDL_Event e = key_event(code, down);
        e.key.repeat = repeat;
        menu_nav_key(e.key);
    }
    // Moves from the focus (or shows it) and returns where it is then.
    static int32_t step(int32_t dx, int32_t dy)
    {
        xgui_focus_move(dx, dy, -1);
        return xgui_focus;
    }
    // Every widget the arrows reach from the focus.
    static std::set<int32_t> reachable()
    {
        std::set<int32_t> seen = {xgui_focus};
        std::vector<int32_t> todo = {xgui_focus};
        while (!todo.empty()) {
            const int32_t from = todo.back();
            todo.pop_back();
            for (const auto &d : {std::make_pair(0, 1), {0, -1}, {1, 0}, {-1, 0}}) {
                xgui_focus = from;
                if (step(d.first, d.second) >= 0 && seen.insert(xgui_focus).second)
                    todo.push_back(xgui_focus);
            }
        }
        return seen;
    }
};

// Where each direction takes the focus on the menu page, slot 1 alone showing "Load": the
// nearest widget beyond, one sharing the row or column first, otherwise the distance along
// the move plus twice the distance across it; at an edge round to the far side.
TEST_F(MenuNav, EachArrowTakesTheFocusToItsNeighbourOnTheMenuPage)
{
    build_and_open();
    slot_rows_refresh();    // no state stored: every "Load" hidden
    xgui_set_visible(menu_widgets.slot_load[1], 1);
    const MenuWidgets &m = menu_widgets;
    const struct {
        const char *from;
        int32_t widget, up, down, left, right;
    } rows[] = {
        {"Play", m.play, m.stretch, m.reset, m.latency[0], m.latency[0]},
        {"Reset", m.reset, m.play, m.quit, m.latency[0], m.latency[0]},
        {"Quit", m.quit, m.reset, m.fullscreen, m.latency[0], m.latency[0]},
        {"Fullscreen", m.fullscreen, m.quit, m.window[0], m.latency[0], m.latency[0]},
        {"Window 2x", m.window[0], m.fullscreen, m.window[1], m.latency[1], m.latency[1]},
        {"Window 3x", m.window[1], m.window[0], m.window[2], m.latency[2], m.latency[2]},
        {"Window 4x", m.window[2], m.window[1], m.smooth, m.latency[3], m.latency[3]},
        {"Smooth", m.smooth, m.window[2], m.stretch, m.change_keys, m.change_keys},
        {"Stretch", m.stretch, m.smooth, m.slot_save[0], m.focus_pause, m.focus_pause},
        {"Sound 32 ms", m.latency[0], m.quit, m.latency[1], m.fullscreen, m.fullscreen},
        {"Sound 64 ms", m.latency[1], m.latency[0], m.latency[2], m.window[0], m.window[0]},
        {"Sound 125 ms", m.latency[2], m.latency[1], m.latency[3], m.window[1], m.window[1]},
        {"Sound 250 ms", m.latency[3], m.latency[2], m.change_keys, m.window[2], m.window[2]},
        {"Change keys", m.change_keys, m.latency[3], m.focus_pause, m.smooth, m.smooth},
        {"Load 1", m.slot_load[1], m.stretch, m.slot_save[1], m.stretch, m.focus_pause},
        {"Save 0", m.slot_save[0], m.window[2], m.fullscreen, m.stretch, m.slot_save[1]},
        {"Save 1", m.slot_save[1], m.focus_pause, m.focus_pause, m.slot_save[0], m.slot_save[2]},
        {"Save 2", m.slot_save[2], m.change_keys, m.latency[0], m.slot_save[1], m.slot_save[0]},
        {"Pause in background", m.focus_pause, m.change_keys, m.slot_save[2], m.stretch, m.stretch},
    };
    std::map<int32_t, std::string> name;   // the rows name every widget the focus may reach
    for (const auto &r : rows)
        name[r.widget] = r.from;
    const char *direction[] = {"up", "down", "left", "right"};
    const int32_t dx[] = {0, 0, -1, 1};
    const int32_t dy[] = {-1, 1, 0, 0};
    for (const auto &r : rows) {
        const int32_t to[] = {r.up, r.down, r.left, r.right};
        for (int d = 0; d < 4; d++) {
            xgui_focus = r.widget;
            EXPECT_EQ(name[to[d]], name[step(dx[d], dy[d])]) << r.from << ", " << direction[d];
        }
    }
}

// Rows 15 to 19 are hidden behind "More keys": the arrows reach the rows shown and no other.
TEST_F(MenuNav, ArrowsReachEveryActivatableWidgetOfTheKeysPageAndNothingElse)
{
    gameinfo.players = 2;
    fixture_buttons = 20;
    build_and_open();
    keys_page_open();
    const KeysWidgets &k = keys_widgets;
    std::set<int32_t> keys = {k.player[0], k.player[1], k.back, k.preset, k.clear, k.guide, k.more};
    for (int b = 0; b < KEYS_ROWS_PER_GROUP; b++)
        keys.insert({k.cell[b][0], k.cell[b][1]});
    step(0, 1);
    EXPECT_EQ(keys, reachable());
}

TEST_F(MenuNav, FirstInputShowsTheFocusOnThePagesFirstWidgetWithoutMoving)
{
    build_and_open();
    key(SDL_SCANCODE_DOWN, true);
    EXPECT_EQ(menu_widgets.play, xgui_focus);
    key(SDL_SCANCODE_DOWN, true);
    EXPECT_EQ(menu_widgets.reset, xgui_focus);
    keys_page_open();
    key(SDL_SCANCODE_DOWN, true);
    EXPECT_EQ(keys_widgets.cell[0][0], xgui_focus);
}

// The menu page's edges are in the table above.
TEST_F(MenuNav, ArrowsWrapAtTheKeysPagesEdges)
{
    build_and_open();
    keys_page_open();
    xgui_focus = keys_widgets.guide;
    EXPECT_EQ(keys_widgets.back, step(0, 1)) << "below Guide";
}

// The left and right arrow keys move the focus between a row's two binding cells.
TEST_F(MenuNav, LeftAndRightArrowKeysMoveAlongARow)
{
    build_and_open();
    keys_page_open();
    xgui_focus = keys_widgets.cell[0][0];
    key(SDL_SCANCODE_RIGHT, true);
    EXPECT_EQ(keys_widgets.cell[0][1], xgui_focus);
    key(SDL_SCANCODE_LEFT, true);
    EXPECT_EQ(keys_widgets.cell[0][0], xgui_focus);
}

// Button 1, "Back" on the change-keys page, closes the menu from the menu page.
TEST_F(MenuNav, PadButtonOneClosesTheMenuOnTheMenuPage)
{
    build_and_open();
    Pad pad(0, 2, 4, 0);
    pad.button(1, true);
    pass();
    pad.button(1, false);
    pass();
    EXPECT_FALSE(xgui_is_open());
}

// One highlight: the focus shows as hover, and the pointer entering a widget takes it there.
TEST_F(MenuNav, PointerEnteringAWidgetTakesTheFocus)
{
    build_and_open();
    const xgui_widget &quit = xgui_widgets[menu_widgets.quit];
    const int32_t qx = xgui_text_start(quit) + 2;
    const int32_t qy = quit.y + xgui_font.cell_h / 2;
    frame(qx, qy, 0);
    step(0, 1);
    frame(qx, qy, 0);
    EXPECT_EQ(1, xgui_widgets[menu_widgets.play].hover) << "focused Play not lit";
    EXPECT_EQ(0, quit.hover) << "Quit under the resting pointer still lit";
    click(menu_widgets.reset);
    EXPECT_EQ(menu_widgets.reset, xgui_focus);
}

TEST_F(MenuNav, AcceptArmsAConfirmButtonAndASecondAcceptConfirms)
{
    build_and_open();
    xgui_focus = menu_widgets.quit;
    key(SDL_SCANCODE_RETURN, true);
    pass();
    EXPECT_EQ(menu_widgets.quit, xgui_pending);
    EXPECT_FALSE(running_quit()) << "quit on the first press";
    key(SDL_SCANCODE_KP_ENTER, true);
    pass();
    EXPECT_TRUE(running_quit());
}

// Mended fault: Return, Space or keypad Enter held on "Quit" armed it and then confirmed it
// through the key's auto-repeat. Their repeats do nothing; an arrow's repeat still moves.
TEST_F(MenuNav, AHeldAcceptKeyConfirmsNothingByRepeat)
{
    for (SDL_Scancode accept : {SDL_SCANCODE_RETURN, SDL_SCANCODE_SPACE, SDL_SCANCODE_KP_ENTER}) {
        build_and_open();
        xgui_focus = menu_widgets.quit;
        key(accept, true);
        pass();
        key(accept, true, true);
        pass();
        key(accept, true, true);
        pass();
        EXPECT_FALSE(running_quit()) << SDL_GetScancodeName(accept) << " held";
        key(accept, false);
    }
    key(SDL_SCANCODE_DOWN, true, true);
    EXPECT_EQ(menu_widgets.fullscreen, xgui_focus) << "an arrow's repeat did not move";
}

TEST_F(MenuNav, MovingAwayDisarmsAConfirmButton)
{
    build_and_open();
    xgui_focus = menu_widgets.quit;
    key(SDL_SCANCODE_SPACE, true);
    pass();
    key(SDL_SCANCODE_DOWN, true);
    key(SDL_SCANCODE_UP, true);
    key(SDL_SCANCODE_SPACE, true);
    pass();
    EXPECT_FALSE(running_quit()) << "the press after coming back confirmed";
}

TEST_F(MenuNav, CaptureAskedByReturnTakesNothingUntilReturnIsUp)
{
    build_and_open();
    keys_page_open();
    xgui_focus = keys_widgets.cell[2][1];
    key(SDL_SCANCODE_RETURN, true);
    pass();
    ASSERT_EQ(2, capture_button);
    key(SDL_SCANCODE_X, true);
    pass();
    EXPECT_EQ(2, capture_button) << "captured while the Return that asked was down";
    key(SDL_SCANCODE_RETURN, false);
    pass();
    EXPECT_EQ(-1, capture_button) << "X, pressed after the ask, not taken once Return was up";
    EXPECT_EQ(str({BIND_KEY, SDL_SCANCODE_X, 0, 0, 0}), str(settings.bindings[0][2][1]));
}

// A stick or hat held down when button 0 asks for the capture (the user still pushing toward
// the cell) is not taken; the capture waits for the next control.
TEST_F(MenuNav, DirectionHeldWhenTheCaptureIsAskedIsNotTaken)
{
    for (bool hat : {false, true}) {
        SCOPED_TRACE(hat ? "hat" : "stick");
        Pad pad(0, 2, 4, 1);
        auto hold = [&](bool down) {
            if (hat)
                pad.hat(0, down ? SDL_HAT_DOWN : SDL_HAT_CENTERED);
            else
                pad.axis(1, down ? 32767 : 0);
        };
        settings.bindings[0][0][0] = Binding{};
        build_and_open();
        keys_page_open();
        hold(true);
        pass();   // shows the focus on the first cell
        pad.button(0, true);
        pass();
        pad.button(0, false);
        pass();
        ASSERT_EQ(0, capture_button);
        EXPECT_EQ(str({}), str(settings.bindings[0][0][0])) << "the held direction was taken";
        hold(false);
        pass();
        pad.button(3, true);
        pass();
        pad.button(3, false);
        pass();
        EXPECT_EQ(str({BIND_BUTTON, 0, 3, 0, 0}), str(settings.bindings[0][0][0]));
        xgui_set_open(false);
    }
}

TEST_F(MenuNav, HatRepeatsAfter400msThenEvery100ms)
{
    Pad pad(0, 2, 2, 1);
    pad.hat(0, SDL_HAT_DOWN);
    const struct {
        uint64_t at;
        bool moves;
    } polls[] = {{0, true}, {399, false}, {400, true}, {499, false}, {500, true}};
    for (const auto &p : polls)
        EXPECT_EQ(p.moves, (pad_nav_poll(now + p.at) & NAV_DOWN) != 0) << p.at << " ms";
}

TEST_F(MenuNav, StickMovesPastTheBindingThresholdAndRepeats)
{
    Pad pad(0, 2, 2, 0);
    pad.axis(0, -15999);
    EXPECT_EQ(0u, pad_nav_poll(now));
    pad.axis(0, -16000);
    EXPECT_EQ((uint32_t)NAV_LEFT, pad_nav_poll(now + 10));
    EXPECT_EQ((uint32_t)NAV_LEFT, pad_nav_poll(now + 410));
}

TEST_F(MenuNav, ClosedMenuLeavesPadAndKeysToTheGame)
{
    pages_build();
    Pad pad(0, 2, 2, 1);
    settings.bindings[0][0][0] = {BIND_HAT, 0, SDL_HAT_DOWN, 0, 0};
    pad.hat(0, SDL_HAT_DOWN);
    pad.button(0, true);
    key(SDL_SCANCODE_RETURN, true);
    pass();
    EXPECT_EQ(-1, xgui_focus);
    ASSERT_FALSE(sent_buttons.empty());
    EXPECT_TRUE(sent_buttons[0].pressed) << "the hat did not reach the game";
}

// The key or button that closes the menu (Return on "Play", a pad's B) is no press for the
// game: a binding on it reads as released until it is let go, then works as before.
TEST_F(MenuNav, TheKeyThatClosesTheMenuReachesTheGameOnlyOnceLetGo)
{
    settings.bindings[0][0][0] = {BIND_KEY, SDL_SCANCODE_RETURN, 0, 0, 0};
    build_and_open();
    xgui_focus = menu_widgets.play;
    key(SDL_SCANCODE_RETURN, true);
    pass();
    ASSERT_FALSE(xgui_is_open());
    sent_buttons.clear();
    pass();
    ASSERT_FALSE(sent_buttons.empty());
    EXPECT_FALSE(sent_buttons[0].pressed) << "the Return that chose Play reached the game";
    key(SDL_SCANCODE_RETURN, false);
    pass();
    key(SDL_SCANCODE_RETURN, true);
    sent_buttons.clear();
    pass();
    EXPECT_TRUE(sent_buttons[0].pressed) << "Return pressed again did not reach the game";
}

// Stick, button 0 and button 1 of a plain joystick do it all from "Change keys": the way to
// the page, the cell, the new binding (button 3), and back to the menu page.
TEST_F(MenuNav, BindingMadeEntirelyWithAVirtualPad)
{
    build_and_open();
    Pad pad(0, 2, 4, 0);
    auto tap = [&](auto set) {
        set(true);
        pass();
        set(false);
        pass();
    };
    auto stick = [&](int axis, int v) { tap([&](bool on) { pad.axis(axis, on ? v : 0); }); };
    auto button = [&](int b) { tap([&](bool on) { pad.button(b, on); }); };
    xgui_focus = menu_widgets.change_keys;
    button(0);
    ASSERT_EQ(KEYS_PAGE, xgui_page);
    stick(1, 32767);
    button(0);
    EXPECT_EQ(0, capture_button) << "button 0 was taken for the cell";
    button(3);
    EXPECT_EQ(str({BIND_BUTTON, 0, 3, 0, 0}), str(settings.bindings[0][0][0]));
    button(1);
    EXPECT_EQ(MENU_PAGE, xgui_page);
}

TEST_F(MenuNav, BackAndStartHeldHalfASecondToggleTheMenu)
{
    pages_build();
    Controller pad;
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    pass(0);
    pass(450);
    pad.press(SDL_CONTROLLER_BUTTON_START, false);
    pass();
    EXPECT_FALSE(xgui_is_open()) << "a 450 ms hold opened the menu";
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    pass();
    pass(499);
    EXPECT_FALSE(xgui_is_open()) << "opened after 499 ms";
    pass(1);
    EXPECT_TRUE(xgui_is_open());
}

TEST_F(MenuNav, BackAndStartHeldTogetherDoNotReachTheGame)
{
    pages_build();
    Controller pad;
    settings.bindings[0][0][0] = {BIND_BUTTON, 0, pad.raw(SDL_CONTROLLER_BUTTON_BACK), 0, 0};
    settings.bindings[0][1][0] = {BIND_BUTTON, 0, pad.raw(SDL_CONTROLLER_BUTTON_START), 0, 0};
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    input_step(false);
    ASSERT_TRUE(sent_buttons[0].pressed) << "Back alone did not reach the game";
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    sent_buttons.clear();
    input_step(false);
    EXPECT_FALSE(sent_buttons[0].pressed) << "Back reached the game";
    EXPECT_FALSE(sent_buttons[1].pressed) << "Start reached the game";
}

// Mended fault: Back and Start held together were always the menu's, so a game's own
// Select+Start never arrived. The "Guide" switch turns the chord off with the guide button.
TEST_F(MenuNav, WithGuideOffBackAndStartReachTheGameAndOpenNothing)
{
    pages_build();
    settings.guide = false;
    Controller pad;
    settings.bindings[0][0][0] = {BIND_BUTTON, 0, pad.raw(SDL_CONTROLLER_BUTTON_BACK), 0, 0};
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    pass(0);
    sent_buttons.clear();
    pass(NAV_CHORD_MS);
    EXPECT_FALSE(xgui_is_open()) << "the chord opened the menu";
    EXPECT_TRUE(sent_buttons.at(0).pressed) << "Back did not reach the game";
}

// The game set running behind the menu (Pause, test_events.cpp) gets nothing on the menu
// page, whose keys move the focus; on the change-keys page the keys are the game's, to try the
// bindings made there, and move nothing.
TEST_F(MenuNav, TheGameBehindTheMenuTakesTheKeysOnlyOnTheChangeKeysPage)
{
    settings.bindings[0][0][0] = {BIND_KEY, SDL_SCANCODE_DOWN, 0, 0, 0};
    build_and_open();
    running_set_paused(false);
    key(SDL_SCANCODE_DOWN, true);
    input_step(menu_hides_game());
    EXPECT_EQ(menu_widgets.play, xgui_focus) << "the menu page's arrow did not show the focus";
    EXPECT_FALSE(sent_buttons.at(0).pressed) << "the game got the menu page's arrow";
    key(SDL_SCANCODE_DOWN, false);
    keys_page_open();
    const int32_t focus = xgui_focus;
    key(SDL_SCANCODE_DOWN, true);
    sent_buttons.clear();
    input_step(menu_hides_game());
    EXPECT_EQ(focus, xgui_focus) << "the change-keys page's arrow moved the focus";
    EXPECT_TRUE(sent_buttons.at(0).pressed) << "the game did not get the change-keys page's arrow";
}
