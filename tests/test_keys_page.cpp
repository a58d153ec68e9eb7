// The change-keys page through the real toolkit and input step: captures into the right player,
// slot and file line, moving and cancelling, Preset and Clear behind "OK?", rows beyond fifteen
// and their labels cut to their room.
#include "pages_fixture.h"
#include "support/keys_page_driver.h"

class KeysPage : public Pages {};

// Player 2's page: a hat captured into that player, cell and file line alone, and Preset after
// its "OK?" for that player alone (mended fault: Preset once rewrote the other player's
// bindings from res/donf). Choosing player 1 moves the check mark there and shows their
// bindings, which Clear after its "OK?" empties. Each change is written at once.
TEST_F(KeysPage, CapturePresetAndClearActOnThePlayerShown)
{
    gameinfo.players = 2;
    res.write("res/donf", "btn_0_0_0_type=1\nbtn_0_0_0_code=40\nbtn_1_0_0_type=1\nbtn_1_0_0_code=41\n");
    settings.bindings[0][0][0] = {BIND_KEY, SDL_SCANCODE_1, 0, 0, 0};
    open_keys_page(1);
    EXPECT_FALSE(xgui_is_selected(keys_widgets.player[0])) << "player 1 still checked";
    const int32_t cell = keys_widgets.cell[7][1];
    const int32_t up = keys_widgets.cell[0][0];
    click(cell);
    sent_buttons.clear();
    res.remove("res/conf");
    pass();
    EXPECT_TRUE(sent_buttons.empty()) << "button states sent while capturing";
    plain_pad().hat[0] = SDL_HAT_RIGHTUP;
    pass();
    EXPECT_EQ(str({BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 0}), str(settings.bindings[1][7][1]));
    EXPECT_EQ("J1.H1Up", text(cell));
    EXPECT_TRUE(has_line(res.read("res/conf"), "btn_1_7_1_type=3")) << res.read("res/conf");
    click(keys_widgets.preset);
    EXPECT_EQ("none", text(up)) << "Preset before its OK";
    click(xgui_confirm);
    EXPECT_EQ("Esc", text(up)) << "player 2's preset";
    EXPECT_EQ(str({BIND_KEY, SDL_SCANCODE_1, 0, 0, 0}), str(settings.bindings[0][0][0])) << "Preset of player 1";
    EXPECT_TRUE(has_line(res.read("res/conf"), "btn_1_0_0_code=41")) << res.read("res/conf");
    click(keys_widgets.player[0]);
    EXPECT_TRUE(xgui_is_selected(keys_widgets.player[0]));
    EXPECT_EQ("none", text(cell)) << "player 1's own binding";
    click(keys_widgets.clear);
    EXPECT_EQ("1  ", text(up)) << "Clear before its OK";
    click(xgui_confirm);
    EXPECT_EQ("none", text(up)) << "player 1 cleared";
    EXPECT_EQ(str({BIND_KEY, 41, 0, 0, 0}), str(settings.bindings[1][0][0])) << "Clear of player 2";
    EXPECT_TRUE(has_line(res.read("res/conf"), "btn_0_0_0_type=0")) << res.read("res/conf");
}

// A capture moves to the cell clicked last; Escape calls it off, and so does closing the menu
// (mended fault: a capture left pending took the next key pressed in the game). Mended fault:
// a key pressed while a cell waits is the binding; a slot loaded or overwritten, or the game
// set running, would come with it. Escape alone still acts. Pause with the menu open sets the
// game running behind it, to try a binding live.
TEST_F(KeysPage, APendingCaptureMovesTakesTheHotkeysAndEndsWithEscapeOrTheMenu)
{
    open_keys_page();
    click(keys_widgets.cell[0][0]);
    click(keys_widgets.cell[3][1]);
    EXPECT_EQ("???", text(keys_widgets.cell[3][1]));
    EXPECT_NE("???", text(keys_widgets.cell[0][0])) << "the cell clicked first still waits";
    tap(SDL_SCANCODE_PAUSE);
    tap(SDL_SCANCODE_ESCAPE);
    tap(SDL_SCANCODE_PAUSE);
    EXPECT_FALSE(running_paused()) << "Pause did not set the game running behind the menu";
    click(keys_widgets.cell[6][1]);
    menu_toggle();
    devices().key[SDL_SCANCODE_Q] = 1;
    pass();
    EXPECT_EQ(str(Binding{}), str(settings.bindings[0][6][1])) << "captured after the menu closed";
}

// A row's label in a room as wide as another text and slack units more: a label exactly as wide
// as its room is kept whole, and a space left at a cut goes too.
TEST_F(KeysPage, RowNamesAreCutLetterByLetterToTheirRoom)
{
    const struct { const char *name, *room; int32_t slack; const char *label; } cases[] = {
        {"Run", "Run..", 0, "Run.."},
        {"Run", "Run..", -1, "Ru.."},
        {"Jump / Confirm", "Jump / ..", 0, "Jump /.."},
    };
    for (const auto &c : cases) {
        char label[64];
        keys_row_label(label, sizeof label, c.name, xgui_text_width(c.room) + c.slack);
        EXPECT_EQ(std::string(c.label), label) << c.name << " in the room of " << c.room << c.slack;
    }
}

// "More keys" steps through the groups of rows, round to the first; each group is shown alone,
// fits on the overlay and takes its clicks, and the page opens on the first. Mended fault: a
// game's own long button name ran under its first binding cell: it ends a space before it.
TEST_F(KeysPage, RowsBeyondFifteenComeInGroupsUnderNamesCutToFit)
{
    // Narrow letters: the cut lands within a space of the room.
    snprintf(gameinfo.btnname[4], sizeof gameinfo.btnname[4], "%s", std::string(40, 'i').c_str());
    fixture_buttons = 15;
    open_keys_page();
    EXPECT_EQ(-1, keys_widgets.more) << "More keys for one group";
    gameinfo.btnname[4][0] = '\0';
    const xgui_widget &label = xgui_widgets[keys_widgets.row_label[4]];
    const int32_t label_end = label.x + xgui_text_width(label.text);
    EXPECT_LE(label_end + xgui_text_width(" "), xgui_widgets[keys_widgets.cell[4][0]].x) << label.text;
    fixture_buttons = 40;   // more than the table holds
    open_keys_page();
    const KeysWidgets &k = keys_widgets;
    int first = 0;
    for (int last : {14, 29, 31}) {
        for (int b = 0; b < k.rows; b++)
            EXPECT_EQ(first <= b && b <= last, xgui_widgets[k.cell[b][1]].visible) << "row " << b;
        EXPECT_LE(xgui_widgets[k.cell[last][1]].y + xgui_font.cell_h, XGUI_OVERLAY_H) << "row " << last;
        click(k.cell[first][1]);
        EXPECT_EQ(first, capture_row()) << "a click on row " << first;
        tap(SDL_SCANCODE_ESCAPE);
        click(k.more);
        first = last + 1;
    }
    EXPECT_EQ(0, keys_group) << "More keys did not come round";
    click(k.more);
    click(k.back);
    click(menu_widgets.change_keys);
    EXPECT_EQ(0, keys_group) << "the page reopens on the first rows";
}
