#include "xgui/menu.h"

#include "video/gamestate.h"
#include "video/window_mode.h"
#include "xgui/pages.h"
#include "xgui/xgui.h"

void menu_toggle(void)
{
    bool open = !xgui_is_open();
    xgui_set_open(open);
    gamestate.paused = open;
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
