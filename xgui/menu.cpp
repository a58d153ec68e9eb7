#include "xgui/menu.h"

#include "video/gamestate.h"
#include "video/window_mode.h"
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
}
