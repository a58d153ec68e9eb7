// The event dispatch: pointer mapping, hotkeys, window modes, the menu gestures and joystick
// hot-plugging, driven by synthetic events under the dummy driver.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>

#include "app/events.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/capture.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "xgui/xgui.h"

TEST(MapPointer, MapsOutputsOntoTheCentred16by9Area)
{
    struct Case { int w, h, x, y, px, py; } cases[] = {
        {1920, 1080, 0, 0, 0, 0},       {1920, 1080, 1919, 1079, 1919, 1079},
        {640, 480, 0, 0, 238, 0},       {640, 480, 639, 479, 1676, 1077},   {640, 480, 320, 240, 958, 540},
        {2560, 1080, 0, 540, -320, 540}, {2560, 1080, 2559, 0, 2239, 0},    {2560, 1080, 1280, 0, 960, 0},
    };
    for (const Case &c : cases) {
        int px = -1, py = -1;
        ASSERT_TRUE(map_pointer(c.x, c.y, c.w, c.h, &px, &py));
        EXPECT_EQ(c.px, px) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
        EXPECT_EQ(c.py, py) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
    }
    int px = 7, py = 8;
    EXPECT_FALSE(map_pointer(10, 10, 1920, 0, &px, &py)) << "no height";
    EXPECT_EQ(7, px);
    EXPECT_EQ(8, py);
}

class Events : public ::testing::Test {
protected:
    ResDir res;

    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        gamestate.window = SDL_CreateWindow("", 0, 0, 10, 10, 0);
        gamestate.renderer = SDL_CreateRenderer(gamestate.window, -1, SDL_RENDERER_SOFTWARE);
        gamestate.screen_w = gamestate.raster_w = ox_video_get_screen_width();
        gamestate.screen_h = gamestate.raster_h = ox_video_get_screen_height();
        settings.scale = 3;
        settings.fullscreen = false;
        settings.guide = settings.smoothing = true;
        capture_button = -1;
        xgui_set_open(false);
        gamestate.paused = false;
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load((std::string(getenv("TEST_DIST_DIR")) + "/res/game").c_str()));
    }

    void TearDown() override
    {
        ox_core_shut();
        SDL_DestroyTexture(gamestate.frame_texture);
        SDL_DestroyRenderer(gamestate.renderer);
        SDL_DestroyWindow(gamestate.window);
        SDL_free(gamestate.pixels);
        SDL_Quit();   // closes the joysticks too
        GameState &g = gamestate;
        g.frame_texture = nullptr, g.renderer = nullptr, g.window = nullptr, g.pixels = nullptr, g.pixels_size = 0;
        memset(g.joysticks, 0, sizeof g.joysticks);
    }

    static void key(SDL_Scancode code, Uint16 mod = KMOD_NONE)
    {
        SDL_Event e = {};
        e.type = SDL_KEYDOWN;
        e.key.keysym.scancode = code;
        e.key.keysym.mod = mod;
        handle_event(e);
    }

    static void drain(void)
    {
        SDL_JoystickUpdate();
        SDL_Event e;
        while (SDL_PollEvent(&e))
            handle_event(e);
    }
};

