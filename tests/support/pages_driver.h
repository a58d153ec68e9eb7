// Driving the overlay's pages and the input step through the loop's own pass body (loop_step),
// without events from SDL, a picture or sound, and without emulating: passes, keys through the
// event dispatch, clicks on widgets. The overlay must be open
// (support/overlay_window.h) and the component's button calls recorded
// (support/button_recorder.h).
#pragma once

#include <gtest/gtest.h>
#include <string>

#include <SDL.h>

#include "app/events.h"
#include "app/loop.h"
#include "input/input.h"
#include "support/key_event.h"
#include "support/sim_pad.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

// The pads' clock, ms.
inline uint64_t pages_now_ms = 100000;

inline void build_and_open()
{
    pages_build();
    menu_toggle();
}

// One loop pass, pointer at (x, y).
inline void frame(int32_t x, int32_t y, int32_t click)
{
    loop_step(LoopInput{Pointer{x, y, click != 0}, pages_now_ms, 0, nullptr});
}

// One loop pass ms after the last, the pointer resting away from every widget.
inline void pass(uint64_t ms = 50)
{
    pages_now_ms += ms;
    frame(5, 5, 0);
}

// A key pressed or let go, with modifiers mod, through the event dispatch.
inline void key(SDL_Scancode code, bool down = true, Uint16 mod = KMOD_NONE)
{
    devices().key[code] = down;
    handle_event(key_event(code, down, mod));
}

// A key pressed and let go.
inline void tap(SDL_Scancode code)
{
    key(code);
    key(code, false);
}

// A key pressed, then a pass that acts on it.
inline void press(SDL_Scancode code)
{
    key(code);
    pass();
}

// A pass with the pointer resting on a widget's text.
inline void rest_on(int32_t index)
{
    const xgui_widget &w = xgui_widgets[index];
    frame(xgui_text_start(w) + 2, w.y + xgui_font.cell_h / 2, 0);
}

// A pass, then whether the game got its button pressed.
inline bool game_presses(int button)
{
    sent_buttons.clear();
    pass();
    return sent_buttons.at(button).pressed;
}

// A click just inside a widget's text, then a pass with the pointer resting.
inline void click(int32_t index)
{
    ASSERT_GE(index, 0);
    const xgui_widget &w = xgui_widgets[index];
    const int32_t x = xgui_text_start(w) + 2;
    const int32_t y = w.y + xgui_font.cell_h / 2;
    frame(x, y, 1);
    frame(x, y, 0);
}

inline std::string text(int32_t index)
{
    return xgui_widgets[index].text;
}
