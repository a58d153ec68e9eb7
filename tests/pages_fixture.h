// Input and the overlay pages built in process (support/overlay_window.h), the component's
// button calls recorded instead of sent, the devices' reading written by the test, a throw-away
// res/ as exe_dir, and the running state put back after each test.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <SDL.h>
#include "app/events.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "record/ox_core.h"
#include "host/running.h"
#include "input/capture.h"
#include "input/devices.h"
#include "input/input.h"
#include "input/pad_nav.h"
#include "support/binding_text.h"
#include "support/button_recorder.h"
#include "support/key_event.h"
#include "support/kept_state.h"
#include "support/overlay_window.h"
#include "support/res_dir.h"
#include "support/sim_pad.h"
#include "video/video_state.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

class Pages : public ::testing::Test {
protected:
    static inline OverlayWindow *overlay;
    KeptVideo test_video;   // as the suite set it, back after each test
    KeptRunning test_running;
    ResDir *res = nullptr;
    uint64_t now = 100000;   // the pads' clock, ms
    static void SetUpTestSuite()
    {
        overlay = new OverlayWindow;
        ASSERT_TRUE(overlay->open()) << SDL_GetError();
    }
    static void TearDownTestSuite() { delete overlay; }
    void SetUp() override
    {
        res = new ResDir;
        devices() = Devices{};
        fixture_buttons = 12;
        sent_buttons.clear();
        settings = Settings();
        settings_set_defaults();
        settings.fullscreen = false;
        gameinfo.players = 1;
        capture_button = -1;
        capture_slot = 0;
        shown_player = 0;
        pad_nav_poll(now);   // forget what an earlier test left held
    }
    void TearDown() override
    {
        xgui_set_open(false);
        devices() = Devices{};
        capture_button = -1;
        delete res;
    }
    static void build_and_open()
    {
        pages_build();
        menu_toggle();
    }
    // One loop pass of the overlay and the input step, pointer at (x, y).
    static void frame(int32_t x, int32_t y, int32_t click)
    {
        xgui_update(x, y, click);
        if (xgui_is_open())
            menu_react();
        if (input_step(menu_hides_game()))
            keys_page_show_labels();
    }
    // One loop pass in the loop's order, the pointer resting away from every widget.
    void pass(uint64_t ms = 50)
    {
        now += ms;
        menu_nav_pads(now);
        frame(5, 5, 0);
    }
    // A key pressed or let go, with modifiers mod, through the event dispatch.
    static void key(SDL_Scancode code, bool down = true, Uint16 mod = KMOD_NONE)
    {
        devices().key[code] = down;
        handle_event(key_event(code, down, mod));
    }
    // A key pressed and let go.
    static void tap(SDL_Scancode code)
    {
        key(code);
        key(code, false);
    }
    // A pass, then whether the game got its button pressed.
    bool game_presses(int button)
    {
        sent_buttons.clear();
        pass();
        return sent_buttons.at(button).pressed;
    }
    // A click just inside a widget's text, then a pass with the pointer resting.
    static void click(int32_t index)
    {
        ASSERT_GE(index, 0);
        const xgui_widget &w = xgui_widgets[index];
        const int32_t x = xgui_text_start(w) + 2;
        const int32_t y = w.y + xgui_font.cell_h / 2;
        frame(x, y, 1);
        frame(x, y, 0);
    }
    static std::string text(int32_t index) { return xgui_widgets[index].text; }
};
