// The change-keys page driven through the real toolkit, the input step, a keyboard array
// owned by the test and SDL's virtual joysticks: captures into the right player, slot and
// file lines, moving and cancelling a capture, Preset and Clear behind "OK?", and rows
// beyond the first fifteen.
#include "pages_fixture.h"

#include "app/events.h"

// A virtual joystick opened into a slot of gamestate.joysticks, resting at 0.
struct Pad {
    SDL_Joystick *joy = nullptr;
    int slot;

    explicit Pad(int slot_) : slot(slot_)
    {
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 10, 1);
        joy = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        gamestate.joysticks[slot] = joy;
        EXPECT_NE(nullptr, joy) << SDL_GetError();
    }
    ~Pad()
    {
        SDL_JoystickID id = SDL_JoystickInstanceID(joy);
        SDL_JoystickClose(joy);
        for (int i = 0; i < SDL_NumJoysticks(); i++)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        gamestate.joysticks[slot] = nullptr;
    }
    void axis(int a, int v) { SDL_JoystickSetVirtualAxis(joy, a, (Sint16)v); SDL_JoystickUpdate(); }
    void hat(int m) { SDL_JoystickSetVirtualHat(joy, 0, (Uint8)m); SDL_JoystickUpdate(); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(joy, b, down); SDL_JoystickUpdate(); }
};

static std::string str(const Binding &b)
{
    char text[96];
    snprintf(text, sizeof text, "{%i,%i,%i,%i,%i}", b.type, b.code, b.value, b.joyid, b.axis);
    return text;
}

static void press_escape()
{
    SDL_Event e = {};
    e.type = SDL_KEYDOWN;
    e.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    handle_event(e);
}

static void press_right_button()
{
    SDL_Event e = {};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_RIGHT;
    handle_event(e);
}

class KeysPage : public Pages {
protected:
    void open_page()
    {
        build_and_open();
        click(menu_widgets.change_keys);
        ASSERT_EQ(KEYS_PAGE, xgui_page);
    }
    // Every cell shows the label of the player shown, "???" on the waiting one.
    static void expect_cells(const char *when)
    {
        for (int b = 0; b < keys_widgets.rows; b++)
            for (int s = 0; s < MAX_SLOTS; s++) {
                char want[BINDING_LABEL_SIZE];
                binding_cell_label(shown_player, b, s, want, sizeof want);
                EXPECT_EQ(std::string(want), text(keys_widgets.cell[b][s]))
                    << when << ": cell " << b << "," << s;
            }
    }
    static void pass() { frame(5, 5, 0); }
    // Every binding of player is 'marked': slot 0 the key "1" + button, slot 1 unbound.
    static void mark(int player)
    {
        for (int b = 0; b < MAX_BUTTONS; b++) {
            settings.bindings[player][b][0] = Binding{BIND_KEY, 30 + b % 10, 0, 0, 0};
            settings.bindings[player][b][1] = Binding{};
        }
    }
    static bool marked(int player)
    {
        for (int b = 0; b < fixture_buttons; b++)
            if (str(settings.bindings[player][b][0]) != str(Binding{BIND_KEY, 30 + b % 10, 0, 0, 0})
                || settings.bindings[player][b][1].type != BIND_NONE)
                return false;
        return true;
    }
};

