#include "ui/page_widgets.h"

#include <string.h>

#include <type_traits>

#include "config/settings.h"
#include "video/video.h"
#include "xgui/xgui.h"

template <typename Table> static Table unset_table(void)
{
    static_assert(std::is_trivially_copyable<Table>::value, "a table of plain indices");
    Table table;
    memset(&table, 0xff, sizeof table);
    return table;
}

MenuWidgets menu_widgets = unset_table<MenuWidgets>();
KeysWidgets keys_widgets = unset_table<KeysWidgets>();

void page_widgets_unset(void)
{
    menu_widgets = unset_table<MenuWidgets>();
    keys_widgets = unset_table<KeysWidgets>();
}

void pages_build(void)
{
    page_widgets_unset();
    xgui_reset();
    menu_page_build();
    keys_page_build();
}

void pages_sync_checks(void)
{
    const MenuWidgets &m = menu_widgets;
    xgui_set_selected(m.fullscreen, settings.fullscreen);
    // The mode in use: a setting that does not fit the display ticks the scale that does.
    for (int i = 0; i < MENU_WINDOW_SCALES; i++)
        xgui_set_selected(m.window[i], video_window_scale() == MENU_FIRST_WINDOW_SCALE + i);
    xgui_set_selected(m.smooth, settings.smoothing);
    xgui_set_selected(m.stretch, settings.stretch);
    xgui_set_selected(m.shape, settings.shape);
    for (int i = 0; i < MENU_LATENCY_STEPS; i++)
        xgui_set_selected(m.latency[i], settings.latency_ms == MENU_LATENCY_MS[i]);
    xgui_set_selected(m.focus_pause, settings.focus_pause);
    xgui_set_selected(m.less_lag, settings.runahead > 0);
    xgui_set_selected(keys_widgets.guide, settings.guide);
}
