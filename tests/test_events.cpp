// The event dispatch: pointer mapping, hotkeys with their slots and window modes, the menu
// gestures and joystick hot-plugging, driven by synthetic events under the dummy driver.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "app/events.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/capture.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "video/window_mode.h"
#include "xgui/xgui.h"

TEST(MapPointer, MapsOutputsOntoTheCentred16by9Area)
{
    struct Case {
        int w, h, x, y, px, py;
    } cases[] = {
        {1920, 1080, 0, 0, 0, 0},        {1920, 1080, 1919, 1079, 1919, 1079},
        {640, 480, 0, 0, 238, 0},        {640, 480, 639, 479, 1676, 1077},
        {640, 480, 320, 240, 958, 540},  {2560, 1080, 0, 540, -320, 540},
        {2560, 1080, 2559, 0, 2239, 0},  {2560, 1080, 1280, 0, 960, 0},
        {1, 1, 0, 0, 0, 0},
    };
    for (const Case &c : cases) {
        int px = -1, py = -1;
        ASSERT_TRUE(map_pointer(c.x, c.y, c.w, c.h, &px, &py));
        EXPECT_EQ(px, c.px) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
        EXPECT_EQ(py, c.py) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
    }
    for (int h : {0, -1080}) {
        int px = 7, py = 8;
        EXPECT_FALSE(map_pointer(10, 10, 1920, h, &px, &py)) << "height " << h;
        EXPECT_EQ(px, 7);
        EXPECT_EQ(py, 8);
    }
}

class Events : public ::testing::Test {
protected:
    ResDir res;

    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0)
            << SDL_GetError();
        gamestate.window = SDL_CreateWindow("", 0, 0, 10, 10, 0);
        gamestate.renderer = SDL_CreateRenderer(gamestate.window, -1, SDL_RENDERER_SOFTWARE);
        gamestate.screen_w = gamestate.raster_w = ox_video_get_screen_width();
        gamestate.screen_h = gamestate.raster_h = ox_video_get_screen_height();
        settings.scale = 3;
        settings.fullscreen = false;
        settings.guide = true;
        settings.smoothing = true;
        capture_button = -1;
        xgui_set_open(false);
        gamestate.paused = false;
        ox_core_init(44100, 0);
        std::string game = std::string(getenv("TEST_DIST_DIR")) + "/res/game";
        ASSERT_TRUE(ox_core_load(game.c_str())) << game;
    }

    void TearDown() override
    {
        ox_core_shut();
        SDL_DestroyTexture(gamestate.frame_texture);
        SDL_DestroyRenderer(gamestate.renderer);
        SDL_DestroyWindow(gamestate.window);
        SDL_free(gamestate.pixels);
        gamestate.frame_texture = nullptr;
        gamestate.renderer = nullptr;
        gamestate.window = nullptr;
        gamestate.pixels = nullptr;
        gamestate.pixels_size = 0;
        for (int i = 0; i < MAX_JOYSTICKS; i++)
            gamestate.joysticks[i] = nullptr;
        SDL_Quit();
    }

    static void key(SDL_Scancode code, Uint16 mod = KMOD_NONE)
    {
        SDL_Event e = {};
        e.type = SDL_KEYDOWN;
        e.key.keysym.scancode = code;
        e.key.keysym.mod = mod;
        handle_event(e);
    }

    static void click(Uint8 button)
    {
        SDL_Event e = {};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.button = button;
        handle_event(e);
    }

    static void drain(void)
    {
        SDL_JoystickUpdate();
        SDL_Event e;
        while (SDL_PollEvent(&e))
            handle_event(e);
    }

    // The picture the component would show now.
    static std::vector<uint8_t> frame(void)
    {
        std::vector<uint8_t> p((size_t)ox_video_get_raster_width() * ox_video_get_raster_height() * 4);
        ox_video_render(p.data());
        return p;
    }
};

TEST_F(Events, MenuGesturesPauseAndCaptureCancel)
{
    click(SDL_BUTTON_LEFT);
    EXPECT_EQ(gamestate.pointer_clicked, 1);

    struct Step {
        SDL_Scancode key;     // or SDL_SCANCODE_UNKNOWN for a right click
        int capture;          // capture_button before the step
        bool open, paused;    // afterwards
    } steps[] = {
        {SDL_SCANCODE_ESCAPE, -1, true, true},      {SDL_SCANCODE_ESCAPE, -1, false, false},
        {SDL_SCANCODE_PAUSE, -1, false, true},      {SDL_SCANCODE_PAUSE, -1, false, false},
        {SDL_SCANCODE_ESCAPE, 3, false, false},     {SDL_SCANCODE_UNKNOWN, 3, true, true},
        {SDL_SCANCODE_UNKNOWN, 3, false, false},    {SDL_SCANCODE_F5, -1, false, false},
    };
    int n = 0;
    for (const Step &s : steps) {
        capture_button = s.capture;
        if (s.key == SDL_SCANCODE_UNKNOWN)
            click(SDL_BUTTON_RIGHT);
        else
            key(s.key);
        EXPECT_EQ(xgui_is_open(), s.open) << "step " << n;
        EXPECT_EQ(gamestate.paused, s.paused) << "step " << n;
        // Escape ends a capture; the right button leaves it pending.
        EXPECT_EQ(capture_button, s.key == SDL_SCANCODE_ESCAPE ? -1 : s.capture) << "step " << n;
        n++;
    }

    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    handle_event(quit);
    EXPECT_TRUE(gamestate.quit);
    gamestate.quit = false;
}

