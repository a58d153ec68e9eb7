#include "ui/menu.h"

#include "game/running.h"
#include "input/input.h"
#include "video/window_mode.h"
#include "ui/page_widgets.h"
#include "ui/slot_time.h"
#include "xgui/xgui.h"

void menu_close(void)
{
    xgui_set_open(false);
    // A capture left waiting would take the first key pressed in the game for a cell the
    // user can no longer see.
    keys_page_cancel_capture();
    input_hold_back_held();
    running_set_paused(false);
    update_cursor();
}

void menu_toggle(void)
{
    if (xgui_is_open()) {
        menu_close();
        return;
    }
    xgui_set_open(true);
    slot_times_refresh();   // "Today" may have become "Yesterday" since the last save
    running_set_paused(true);
    update_cursor();
}

void menu_react(void)
{
    // Settings are written before they are applied, and the check marks follow the settings
    // last, so a change made elsewhere (Alt+Return) shows as well.
    menu_page_react();
    keys_page_react_players();
    if (xgui_take(menu_widgets.change_keys))
        keys_page_open();
    keys_page_react();
    pages_sync_checks();
}

bool menu_hides_game(void)
{
    return xgui_is_open() && xgui_current_page() != KEYS_PAGE;
}

bool menu_lends_keys(void)
{
    return xgui_is_open() && xgui_current_page() == KEYS_PAGE && !running_paused();
}
