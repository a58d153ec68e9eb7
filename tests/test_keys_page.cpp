// The change-keys page driven through the real toolkit, the input step, a keyboard array
// owned by the test and SDL's virtual joysticks: captures into the right player, slot and
// file lines, moving and cancelling a capture, Preset and Clear behind "OK?", and rows
// beyond the first fifteen.
#include "pages_fixture.h"

#include "app/events.h"

static void press(SDL_EventType type, int code)
{
    SDL_Event e = {};
    e.type = type;
    if (type == SDL_KEYDOWN)
        e.key.keysym.scancode = (SDL_Scancode)code;
    else
        e.button.button = (Uint8)code;
    handle_event(e);
}
static void press_escape() { press(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE); }

class KeysPage : public Pages {
protected:
    static void open_page(int player = 0)
    {
        build_and_open();
        click(menu_widgets.change_keys);
        ASSERT_EQ(KEYS_PAGE, xgui_page);
        if (player == 1)
            click(keys_widgets.player[1]);
        ASSERT_EQ(player, shown_player);
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
    static void tap(SDL_Scancode key) { fake_keys[key] = 1; pass(); fake_keys[key] = 0; }
    // Every binding of both players is 'marked': slot 0 the key "1" + button, slot 1 unbound.
    static void mark()
    {
        for (int p = 0; p < MAX_PLAYERS; p++)
            for (int b = 0; b < MAX_BUTTONS; b++) {
                settings.bindings[p][b][0] = Binding{BIND_KEY, 30 + b % 10, 0, 0, 0};
                settings.bindings[p][b][1] = Binding{};
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
    Pad pad0(0, 2, 10, 1), pad1(1, 2, 10, 1);
    struct Case {
        const char *name;
        int player, row, slot;
        void (*actuate)(Pad &, Pad &, bool down);
        Binding want;
        const char *label;
    } cases[] = {
        {"key K", 0, 4, 0, [](Pad &, Pad &, bool down) { fake_keys[SDL_SCANCODE_K] = down; },
         {BIND_KEY, SDL_SCANCODE_K, 0, 0, 0}, "K  "},
        {"second pad, axis 1 pushed up", 1, 2, 1,
         [](Pad &, Pad &p1, bool down) { p1.axis(1, down ? -32768 : 0); },
         {BIND_AXIS, 0, BIND_AXIS_NEGATIVE, 1, 1}, "J2.Y1-"},
        {"hat up-right", 0, 7, 1, [](Pad &p0, Pad &, bool down) { p0.hat(0, down ? SDL_HAT_RIGHTUP : 0); },
         {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 0}, "J1.H1Up"},
        {"button 2", 1, 11, 0, [](Pad &p0, Pad &, bool down) { p0.button(2, down); },
         {BIND_BUTTON, 0, 2, 0, 0}, "J1.3"},
    };
    gameinfo.players = 2;
    for (const Case &c : cases) {
        mark();
        open_page(c.player);
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
        const int32_t values[5] = {c.want.type, c.want.code, c.want.value, c.want.joyid, c.want.axis};
        for (int f = 0; f < 5; f++) {
            char line[64];
            snprintf(line, sizeof line, "btn_%d_%d_%d_%s=%d", c.player, c.row, c.slot, fields[f], values[f]);
            EXPECT_TRUE(has_line(conf, line)) << c.name << ": " << line;
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
    EXPECT_EQ(3 * 10 + 1, capture_button * 10 + capture_slot) << "capture moved to row 3, slot 1";
    expect_cells("capture moved");

    press_escape();
    EXPECT_EQ(-1, capture_button) << "Escape cancels";
    EXPECT_TRUE(xgui_is_open()) << "and leaves the menu open";
    expect_cells("after Escape");

    click(k.cell[5][0]);
    click(k.back);
    EXPECT_EQ(-1, capture_button) << "Back cancels";
    EXPECT_EQ(MENU_PAGE, xgui_page);
    expect_cells("after Back");

    // Closing the menu leaves the capture waiting; the next key completes it even so.
    click(menu_widgets.change_keys);
    click(k.cell[6][1]);
    press(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    EXPECT_FALSE(xgui_is_open());
    EXPECT_EQ(6, capture_button) << "the right button leaves the capture pending";
    tap(SDL_SCANCODE_Q);
    EXPECT_EQ(-1, capture_button);
    EXPECT_EQ(str(Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0}), str(settings.bindings[0][6][1]));
    expect_cells("captured with the menu closed");
    press_escape();
    EXPECT_TRUE(xgui_is_open()) << "Escape without a capture opens the menu";
}

TEST_F(KeysPage, PresetAndClearAfterOkForThePlayerShown)
{
    struct Case { const char *name; bool donf; int player; bool clear; } cases[] = {
        {"preset player 2", false, 1, false},
        // res/donf holds both players; Preset once rewrote the other player's bindings too.
        {"preset player 2 with res/donf", true, 1, false},
        {"preset player 1 with res/donf", true, 0, false},
        {"clear player 2", false, 1, true},
        {"clear player 1 with res/donf", true, 0, true},
    };
    gameinfo.players = 2;
    for (const Case &c : cases) {
        if (c.donf)
            res->write("res/donf", "btn_0_0_0_type=1\nbtn_0_0_0_code=40\nbtn_1_0_0_type=1\nbtn_1_0_0_code=41\n");
        else
            res->remove("res/donf");
        mark();
        open_page(c.player);
        res->remove("res/conf");
        int32_t action = c.clear ? keys_widgets.clear : keys_widgets.preset;
        click(action);
        EXPECT_TRUE(xgui_widgets[xgui_confirm].visible) << c.name << ": OK? shows";
        EXPECT_LT(xgui_widgets[xgui_confirm].x, xgui_widgets[action].x) << c.name << ": to the left";
        click_nothing();
        EXPECT_TRUE(marked(0) && marked(1)) << c.name << ": nothing without OK?";
        EXPECT_FALSE(res->exists("res/conf")) << c.name;
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
        std::string line = "btn_" + std::to_string(c.player) + "_0_0_type=" + std::to_string(mine[0][0].type);
        EXPECT_TRUE(has_line(res->read("res/conf"), line)) << c.name << ": written at once: " << line;
        expect_cells(c.name);
        xgui_set_open(false);
    }
}

TEST_F(KeysPage, RowsBeyondFifteenAreReachableInGroups)
{
    struct Case { int count, rows; } cases[] = {{15, 15}, {16, 16}, {40, 32}};
    for (const Case &c : cases) {
        fixture_buttons = c.count;
        strcpy(gameinfo.btnname[4], "Jump");
        open_page();
        const KeysWidgets &k = keys_widgets;
        ASSERT_EQ(c.rows, k.rows) << c.count;
        EXPECT_EQ("Up.." + text(k.row_label[4]), text(k.row_label[0]) + "Jump..") << "the game's name wins";
        EXPECT_EQ(-1, k.player[1]) << "one player: no Player 2";
        EXPECT_EQ(c.rows > KEYS_ROWS_PER_GROUP, k.more >= 0) << c.count << " buttons: More keys";
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
            int last = SDL_min(g * KEYS_ROWS_PER_GROUP + KEYS_ROWS_PER_GROUP, c.rows) - 1;
            click(k.cell[last][1]);
            EXPECT_EQ(last * 10 + 1, capture_button * 10 + capture_slot) << c.count << " buttons, group " << g;
            press_escape();
            if (k.more >= 0)
                click(k.more);
        }
        EXPECT_EQ(0, keys_group) << "More keys wraps around";
        if (c.rows == MAX_BUTTONS) {
            click(k.more);
            click(k.more);
            click(k.cell[31][1]);
            tap(SDL_SCANCODE_L);
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