TEST_F(KeysPage, CapturesEveryKindForThePlayerShown)
{
    Pad pad0(0), pad1(1);
    struct Case {
        const char *name;
        int player, row, slot;
        void (*actuate)(Pad &, Pad &, bool down);
        Binding want;
        const char *label;
    } cases[] = {
        {"key K", 0, 4, 0,
         [](Pad &, Pad &, bool down) { fake_keys[SDL_SCANCODE_K] = down; },
         {BIND_KEY, SDL_SCANCODE_K, 0, 0, 0}, "K  "},
        {"second pad, axis 1 pushed up", 1, 2, 1,
         [](Pad &, Pad &p1, bool down) { p1.axis(1, down ? -32768 : 0); },
         {BIND_AXIS, 0, BIND_AXIS_NEGATIVE, 1, 1}, "J2.Y1-"},
        {"hat up-right", 0, 7, 1,
         [](Pad &p0, Pad &, bool down) { p0.hat(down ? SDL_HAT_RIGHTUP : 0); },
         {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 0}, "J1.H1Up"},
        {"button 2", 1, 11, 0,
         [](Pad &p0, Pad &, bool down) { p0.button(2, down); },
         {BIND_BUTTON, 0, 2, 0, 0}, "J1.3"},
    };
    gameinfo.players = 2;
    for (const Case &c : cases) {
        mark(0);
        mark(1);
        open_page();
        if (c.player == 1)
            click(keys_widgets.player[1]);
        ASSERT_EQ(c.player, shown_player) << c.name;
        int32_t cell = keys_widgets.cell[c.row][c.slot];
        click(cell);
        EXPECT_EQ("???", text(cell)) << c.name;
        sent_buttons.clear();
        res->remove("res/conf");
        pass();
        EXPECT_EQ(c.row, capture_button) << c.name << ": waits while nothing is actuated";
        EXPECT_TRUE(sent_buttons.empty()) << c.name << ": no button states while waiting";

        c.actuate(pad0, pad1, true);
        pass();
        c.actuate(pad0, pad1, false);
        EXPECT_EQ(-1, capture_button) << c.name;
        EXPECT_EQ(str(c.want), str(settings.bindings[c.player][c.row][c.slot])) << c.name;
        EXPECT_TRUE(marked(1 - c.player)) << c.name << ": the other player is untouched";
        EXPECT_EQ(c.label, text(cell)) << c.name;
        expect_cells(c.name);

        std::string conf = res->read("res/conf");
        const char *fields[5] = {"type", "code", "value", "joyid", "axis"};
        const int32_t values[5] = {c.want.type, c.want.code, c.want.value, c.want.joyid,
                                   c.want.axis};
        for (int f = 0; f < 5; f++) {
            char line[64];
            snprintf(line, sizeof line, "\nbtn_%d_%d_%d_%s=%d\n", c.player, c.row, c.slot,
                     fields[f], values[f]);
            EXPECT_NE(std::string::npos, ("\n" + conf).find(line)) << c.name << ": " << line + 1;
        }
        xgui_set_open(false);
    }
}

TEST_F(KeysPage, PendingCaptureMovesAndEndsOnlyWhereItShould)
{
    open_page();
    const KeysWidgets &k = keys_widgets;
    click(k.cell[0][0]);
    click(k.cell[3][1]);
    EXPECT_EQ(3, capture_button);
    EXPECT_EQ(1, capture_slot);
    expect_cells("capture moved");
    EXPECT_NE("???", text(k.cell[0][0]));

    press_escape();
    EXPECT_EQ(-1, capture_button) << "Escape cancels";
    EXPECT_TRUE(xgui_is_open()) << "and leaves the menu open";
    expect_cells("after Escape");

    click(k.cell[5][0]);
    click(k.back);
    EXPECT_EQ(-1, capture_button) << "Back cancels";
    EXPECT_EQ(MENU_PAGE, xgui_page);
    expect_cells("after Back");

    click(menu_widgets.change_keys);
    click(k.cell[5][0]);
    click(menu_widgets.change_keys);   // page 0's item does not take part on page 1
    EXPECT_EQ(5, capture_button);
    click(k.back);
    click(menu_widgets.change_keys);
    EXPECT_EQ(-1, capture_button);

    // Closing the menu leaves the capture waiting; the next key completes it even so.
    click(k.cell[6][1]);
    press_right_button();
    EXPECT_FALSE(xgui_is_open());
    EXPECT_EQ(6, capture_button) << "the right button leaves the capture pending";
    fake_keys[SDL_SCANCODE_Q] = 1;
    pass();
    fake_keys[SDL_SCANCODE_Q] = 0;
    EXPECT_EQ(-1, capture_button);
    EXPECT_EQ(str(Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0}), str(settings.bindings[0][6][1]));
    expect_cells("captured with the menu closed");
    press_escape();
    EXPECT_TRUE(xgui_is_open()) << "Escape without a capture opens the menu";
}

