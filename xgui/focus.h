// The focus of the open page, for players without a mouse: one activatable widget at a time,
// moved by direction over the 1920 x 1080 layout and activated as a click would. It is shown
// as hover is shown. Nothing here knows the pages: the caller names each page's first widget.
#pragma once

#include <stdint.h>

// A widget the focus may rest on: a button, confirm button or toggle on the current page
// (or every page), visible, and not the "OK?" prompt.
bool xgui_focusable(int32_t index);

// Moves the focus one step: dx and dy are -1, 0 or 1 (one of them non-zero). Without a focus
// the step only shows it, on home when that is focusable, otherwise on the first focusable
// widget. Otherwise the focus goes to the nearest focusable widget wholly beyond the focused
// one in that direction (one sharing its row or column first), wrapping round to the far
// edge when there is none. A move that changes the focus drops a pending confirmation.
// True when the focus changed.
bool xgui_focus_move(int32_t dx, int32_t dy, int32_t home);

// Asks the next xgui_update to activate the focused widget as a click on it would, except
// that an armed confirm button is confirmed by it (its second activation). Without a focus it
// only shows the focus on home, as a first move does.
void xgui_focus_activate(int32_t home);

// The last update's click came from xgui_focus_activate, not from the pointer.
bool xgui_pressed_by_focus(void);

// For xgui_update: the widget xgui_focus_activate asked to press, once; otherwise -1.
int32_t xgui_focus_take_press(void);
