// The two overlay pages built for real in process: a hidden window with the software
// renderer, the shipped font and backdrop, the real component, a keyboard array owned by the
// test, button states recorded instead of sent, and a throw-away res/ as exe_dir. The
// toolkit is driven by pointer positions and clicks at the widgets' own coordinates.
#pragma once

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <SDL.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/capture.h"
#include "input/input.h"
#include "input/labels.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "xgui/menu.h"
#include "xgui/pages.h"
#include "xgui/xgui.h"

static uint8_t fake_keys[SDL_NUM_SCANCODES];
static const uint8_t *read_fake_keys(int *numkeys)
{
    if (numkeys)
        *numkeys = SDL_NUM_SCANCODES;
    return fake_keys;
}

struct SentButton { int player, button; bool pressed; };
static std::vector<SentButton> sent_buttons;
static void record_button(int player, int button, bool pressed)
{
    sent_buttons.push_back(SentButton{player, button, pressed});
}

static int fixture_buttons = 12;
static int fixture_button_count(void) { return fixture_buttons; }

class Pages : public ::testing::Test {
protected:
    static SDL_Window *window;
    static SDL_Renderer *renderer;
    static const int32_t WIN_W = 1920, WIN_H = 1080;
    ResDir *res = nullptr;

    static void SetUpTestSuite()
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK)) << SDL_GetError();
        window = SDL_CreateWindow("pages", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        ASSERT_NE(nullptr, renderer) << SDL_GetError();
        const char *src = getenv("TEST_SOURCE_DIR");
        std::string dir = std::string(src ? src : ".") + "/";
        ASSERT_TRUE(xgui_init(dir.c_str(), renderer)) << "shipped res/font and res/overlay";
        gamestate.window = window;
        gamestate.renderer = renderer;
    }
    static void TearDownTestSuite()
    {
        xgui_reset();
        xgui_free();
        binding_labels_shown = nullptr;
        // The GameState destructor runs at exit and must not release these a second time.
        gamestate.frame_texture = nullptr;
        gamestate.window = nullptr;
        gamestate.renderer = nullptr;
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
    }

    void SetUp() override
    {
        res = new ResDir;
        memset(fake_keys, 0, sizeof fake_keys);
        input_keyboard_state = read_fake_keys;
        input_send_button = record_button;
        input_raw_button_count = fixture_button_count;
        fixture_buttons = 12;
        sent_buttons.clear();
        settings = Settings();
        settings_set_defaults();
        settings.fullscreen = false;
        gameinfo.players = 1;
        gameinfo.padstyle = 0;
        memset(gameinfo.btnname, 0, sizeof gameinfo.btnname);
        gamestate.quit = false;
        gamestate.paused = false;
    }
    void TearDown() override
    {
        if (xgui_is_open())
            xgui_set_open(false);
        input_keyboard_state = SDL_GetKeyboardState;
        input_send_button = ox_button_set_state;
        input_raw_button_count = ox_button_get_count;
        capture_button = -1;
        delete res;
    }

    // Builds both pages as start-up does and opens the menu on page 0.
    static void build_and_open()
    {
        pages_build();
        menu_toggle();
    }

    // One loop pass of the overlay and the input step, pointer at (x, y).
    static void frame(int32_t x, int32_t y, int32_t click)
    {
        xgui_update(WIN_W, WIN_H, x, y, click);
        if (xgui_is_open())
            menu_react();
        input_step();
    }
    // A point inside a widget's hit box: just after the start of its text, mid-line.
    static void point_in(int32_t index, int32_t *x, int32_t *y)
    {
        const xgui_widget &w = xgui_widgets[index];
        *x = xgui_text_start(w) + 2;
        *y = w.y + xgui_font.cell_h / 2;
    }
    // A click on a widget, then a pass without a click (as the pointer rests there).
    static void click(int32_t index)
    {
        ASSERT_GE(index, 0);
        int32_t x, y;
        point_in(index, &x, &y);
        frame(x, y, 1);
        frame(x, y, 0);
    }
    // A click on "OK?" where the toolkit placed it.
    static void confirm() { click(xgui_confirm); }
    static void click_nothing() { frame(5, 5, 1); frame(5, 5, 0); }
    static std::string text(int32_t index) { return xgui_widgets[index].text; }
};

SDL_Window *Pages::window;
SDL_Renderer *Pages::renderer;