TEST_F(KeysPage, PresetAndClearAfterOkForThePlayerShown)
{
    const char *DONF = "btn_0_0_0_type=1\nbtn_0_0_0_code=40\nbtn_1_0_0_type=1\nbtn_1_0_0_code=41\n";
    struct Case {
        const char *name;
        bool donf;
        int player;
        bool clear;
    } cases[] = {
        {"preset player 1", false, 0, false},
        {"preset player 2", false, 1, false},
        {"preset player 2 with res/donf", true, 1, false},
        {"preset player 1 with res/donf", true, 0, false},
        {"clear player 2", false, 1, true},
        {"clear player 1 with res/donf", true, 0, true},
    };
    gameinfo.players = 2;
    for (const Case &c : cases) {
        if (c.donf)
            res->write("res/donf", DONF);
        else
            res->remove("res/donf");
        mark(0);
        mark(1);
        open_page();
        if (c.player == 1)
            click(keys_widgets.player[1]);
        res->remove("res/conf");
        int32_t action = c.clear ? keys_widgets.clear : keys_widgets.preset;
        click(action);
        EXPECT_TRUE(xgui_widgets[xgui_confirm].visible) << c.name << ": OK? shows";
        EXPECT_LT(xgui_widgets[xgui_confirm].x, xgui_widgets[action].x) << c.name << ": to the left";
        EXPECT_TRUE(marked(0) && marked(1)) << c.name << ": nothing before OK?";
        EXPECT_FALSE(res->exists("res/conf")) << c.name;
        click_nothing();
        click(action);
        confirm();

        const Binding(*mine)[MAX_SLOTS] = settings.bindings[c.player];
        EXPECT_TRUE(marked(1 - c.player)) << c.name << ": the other player keeps his bindings";
        if (c.clear) {
            for (int b = 0; b < fixture_buttons; b++)
                for (int s = 0; s < MAX_SLOTS; s++)
                    EXPECT_EQ(BIND_NONE, mine[b][s].type) << c.name << " " << b << "," << s;
        } else if (c.donf) {
            EXPECT_EQ(str(Binding{BIND_KEY, 40 + c.player, 0, 0, 0}), str(mine[0][0])) << c.name;
            EXPECT_EQ(BIND_NONE, mine[4][0].type) << c.name << ": what the file lacks is unbound";
        } else {
            // The component's proposals: Up on the up arrow and hat up, A on Z and button 0.
            EXPECT_EQ(str(Binding{BIND_KEY, SDL_SCANCODE_UP, 0, 0, 0}), str(mine[0][0])) << c.name;
            EXPECT_EQ(str(Binding{BIND_HAT, 0, SDL_HAT_UP, 0, 0}), str(mine[0][1])) << c.name;
            EXPECT_EQ(str(Binding{BIND_KEY, SDL_SCANCODE_Z, 0, 0, 0}), str(mine[4][0])) << c.name;
            EXPECT_EQ(str(Binding{BIND_BUTTON, 0, 0, 0, 0}), str(mine[4][1])) << c.name;
        }
        std::string conf = res->read("res/conf");
        char line[64];
        snprintf(line, sizeof line, "btn_%d_0_0_type=%d\n", c.player, mine[0][0].type);
        EXPECT_NE(std::string::npos, conf.find(line)) << c.name << ": written at once";
        expect_cells(c.name);
        xgui_set_open(false);
    }
}

TEST_F(KeysPage, PlayerTogglesGuideAndRowLabels)
{
    strcpy(gameinfo.btnname[4], "Jump");
    open_page();
    const KeysWidgets &k = keys_widgets;
    EXPECT_EQ(-1, k.player[1]) << "one player: no Player 2";
    click(k.player[0]);
    EXPECT_EQ(1, xgui_is_selected(k.player[0]));
    EXPECT_EQ("Up..", text(k.row_label[0]));
    EXPECT_EQ("Jump..", text(k.row_label[4])) << "the game's name wins";
    EXPECT_EQ("Start..", text(k.row_label[11]));

    bool guide = settings.guide;
    click(k.guide);
    EXPECT_EQ(!guide, settings.guide);
    EXPECT_EQ(settings.guide, xgui_is_selected(k.guide));
    EXPECT_NE(std::string::npos,
              res->read("res/conf").find(std::string("guide=") + (settings.guide ? "1" : "0")));

    // Two players: Player 2 shows the second player's bindings in the same cells, and a capture
    // started before switching is stored for the player selected when it completes.
    gameinfo.players = 2;
    settings.bindings[1][0][0] = Binding{BIND_KEY, SDL_SCANCODE_B, 0, 0, 0};
    xgui_set_open(false);
    open_page();
    click(keys_widgets.cell[1][0]);
    click(keys_widgets.player[1]);
    EXPECT_EQ(1, shown_player);
    EXPECT_EQ(0, xgui_is_selected(keys_widgets.player[0]));
    EXPECT_EQ(1, xgui_is_selected(keys_widgets.player[1]));
    EXPECT_EQ("B  ", text(keys_widgets.cell[0][0]));
    EXPECT_EQ("???", text(keys_widgets.cell[1][0]));
    fake_keys[SDL_SCANCODE_M] = 1;
    pass();
    fake_keys[SDL_SCANCODE_M] = 0;
    EXPECT_EQ(SDL_SCANCODE_M, settings.bindings[1][1][0].code);
    EXPECT_NE(SDL_SCANCODE_M, settings.bindings[0][1][0].code);
    click(keys_widgets.player[0]);
    EXPECT_EQ(0, shown_player);
    expect_cells("back on player 1");
}

