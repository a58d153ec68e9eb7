// The change-keys page through the real toolkit and input step: captures into the right player,
// slot and file line, moving and cancelling, Preset and Clear behind "OK?", rows beyond fifteen.
#include "pages_fixture.h"
#include "app/events.h"
static void press_escape() { SDL_Event e = {}; e.type = SDL_KEYDOWN, e.key.keysym.scancode = SDL_SCANCODE_ESCAPE; handle_event(e); }
static void press_right() { SDL_Event e = {}; e.type = SDL_MOUSEBUTTONDOWN, e.button.button = SDL_BUTTON_RIGHT; handle_event(e); }
static Binding mark_of(int b) { return Binding{BIND_KEY, 30 + b % 10, 0, 0, 0}; }
class KeysPage : public Pages {
protected:
    static void open_page(int player = 0)
    {
        xgui_set_open(false), build_and_open(), click(menu_widgets.change_keys);
        if (player == 1) click(keys_widgets.player[1]);
        ASSERT_EQ(KEYS_PAGE * 10 + player, xgui_page * 10 + shown_player);
    }
    // Every cell shows the label of the player shown, "???" on the waiting one.
    static void expect_cells(const char *when)
    {
        char want[BINDING_LABEL_SIZE];
        for (int b = 0; b < keys_widgets.rows; b++)
            for (int s = 0; s < MAX_SLOTS; s++) {
                binding_cell_label(shown_player, b, s, want, sizeof want);
                EXPECT_EQ(std::string(want), text(keys_widgets.cell[b][s])) << when << ": cell " << b << "," << s;
            }
    }
    static void pass() { frame(5, 5, 0); }
    static void tap(SDL_Scancode key) { fake_keys[key] = 1, pass(), fake_keys[key] = 0; }
    static void mark()   // both players: slot 0 of each button on a key of its own, slot 1 unbound
    {
        for (int i = 0; i < MAX_PLAYERS * MAX_BUTTONS; i++)
            (&settings.bindings[0][0])[i][0] = mark_of(i % MAX_BUTTONS), (&settings.bindings[0][0])[i][1] = Binding{};
    }
    static bool marked(int p)
    {
        bool all = true;
        for (int b = 0; b < fixture_buttons; b++)
            all &= str(settings.bindings[p][b][0]) + str(settings.bindings[p][b][1]) == str(mark_of(b)) + str(Binding{});
        return all;
    }
};
TEST_F(KeysPage, CapturesEveryKindForThePlayerShown)
{
    Pad pad0(0, 2, 10, 1), pad1(1, 2, 10, 1);
    struct Case { int player, row, slot; void (*actuate)(Pad &, Pad &, bool down); Binding want; const char *label; } cases[] = {
        {0, 4, 0, [](Pad &, Pad &, bool down) { fake_keys[SDL_SCANCODE_K] = down; }, {BIND_KEY, SDL_SCANCODE_K, 0, 0, 0}, "K  "},
        {1, 2, 1, [](Pad &, Pad &p1, bool down) { p1.axis(1, down ? -32768 : 0); }, {BIND_AXIS, 0, 1, 1, 1}, "J2.Y1-"},
        {0, 7, 1, [](Pad &p0, Pad &, bool down) { p0.hat(0, down ? SDL_HAT_RIGHTUP : 0); }, {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 0}, "J1.H1Up"},
        {1, 11, 0, [](Pad &p0, Pad &, bool down) { p0.button(2, down); }, {BIND_BUTTON, 0, 2, 0, 0}, "J1.3"}};
    gameinfo.players = 2;
    for (const Case &c : cases) {
        mark(), open_page(c.player);
        int32_t cell = keys_widgets.cell[c.row][c.slot];
        click(cell);
        EXPECT_EQ("???", text(cell)) << c.label;
        sent_buttons.clear(), res->remove("res/conf"), pass();
        EXPECT_TRUE(sent_buttons.empty()) << c.label << ": no button states while capturing";
        c.actuate(pad0, pad1, true), pass(), c.actuate(pad0, pad1, false);
        EXPECT_EQ(str(c.want), str(settings.bindings[c.player][c.row][c.slot])) << c.label;
        EXPECT_TRUE(marked(1 - c.player)) << c.label << ": the other player is untouched";
        EXPECT_EQ(c.label, text(cell));
        expect_cells(c.label);
        char line[64];
        snprintf(line, sizeof line, "btn_%d_%d_%d_type=%d", c.player, c.row, c.slot, c.want.type);
        EXPECT_TRUE(has_line(res->read("res/conf"), line)) << line << " in\n" << res->read("res/conf");
    }
}
TEST_F(KeysPage, PendingCaptureMovesAndEndsOnlyWhereItShould)
{
    open_page();
    const KeysWidgets &k = keys_widgets;
    click(k.cell[0][0]), click(k.cell[3][1]);
    EXPECT_EQ(31, capture_button * 10 + capture_slot) << "capture moved to row 3, slot 1";
    expect_cells("capture moved");
    press_escape();
    EXPECT_EQ(-1 * 10 + 1, capture_button * 10 + xgui_is_open()) << "Escape cancels and leaves the menu open";
    expect_cells("after Escape");
}
TEST_F(KeysPage, ClosingTheMenuCancelsAPendingCapture)
{
    Pad pad(0, 0, 11, 0);
    settings.guide = true;
    const struct { const char *name; void (*close)(Pad &); } closers[] = {
        {"right button", [](Pad &) { press_right(); }},
        {"guide button", [](Pad &p) {
             p.button(10, true);
             SDL_Event e = {};
             e.type = SDL_JOYBUTTONDOWN;
             handle_event(e);
             p.button(10, false);
         }}};
    for (const auto &c : closers) {
        open_page();
        click(keys_widgets.cell[6][1]);
        res->remove("res/conf");
        c.close(pad);
        ASSERT_FALSE(xgui_is_open()) << c.name;
        EXPECT_EQ(-1, capture_button) << c.name;
        expect_cells(c.name);
        tap(SDL_SCANCODE_Q);
        EXPECT_EQ(str(Binding{}), str(settings.bindings[0][6][1])) << c.name;
        EXPECT_FALSE(res->exists("res/conf")) << c.name;
    }
}
TEST_F(KeysPage, ClickBetweenTwoRowsCapturesIntoTheNearerRowAlone)
{
    // Rows 3 and 4 stand at 460 and 510; their cells' boxes share 504..513.
    const struct { int32_t y, row; } cases[] = {{506, 3}, {511, 4}};
    for (const auto &c : cases) {
        open_page();
        const int32_t x = xgui_text_start(xgui_widgets[keys_widgets.cell[3][0]]) + 2;
        frame(x, c.y, 1);
        frame(x, c.y, 0);
        EXPECT_EQ(c.row, capture_button) << "y " << c.y;
        press_escape();
    }
}
TEST_F(KeysPage, AtMostOneWidgetIsHoveredAnywhere)
{
    fixture_buttons = MAX_BUTTONS;
    gameinfo.players = 2;
    open_page();
    EXPECT_EQ("", where_two_are_hovered());
}
TEST_F(KeysPage, PresetAndClearAfterOkForThePlayerShown)
{
    struct Case { const char *name; bool donf; int player; bool clear; } cases[] = {
        {"preset player 2", false, 1, false}, {"preset player 2 with res/donf", true, 1, false},
        {"preset player 1 with res/donf", true, 0, false}, {"clear player 2", false, 1, true},
        {"clear player 1 with res/donf", true, 0, true}};
    gameinfo.players = 2;
    for (const Case &c : cases) {
        c.donf ? res->write("res/donf", "btn_0_0_0_type=1\nbtn_0_0_0_code=40\nbtn_1_0_0_type=1\nbtn_1_0_0_code=41\n")
               : res->remove("res/donf");
        mark(), open_page(c.player);
        int32_t action = c.clear ? keys_widgets.clear : keys_widgets.preset;
        click(action), click_nothing();
        EXPECT_TRUE(marked(0) && marked(1)) << c.name << ": nothing without OK?";
        click(action), confirm();
        EXPECT_TRUE(marked(1 - c.player)) << c.name << ": the other player keeps his bindings (Preset once rewrote them from res/donf)";
        const Binding(*mine)[MAX_SLOTS] = settings.bindings[c.player];
        // Clear: unbound; res/donf: its line, the rest unbound; else Up on the up arrow and hat up, A on Z and button 0.
        std::string want = c.clear ? str({}) + str({}) + str({}) + str({})
            : c.donf ? str({BIND_KEY, 40 + c.player, 0, 0, 0}) + str({}) + str({}) + str({})
                     : str({BIND_KEY, SDL_SCANCODE_UP, 0, 0, 0}) + str({BIND_HAT, 0, SDL_HAT_UP, 0, 0})
                           + str({BIND_KEY, SDL_SCANCODE_Z, 0, 0, 0}) + str({BIND_BUTTON, 0, 0, 0, 0});
        EXPECT_EQ(want, str(mine[0][0]) + str(mine[0][1]) + str(mine[4][0]) + str(mine[4][1])) << c.name;
        std::string line = "btn_" + std::to_string(c.player) + "_0_0_type=" + std::to_string(mine[0][0].type);
        EXPECT_TRUE(has_line(res->read("res/conf"), line)) << c.name << ": written at once: " << line;
        expect_cells(c.name);
    }
}
TEST_F(KeysPage, RowsBeyondFifteenAreReachableInGroups)
{
    for (int count : {15, 16, 40}) {   // 40 is cut to the table's 32
        fixture_buttons = count, open_page();
        const KeysWidgets &k = keys_widgets;
        const int rows = SDL_min(count, MAX_BUTTONS), groups = (rows + KEYS_ROWS_PER_GROUP - 1) / KEYS_ROWS_PER_GROUP;
        ASSERT_EQ(rows, k.rows) << count;
        EXPECT_EQ(rows > KEYS_ROWS_PER_GROUP, k.more >= 0) << count << " buttons: More keys";
        for (int g = 0; g < groups; g++) {
            for (int b = 0; b < rows; b++) {
                const xgui_widget &cell = xgui_widgets[k.cell[b][1]];
                EXPECT_EQ(b / KEYS_ROWS_PER_GROUP == g, cell.visible) << count << " buttons, group " << g << ", row " << b;
                EXPECT_LE(cell.y + xgui_font.cell_h + xgui_font.cell_h / 4 - xgui_font.cell_h / 8, XGUI_OVERLAY_H) << "row " << b;
            }
            int last = SDL_min(g * KEYS_ROWS_PER_GROUP + KEYS_ROWS_PER_GROUP, rows) - 1;
            click(k.cell[last][1]);
            EXPECT_EQ(last * 10 + 1, capture_button * 10 + capture_slot) << count << " buttons, group " << g;
            press_escape();
            if (k.more >= 0) click(k.more);
        }
        EXPECT_EQ(0, keys_group) << "More keys wraps around";
        if (rows == MAX_BUTTONS) {
            click(k.more), click(k.more), click(k.cell[31][1]), tap(SDL_SCANCODE_L);
            EXPECT_EQ(SDL_SCANCODE_L, settings.bindings[0][31][1].code) << "the last row rebinds";
            click(k.back), click(menu_widgets.change_keys);
            EXPECT_EQ(0, keys_group) << "the page opens on the first rows";
        }
    }
}
