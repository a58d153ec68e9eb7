// Input and the overlay pages built in process: a hidden window with the software renderer,
// the shipped font, the component's button calls recorded instead of sent, the devices' reading
// written by the test, a throw-away res/ as exe_dir, and the running state put back after each
// test.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <SDL.h>
#include "config/gameinfo.h"
#include "config/settings.h"
#include "record/ox_core.h"
#include "host/running.h"
#include "input/capture.h"
#include "input/devices.h"
#include "input/input.h"
#include "input/pad_nav.h"
#include "support/kept_state.h"
#include "support/res_dir.h"
#include "support/test_window.h"
#include "video/video_state.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "support/key_event.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

struct SentButton { int player, button; bool pressed; };
static std::vector<SentButton> sent_buttons;
static int fixture_buttons = 12;
// The component's button calls, replaced at link time: the states sent are recorded, and the
// count is the fixture's.
void ox_button_set_state(int player, int button, bool pressed) { sent_buttons.push_back({player, button, pressed}); }
int ox_button_get_count(void) { return fixture_buttons; }
// A binding as text, so that a failure shows every field.
static inline std::string str(const Binding &b)
{
    char t[96];
    snprintf(t, sizeof t, "{%i,%i,%i,%i,%i}", b.type, b.code, b.value, b.joyid, b.axis);
    return t;
}
// The pass's reading of the devices, as the test sets it.
static inline Devices &devices() { return input_devices(); }
// A plain joystick with two axes, one hat and ten buttons, all at rest.
static inline PadState pad_at_rest()
{
    PadState p = {};
    p.joystick = true;
    p.axes = 2;
    p.hats = 1;
    p.buttons = INPUT_JOY_BUTTONS;
    return p;
}
// Such a joystick put into slot 0 of the pass's reading.
static inline PadState &plain_pad() { return devices().pad[0] = pad_at_rest(); }
class Pages : public ::testing::Test {
protected:
    static inline TestWindow *win;
    static inline KeptVideo *suite_video;   // as before the suite, back after it
    KeptVideo test_video;                   // as the suite set it, back after each test
    KeptRunning test_running;
    ResDir *res = nullptr;
    uint64_t now = 100000;   // the pads' clock, ms
    static void SetUpTestSuite()
    {
        suite_video = new KeptVideo;
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER)) << SDL_GetError();
        win = new TestWindow;
        ASSERT_TRUE(win->open(64, 64)) << SDL_GetError();
        ASSERT_TRUE(xgui_init(source_file("").c_str(), win->renderer));
        video_state().window = win->window;
        video_state().renderer = win->renderer;
    }
    static void TearDownTestSuite()
    {
        xgui_reset();
        xgui_free();
        delete win;
        delete suite_video;
        SDL_Quit();
    }
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
    // A key pressed or let go, with its event.
    static void key(SDL_Scancode code, bool down, bool repeat = false)
    {
        devices().key[code] = down;
        SDL_Event e = key_event(code, down);
        e.key.repeat = repeat;
        menu_nav_key(e.key);
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
    static bool has_line(const std::string &t, const std::string &line)
    {
        return ("\n" + t).find("\n" + line + "\n") != std::string::npos;
    }
};