TEST_F(KeysPage, RowsBeyondFifteenAreReachableInGroups)
{
    struct Case { int count, rows; } cases[] = {{12, 12}, {15, 15}, {16, 16}, {20, 20}, {32, 32}, {40, 32}};
    for (const Case &c : cases) {
        fixture_buttons = c.count;
        open_page();
        const KeysWidgets &k = keys_widgets;
        ASSERT_EQ(c.rows, k.rows) << c.count;
        EXPECT_EQ(c.rows > KEYS_ROWS_PER_GROUP, k.more >= 0) << c.count << " buttons: More keys";
        for (int b = 0; b < KEYS_ROWS_PER_GROUP && b < c.rows; b++) {
            const int32_t y = 310 + 50 * b;
            EXPECT_EQ(450 * 10000 + y, xgui_widgets[k.row_label[b]].x * 10000 + xgui_widgets[k.row_label[b]].y) << b;
            EXPECT_EQ(670 * 10000 + y, xgui_widgets[k.cell[b][0]].x * 10000 + xgui_widgets[k.cell[b][0]].y) << b;
            EXPECT_EQ(950 * 10000 + y, xgui_widgets[k.cell[b][1]].x * 10000 + xgui_widgets[k.cell[b][1]].y) << b;
        }
        int groups = (c.rows + KEYS_ROWS_PER_GROUP - 1) / KEYS_ROWS_PER_GROUP;
        for (int g = 0; g < groups; g++) {
            for (int b = 0; b < c.rows; b++) {
                const xgui_widget &cell = xgui_widgets[k.cell[b][1]];
                bool shown = b / KEYS_ROWS_PER_GROUP == g;
                EXPECT_EQ(shown, cell.visible) << c.count << " buttons, group " << g << ", row " << b;
                EXPECT_EQ(shown, xgui_widgets[k.row_label[b]].visible) << b;
                const int32_t bottom = cell.y - xgui_font.cell_h / 8 + xgui_font.cell_h + xgui_font.cell_h / 4;
                EXPECT_LE(bottom, XGUI_OVERLAY_H) << "row " << b << " reaches below the overlay";
            }
            int last = g * KEYS_ROWS_PER_GROUP + KEYS_ROWS_PER_GROUP - 1;
            if (last >= c.rows)
                last = c.rows - 1;
            click(k.cell[last][1]);
            EXPECT_EQ(last, capture_button) << c.count << " buttons, group " << g;
            EXPECT_EQ(1, capture_slot);
            press_escape();
            if (k.more >= 0)
                click(k.more);
        }
        EXPECT_EQ(0, keys_group) << "More keys wraps around";
        if (c.rows == MAX_BUTTONS) {
            click(k.more);
            click(k.more);
            click(k.cell[31][1]);
            fake_keys[SDL_SCANCODE_L] = 1;
            pass();
            fake_keys[SDL_SCANCODE_L] = 0;
            EXPECT_EQ(SDL_SCANCODE_L, settings.bindings[0][31][1].code) << "the last row rebinds";
            expect_cells("last row");
            click(k.back);
            click(menu_widgets.change_keys);
            EXPECT_EQ(0, keys_group) << "the page opens on the first rows";
            EXPECT_TRUE(xgui_widgets[k.cell[0][0]].visible);
        }
        xgui_set_open(false);
    }
}
