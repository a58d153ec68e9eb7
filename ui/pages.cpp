#include "ui/pages.h"

#include "config/settings.h"
#include "xgui/xgui.h"

void pages_build(void)
{
    xgui_reset();
    menu_page_build();
    keys_page_build();
}

void pages_sync_checks(void)
{
    const MenuWidgets &m = menu_widgets;
    xgui_set_selected(m.fullscreen, settings.fullscreen);
    for (int i = 0; i < MENU_WINDOW_SCALES; i++)
        xgui_set_selected(m.window[i], !settings.fullscreen &&
                                           settings.scale == MENU_FIRST_WINDOW_SCALE + i);
    xgui_set_selected(m.smooth, settings.smoothing);
    xgui_set_selected(m.stretch, settings.stretch);
    xgui_set_selected(m.shape, settings.shape);
    for (int i = 0; i < MENU_LATENCY_STEPS; i++)
        xgui_set_selected(m.latency[i], settings.latency_ms == MENU_LATENCY_MS[i]);
    xgui_set_selected(m.focus_pause, settings.focus_pause);
    xgui_set_selected(keys_widgets.guide, settings.guide);
}
