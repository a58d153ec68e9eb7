// Page 1 of the overlay: the bindings of the player shown, one row per emulated button with
// two cells, rebound by clicking a cell and actuating the new control.
#include <stdio.h>
#include <string.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "input/capture.h"
#include "input/defaults.h"
#include "input/fixed_controls.h"
#include "input/input.h"
#include "input/labels.h"
#include "ui/page_widgets.h"
#include "xgui/focus.h"
#include "xgui/xgui.h"

#define KEYS_LEFT_X 425            // "Player 1"
#define KEYS_PLAYER2_X 750
#define KEYS_RIGHT_X 1495          // right end of "Back", "Preset", " Clear", "Guide"
#define KEYS_LABEL_X 450
#define KEYS_CELL_X0 670
#define KEYS_CELL_X1 950
#define KEYS_TOP_Y 250
#define KEYS_ROW_Y0 310
#define KEYS_ROW_PITCH 50
#define KEYS_ROW_LABEL_SIZE 128
#define KEYS_ROW_NAME_MAX 125      // longer names are cut so ".." still fits

int32_t keys_group = 0;

static void refresh(void)
{
    bindings_refresh_labels();
    keys_page_show_labels();
}

void keys_page_show_labels(void)
{
    const KeysWidgets &k = keys_widgets;
    for (int b = 0; b < k.rows && b < MAX_BUTTONS; b++)
        for (int s = 0; s < MAX_SLOTS; s++)
            xgui_set_text(k.cell[b][s], binding_label_shown(b, s));
    // A binding just made may have taken fast-forward's button.
    xgui_set_text(k.pad_controls, pad_controls_text(fast_forward_pad_free()));
}

// Shows the rows of the current group and hides the others.
static void show_group(void)
{
    const KeysWidgets &k = keys_widgets;
    for (int b = 0; b < k.rows && b < MAX_BUTTONS; b++) {
        uint8_t shown = b / KEYS_ROWS_PER_GROUP == keys_group;
        xgui_set_visible(k.row_label[b], shown);
        for (int s = 0; s < MAX_SLOTS; s++)
            xgui_set_visible(k.cell[b][s], shown);
    }
    // The pad's fixed controls take the line under the group's last row, where there is one.
    int32_t in_group = k.rows - keys_group * KEYS_ROWS_PER_GROUP;
    xgui_set_visible(k.pad_controls, in_group < KEYS_ROWS_PER_GROUP);
    if (in_group < KEYS_ROWS_PER_GROUP)
        xgui_set_y(k.pad_controls, KEYS_ROW_Y0 + KEYS_ROW_PITCH * (in_group > 0 ? in_group : 0));
}

void keys_row_label(char *text, size_t size, const char *name, int32_t room)
{
    int n = (int)strnlen(name, KEYS_ROW_NAME_MAX);
    snprintf(text, size, "%.*s..", n, name);
    while (n > 0 && xgui_text_width(text) > room) {
        n--;
        while (n > 0 && name[n - 1] == ' ')   // "Jump /..", not "Jump / .."
            n--;
        snprintf(text, size, "%.*s..", n, name);
    }
}

