// Input and the overlay pages built in process: a hidden window with the software renderer,
// the shipped font, the real component, a keyboard array owned by the test, button states
// recorded instead of sent, SDL's virtual joysticks and a throw-away res/ as exe_dir.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <SDL.h>
#include "config/gameinfo.h"
#include "config/settings.h"
#include "record/ox_core.h"
#include "input/capture.h"
#include "input/input.h"
#include "input/labels.h"
#include "support/res_dir.h"
#include "record/gamestate.h"
#include "ui/menu.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

static uint8_t fake_keys[SDL_NUM_SCANCODES];
static const uint8_t *read_fake_keys(int *n)
{
    if (n)
        *n = SDL_NUM_SCANCODES;
    return fake_keys;
}
struct SentButton { int player, button; bool pressed; };
static std::vector<SentButton> sent_buttons;
static void record_button(int player, int button, bool pressed)
{
    sent_buttons.push_back({player, button, pressed});
}
static int fixture_buttons = 12;
static int fixture_button_count(void) { return fixture_buttons; }
// A binding as text, so that a failure shows every field.
static inline std::string str(const Binding &b)
{
    char t[96];
    snprintf(t, sizeof t, "{%i,%i,%i,%i,%i}", b.type, b.code, b.value, b.joyid, b.axis);
    return t;
}
// A virtual joystick opened into a slot of gamestate.joysticks.
struct Pad {
    SDL_Joystick *joy = nullptr;
    int slot;
    Pad(int slot_, int axes, int buttons, int hats, SDL_JoystickType type = SDL_JOYSTICK_TYPE_UNKNOWN)
        : slot(slot_)
    {
        int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        gamestate.joysticks[slot] = joy = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        EXPECT_NE(nullptr, joy) << SDL_GetError();
    }
    ~Pad()
    {
        detach();
        SDL_JoystickClose(joy);
        gamestate.joysticks[slot] = nullptr;
    }
    void axis(int a, int v)
    {
        SDL_JoystickSetVirtualAxis(joy, a, (Sint16)v);
        SDL_JoystickUpdate();
    }
    void hat(int h, int m)
    {
        SDL_JoystickSetVirtualHat(joy, h, (Uint8)m);
        SDL_JoystickUpdate();
    }
    void button(int b, bool down)
    {
        SDL_JoystickSetVirtualButton(joy, b, down);
        SDL_JoystickUpdate();
    }
    void detach()
    {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joy);
        for (int i = 0; i < SDL_NumJoysticks(); i++)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        SDL_JoystickUpdate();
    }
};
// A virtual pad SDL knows as a game controller, opened into slot 0 of both tables.
struct Controller : Pad {
    SDL_GameController *pad = nullptr;
    Controller() : Pad(0, 6, 15, 0, SDL_JOYSTICK_TYPE_GAMECONTROLLER)
    {
        for (int i = 0; i < SDL_NumJoysticks(); i++)
            if (SDL_JoystickGetDeviceInstanceID(i) == SDL_JoystickInstanceID(joy))
                pad = SDL_GameControllerOpen(i);
        gamestate.controllers[0] = pad;
        EXPECT_NE(nullptr, pad) << SDL_GetError();
    }
    ~Controller()
    {
        gamestate.controllers[0] = nullptr;
        SDL_GameControllerClose(pad);
    }
    int raw(SDL_GameControllerButton b) { return SDL_GameControllerGetBindForButton(pad, b).value.button; }
    void press(SDL_GameControllerButton b, bool down) { button(raw(b), down); }
};
class Pages : public ::testing::Test {
protected:
    static inline SDL_Window *window;
    static inline SDL_Renderer *renderer;
    static const int32_t WIN_W = 1920, WIN_H = 1080;
    ResDir *res = nullptr;
    static void SetUpTestSuite()
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER)) << SDL_GetError();
        window = SDL_CreateWindow("pages", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        ASSERT_NE(nullptr, renderer) << SDL_GetError();
        const char *src = getenv("TEST_SOURCE_DIR");
        ASSERT_TRUE(xgui_init((std::string(src ? src : ".") + "/").c_str(), renderer));
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
        gamestate.quit = false;
        gamestate.paused = false;
        capture_button = -1;
        capture_slot = 0;
        shown_player = 0;
    }
    void TearDown() override
    {
        xgui_set_open(false);
        input_keyboard_state = SDL_GetKeyboardState;
        input_send_button = ox_button_set_state;
        input_raw_button_count = ox_button_get_count;
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
        xgui_update(WIN_W, WIN_H, x, y, click);
        if (xgui_is_open())
            menu_react();
        input_step(false);
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
    static void confirm() { click(xgui_confirm); }
    static std::string text(int32_t index) { return xgui_widgets[index].text; }
    static bool has_line(const std::string &t, const std::string &line)
    {
        return ("\n" + t).find("\n" + line + "\n") != std::string::npos;
    }
};
