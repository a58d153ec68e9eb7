// The event dispatch: pointer mapping, unused hotkeys and joystick hot-plugging, driven by
// synthetic events under the dummy driver.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "app/events.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "xgui/xgui.h"

TEST(MapPointer, MapsOutputsOntoTheCentred16by9Area)
{
    struct Case { int w, h, x, y, px, py; } cases[] = {
        {1920, 1080, 0, 0, 0, 0},       {1920, 1080, 1919, 1079, 1919, 1079},
        {640, 480, 0, 0, 238, 0},       {640, 480, 639, 479, 1676, 1077},   {640, 480, 320, 240, 958, 540},
        {2560, 1080, 0, 540, -320, 540}, {2560, 1080, 2559, 0, 2239, 0},    {2560, 1080, 1280, 0, 960, 0},
        {1920, 0, 10, 10, 7, 8},        // no height: false, the point untouched
    };
    for (const Case &c : cases) {
        int px = 7, py = 8;
        const bool mapped = map_pointer(c.x, c.y, c.w, c.h, &px, &py);
        EXPECT_EQ(std::to_string(c.h > 0) + " " + std::to_string(c.px) + "," + std::to_string(c.py),
                  std::to_string(mapped) + " " + std::to_string(px) + "," + std::to_string(py))
            << c.w << "x" << c.h << " at " << c.x << "," << c.y;
    }
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
        settings.fullscreen = false;
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
};

TEST_F(Events, UnusedFunctionKeysDoNothing)
{
    // F4 to F9, with or without Shift, name no slot: nothing is written, nothing changes.
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    for (int code = SDL_SCANCODE_F4; code <= SDL_SCANCODE_F9; code++)
        for (Uint16 mod : {KMOD_NONE, KMOD_RSHIFT}) {
            key.key.keysym.scancode = (SDL_Scancode)code, key.key.keysym.mod = mod;
            handle_event(key);
        }
    for (const char *name : {"res/3S", "res/3P", "res/8S", "res/0S", "res/0P", "res/conf"})
        EXPECT_FALSE(res.exists(name)) << name << " written";
    EXPECT_FALSE(gamestate.paused || xgui_is_open() || settings.fullscreen) << "F4-F9 changed the state";
}
TEST_F(Events, JoysticksTakeTheFirstFourSlotsAndLeaveByTheirOwnHandle)
{
    auto attach = [] { return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1); };
    auto drain = [] { SDL_JoystickUpdate(); for (SDL_Event e; SDL_PollEvent(&e);) handle_event(e); };
    // Mended fault: a removal names an instance id, not a device index. A re-attached
    // joystick gets a new id; removing the one in slot 0 must not close slot 1.
    const int a = attach();
    drain();
    SDL_JoystickDetachVirtual(a);
    drain();
    attach(), attach();
    drain();
    SDL_Joystick *second = gamestate.joysticks[1];
    ASSERT_NE(nullptr, second);
    SDL_JoystickDetachVirtual(0);
    drain();
    EXPECT_TRUE(!gamestate.joysticks[0] && gamestate.joysticks[1] == second && SDL_JoystickGetAttached(second))
        << "slot 0 " << gamestate.joysticks[0] << ", slot 1 " << gamestate.joysticks[1] << " (was " << second << ")";
    // Device indexes 4 and up are never opened.
    for (int i = 0; i < 4; i++)
        attach();
    drain();
    ASSERT_EQ(5, SDL_NumJoysticks());
    const SDL_JoystickID fifth = SDL_JoystickGetDeviceInstanceID(4);
    for (int i = 1; i < MAX_JOYSTICKS; i++)
        EXPECT_TRUE(gamestate.joysticks[i] && SDL_JoystickInstanceID(gamestate.joysticks[i]) != fifth) << "slot " << i;
    // The guide button (10) toggles the menu only while the guide setting is on.
    for (bool guide : {false, true}) {
        settings.guide = guide;
        bool was_open = xgui_is_open();
        SDL_JoystickSetVirtualButton(gamestate.joysticks[2], 10, 1), drain();
        SDL_JoystickSetVirtualButton(gamestate.joysticks[2], 10, 0), drain();
        EXPECT_EQ(guide, xgui_is_open() != was_open) << "guide setting " << guide;
    }
}
