#include "ui/pages.h"

#include "config/settings.h"
#include "video/video.h"
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
    // The mode in use: a setting that does not fit the display ticks the scale that does.
    for (int i = 0; i < MENU_WINDOW_SCALES; i++)
        xgui_set_selected(m.window[i], video_window_scale() == MENU_FIRST_WINDOW_SCALE + i);
    xgui_set_selected(m.smooth, settings.smoothing);
    xgui_set_selected(m.stretch, settings.stretch);
    for (int i = 0; i < MENU_LATENCY_STEPS; i++)
        xgui_set_selected(m.latency[i], settings.latency_ms == MENU_LATENCY_MS[i]);
    xgui_set_selected(m.focus_pause, settings.focus_pause);
    xgui_set_selected(keys_widgets.guide, settings.guide);
}