TEST_F(Events, ShiftF2SavesSlotAndPreviewF2LoadsIt)
{
    gamestate.recreate_frame_texture();
    for (int i = 0; i < 30; i++)
        ox_core_emulate();
    ox_video_render(gamestate.pixels);
    std::vector<uint8_t> saved = frame();

    key(SDL_SCANCODE_F2, KMOD_LSHIFT);
    ASSERT_TRUE(res.exists("res/1S"));
    SDL_Surface *preview = SDL_LoadBMP(res.path("res/1P").c_str());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->w, gamestate.screen_w);
    EXPECT_EQ(preview->h, gamestate.screen_h);
    SDL_FreeSurface(preview);

    ox_button_set_state(0, 3, true);   // walk right, so the picture changes
    for (int i = 0; i < 30; i++)
        ox_core_emulate();
    ox_button_set_state(0, 3, false);
    ASSERT_NE(frame(), saved);
    key(SDL_SCANCODE_F2);
    EXPECT_EQ(frame(), saved) << "F2 did not return to the saved moment";

    // F4 to F9, with or without Shift, name no slot; nothing else is written.
    for (int code = SDL_SCANCODE_F4; code <= SDL_SCANCODE_F9; code++) {
        key((SDL_Scancode)code, KMOD_RSHIFT);
        key((SDL_Scancode)code);
    }
    for (const char *name : {"res/0S", "res/2S", "res/3S", "res/8S", "res/3P"})
        EXPECT_FALSE(res.exists(name)) << name;
    EXPECT_FALSE(gamestate.paused);
}

TEST_F(Events, AltReturnSwitchesFullScreenSavesItAndHidesTheCursor)
{
    gamestate.apply_video_settings();
    int w = 0, h = 0;
    SDL_GetWindowSize(gamestate.window, &w, &h);
    EXPECT_EQ(w, 768);
    EXPECT_EQ(h, 672);
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    SDL_GetTextureScaleMode(gamestate.frame_texture, &mode);
    EXPECT_EQ(mode, SDL_ScaleModeLinear) << "smoothing on";

    key(SDL_SCANCODE_RETURN);   // without Alt: nothing
    EXPECT_FALSE(settings.fullscreen);
    key(SDL_SCANCODE_RETURN, KMOD_RALT);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_NE(res.read("res/conf").find("fullscreen=1"), std::string::npos);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE) << "full screen, menu closed";
    key(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "full screen, menu open";
    key(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

    key(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_FALSE(settings.fullscreen);
    EXPECT_NE(res.read("res/conf").find("fullscreen=0"), std::string::npos);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE) << "windowed";
    SDL_GetWindowSize(gamestate.window, &w, &h);
    EXPECT_EQ(w, 768);
    EXPECT_EQ(h, 672);

    // Smoothing picks the frame texture's filtering, except on the GL path.
    settings.smoothing = false;
    gamestate.apply_video_settings();
    SDL_GetTextureScaleMode(gamestate.frame_texture, &mode);
    EXPECT_EQ(mode, SDL_ScaleModeNearest) << "smoothing off";
    gamestate.gl_path = true;
    settings.smoothing = true;
    gamestate.apply_video_settings();
    gamestate.gl_path = false;
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_RENDER_SCALE_QUALITY), "0");
}

TEST_F(Events, JoysticksTakeTheFirstFourSlotsAndLeaveByTheirOwnHandle)
{
    int a = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1);
    drain();
    ASSERT_NE(gamestate.joysticks[0], nullptr);
    EXPECT_NE(gamestate.controllers[0], nullptr);

    // Button 10 of an attached joystick toggles the menu while the guide setting is on.
    SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 1);
    drain();
    EXPECT_TRUE(xgui_is_open());
    SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 0);
    drain();
    settings.guide = false;
    SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 1);
    drain();
    EXPECT_TRUE(xgui_is_open()) << "guide off, yet the menu closed";

    // A re-attached joystick gets a new instance id; removing it must not close slot 1.
    SDL_JoystickDetachVirtual(a);
    drain();
    EXPECT_EQ(gamestate.joysticks[0], nullptr);
    SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1);
    SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1);
    drain();
    SDL_Joystick *second = gamestate.joysticks[1];
    ASSERT_NE(second, nullptr);
    SDL_JoystickDetachVirtual(0);
    drain();
    EXPECT_EQ(gamestate.joysticks[0], nullptr);
    EXPECT_EQ(gamestate.joysticks[1], second);
    EXPECT_TRUE(SDL_JoystickGetAttached(second));

    // Device indexes 4 and up are never opened.
    for (int i = 0; i < 4; i++)
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1);
    drain();
    ASSERT_EQ(SDL_NumJoysticks(), 5);
    SDL_JoystickID fifth = SDL_JoystickGetDeviceInstanceID(4);
    for (int i = 1; i < MAX_JOYSTICKS; i++) {
        ASSERT_NE(gamestate.joysticks[i], nullptr) << "slot " << i;
        EXPECT_NE(SDL_JoystickInstanceID(gamestate.joysticks[i]), fifth) << "slot " << i;
    }
}
