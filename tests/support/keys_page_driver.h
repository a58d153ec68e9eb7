// Reaching the change-keys page the way a user does, for its tests (the Pages fixture of
// tests/pages_fixture.h set up).
#pragma once

#include <gtest/gtest.h>

#include "support/pages_driver.h"
#include "ui/page_widgets.h"
#include "xgui/xgui.h"

// The menu built afresh and opened, "Change keys" clicked, and "Player 2" too for player 1.
inline void open_keys_page(int player = 0)
{
    xgui_set_open(false);
    build_and_open();
    click(menu_widgets.change_keys);
    if (player == 1)
        click(keys_widgets.player[1]);
    ASSERT_EQ(KEYS_PAGE, xgui_current_page());
}