TEST_F(Events, MenuGesturesPauseCaptureCancelAndUnusedFunctionKeys)
{
    struct Step {
        SDL_Scancode key;     // SDL_SCANCODE_UNKNOWN: a right click
        int capture;          // capture_button before the step
        bool open, paused;    // afterwards
    } steps[] = {
        {SDL_SCANCODE_ESCAPE, -1, true, true},      {SDL_SCANCODE_ESCAPE, -1, false, false},
        {SDL_SCANCODE_UNKNOWN, -1, true, true},     {SDL_SCANCODE_UNKNOWN, -1, false, false},
        {SDL_SCANCODE_PAUSE, -1, false, true},      {SDL_SCANCODE_PAUSE, -1, false, false},
        {SDL_SCANCODE_ESCAPE, 3, false, false},     {SDL_SCANCODE_UNKNOWN, 3, true, true},
        {SDL_SCANCODE_UNKNOWN, 3, false, false},
    };
    for (const Step &s : steps) {
        const int n = (int)(&s - steps);
        capture_button = s.capture;
        SDL_Event e = {};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.button = SDL_BUTTON_RIGHT;
        if (s.key == SDL_SCANCODE_UNKNOWN)
            handle_event(e);
        else
            key(s.key);
        EXPECT_EQ(s.open, xgui_is_open()) << "step " << n;
        EXPECT_EQ(s.paused, gamestate.paused) << "step " << n;
        // Escape ends a capture; the right button leaves it pending.
        EXPECT_EQ(s.key == SDL_SCANCODE_ESCAPE ? -1 : s.capture, capture_button) << "step " << n;
    }
    capture_button = -1;

    // F4 to F9, with or without Shift, name no slot: nothing is written, nothing changes.
    for (int code = SDL_SCANCODE_F4; code <= SDL_SCANCODE_F9; code++) {
        key((SDL_Scancode)code, KMOD_RSHIFT);
        key((SDL_Scancode)code);
    }
    for (const char *name : {"res/3S", "res/3P", "res/8S", "res/0S", "res/0P"})
        EXPECT_FALSE(res.exists(name)) << name;
    EXPECT_FALSE(gamestate.paused);
    EXPECT_FALSE(xgui_is_open());
}

TEST_F(Events, AltReturnSwitchesFullScreenSavesItAndHidesTheCursor)
{
    gamestate.apply_video_settings();
    key(SDL_SCANCODE_RETURN);   // without Alt: nothing
    EXPECT_FALSE(settings.fullscreen);
    key(SDL_SCANCODE_RETURN, KMOD_RALT);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_NE(std::string::npos, res.read("res/conf").find("fullscreen=1")) << res.read("res/conf");
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "full screen, menu closed";
    key(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "full screen, menu open";
    key(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(SDL_DISABLE, SDL_ShowCursor(SDL_QUERY)) << "full screen, menu closed again";
    key(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_NE(std::string::npos, res.read("res/conf").find("fullscreen=0")) << res.read("res/conf");
    EXPECT_EQ(SDL_ENABLE, SDL_ShowCursor(SDL_QUERY)) << "windowed";
}

TEST_F(Events, JoysticksTakeTheFirstFourSlotsAndLeaveByTheirOwnHandle)
{
    auto attach = [] { return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1); };
    int a = attach();
    drain();
    ASSERT_NE(nullptr, gamestate.joysticks[0]);
    EXPECT_NE(nullptr, gamestate.controllers[0]);

    // Button 10 toggles the menu while the guide setting is on.
    for (bool guide : {true, false}) {
        settings.guide = guide;
        SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 1);
        drain();
        SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 0);
        drain();
        EXPECT_TRUE(xgui_is_open()) << "guide " << guide;   // opened, then left open
    }

    // Mended fault: a removal names an instance id, not a device index. A re-attached
    // joystick gets a new id; removing the one in slot 0 must not close slot 1.
    SDL_JoystickDetachVirtual(a);
    drain();
    EXPECT_EQ(nullptr, gamestate.joysticks[0]);
    attach();
    attach();
    drain();
    SDL_Joystick *second = gamestate.joysticks[1];
    ASSERT_NE(nullptr, second);
    SDL_JoystickDetachVirtual(0);
    drain();
    EXPECT_EQ(nullptr, gamestate.joysticks[0]);
    EXPECT_EQ(second, gamestate.joysticks[1]);
    EXPECT_TRUE(SDL_JoystickGetAttached(second));

    // Device indexes 4 and up are never opened.
    for (int i = 0; i < 4; i++)
        attach();
    drain();
    ASSERT_EQ(5, SDL_NumJoysticks());
    SDL_JoystickID fifth = SDL_JoystickGetDeviceInstanceID(4);
    for (int i = 1; i < MAX_JOYSTICKS; i++) {
        ASSERT_NE(nullptr, gamestate.joysticks[i]) << "slot " << i;
        EXPECT_NE(fifth, SDL_JoystickInstanceID(gamestate.joysticks[i])) << "slot " << i;
    }
}