void keys_page_build(void)
{
    KeysWidgets &k = keys_widgets;
    capture_cancel();
    capture_show_player(0);
    keys_group = 0;

    k.player[0] = xgui_add(XGUI_TOGGLE, KEYS_PAGE, KEYS_LEFT_X, KEYS_TOP_Y, "Player 1", 0);
    xgui_set_selected(k.player[0], 1);
    if (gameinfo.players > 1)
        k.player[1] = xgui_add(XGUI_TOGGLE, KEYS_PAGE, KEYS_PLAYER2_X, KEYS_TOP_Y, "Player 2", 0);

    // A component reporting more than the table holds gets its first 32 buttons listed.
    k.rows = input_button_count();
    const int32_t room = KEYS_CELL_X0 - KEYS_LABEL_X - xgui_text_width(" ");
    for (int b = 0; b < k.rows; b++) {
        const char *name = gameinfo.btnname[b][0] ? gameinfo.btnname[b] : ox_button_get_name(b);
        char text[KEYS_ROW_LABEL_SIZE];
        // A game's own long names would run under the row's first binding cell.
        keys_row_label(text, sizeof text, name ? name : "", room);
        int32_t y = KEYS_ROW_Y0 + KEYS_ROW_PITCH * (b % KEYS_ROWS_PER_GROUP);
        k.row_label[b] = xgui_add(XGUI_LABEL, KEYS_PAGE, KEYS_LABEL_X, y, text, 0);
        k.cell[b][0] = xgui_add(XGUI_BUTTON, KEYS_PAGE, KEYS_CELL_X0, y, "", 0);
        k.cell[b][1] = xgui_add(XGUI_BUTTON, KEYS_PAGE, KEYS_CELL_X1, y, "", 0);
    }
    show_group();
    refresh();

    k.back = xgui_add(XGUI_BUTTON, KEYS_PAGE, KEYS_RIGHT_X, KEYS_TOP_Y, "Back", XGUI_ALIGN_RIGHT);
    k.pad_controls = xgui_add(XGUI_LABEL, KEYS_PAGE, KEYS_LABEL_X, KEYS_ROW_Y0,
                              pad_controls_text(fast_forward_pad_free()), 0);
    show_group();
    k.preset = xgui_add(XGUI_CONFIRM, KEYS_PAGE, KEYS_RIGHT_X, 900, "Preset", XGUI_ALIGN_RIGHT);
    k.clear = xgui_add(XGUI_CONFIRM, KEYS_PAGE, KEYS_RIGHT_X, 950, " Clear", XGUI_ALIGN_RIGHT);
    k.guide = xgui_add(XGUI_TOGGLE, KEYS_PAGE, KEYS_RIGHT_X, 1000, "Guide", XGUI_ALIGN_RIGHT);
    if (k.rows > KEYS_ROWS_PER_GROUP)
        k.more = xgui_add(XGUI_BUTTON, KEYS_PAGE, KEYS_RIGHT_X, KEYS_ROW_Y0, "More keys",
                          XGUI_ALIGN_RIGHT);
}

// ---------------------------------------------------------------------------------------
// Reactions

static void show_player(int player)
{
    capture_show_player(player);
    xgui_set_selected(keys_widgets.player[0], player == 0);
    xgui_set_selected(keys_widgets.player[1], player == 1);
    refresh();
}

void keys_page_react_players(void)
{
    if (gameinfo.players <= 1)
        return;
    if (xgui_take(keys_widgets.player[0]))
        show_player(0);
    if (xgui_take(keys_widgets.player[1]))
        show_player(1);
}

void keys_page_open(void)
{
    xgui_set_page(KEYS_PAGE);
    // The press that chose "Change keys" was the menu's, not a binding tried on the game.
    input_hold_back_held();
    capture_cancel();
    keys_group = 0;
    show_group();
    refresh();
}

void keys_page_back(void)
{
    xgui_set_page(MENU_PAGE);
    capture_cancel();
    refresh();
}

void keys_page_cancel_capture(void)
{
    if (capture_cancel())
        refresh();
}

// The player "Preset" and " Clear" act on: the one whose toggle is selected.
static int edited(void)
{
    return keys_widgets.player[1] >= 0 && xgui_is_selected(keys_widgets.player[1]) ? 1 : 0;
}

// The defaults of one player. A game's res/donf holds every player's bindings and loading it
// rewrites them all, which would throw away the other player's own choices; they are kept.
static void preset(int player)
{
    static Binding kept[MAX_PLAYERS][MAX_BUTTONS][MAX_SLOTS];
    memcpy(kept, settings.bindings, sizeof kept);
    bindings_set_defaults(player);
    for (int p = 0; p < MAX_PLAYERS; p++)
        if (p != player)
            memcpy(settings.bindings[p], kept[p], sizeof kept[p]);
}

void keys_page_react(void)
{
    KeysWidgets &k = keys_widgets;
    if (xgui_take(k.back))
        keys_page_back();
    if (xgui_take(k.preset)) {
        preset(edited());
        settings_save();
        refresh();
    }
    if (xgui_take(k.clear)) {
        bindings_clear(edited());
        settings_save();
        refresh();
    }
    if (xgui_take(k.guide)) {
        settings.guide = !settings.guide;
        settings_save();
    }
    if (xgui_take(k.more)) {
        int groups = (k.rows + KEYS_ROWS_PER_GROUP - 1) / KEYS_ROWS_PER_GROUP;
        keys_group = groups > 0 ? (keys_group + 1) % groups : 0;
        show_group();
    }
    for (int b = 0; b < k.rows && b < MAX_BUTTONS; b++) {
        for (int s = 0; s < MAX_SLOTS; s++) {
            if (!xgui_take(k.cell[b][s]))
                continue;
            // A key or pad button that chose the cell may still be down: it is not the answer.
            capture_begin(b, s, xgui_pressed_by_focus());
            refresh();
            break;    // the row's other cell waits for another frame
        }
    }
}
