// The event dispatch: pointer mapping, unused hotkeys and joystick hot-plugging, driven by
// synthetic events under the dummy driver.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include "app/events.h"
#include "config/settings.h"
#include "input/capture.h"
#include "record/ox_core.h"
#include "support/res_dir.h"
#include "record/gamestate.h"
#include "xgui/xgui.h"

// The point (x, y) of a w x h window onto the overlay's 1920 x 1080 area, centred and as high
// as the window. A window without height maps nothing and leaves the point untouched.
TEST(MapPointer, MapsOutputsOntoTheCentred16by9Area)
{
    const struct {
        int w, h, x, y;
        bool mapped;
        int px, py;
    } cases[] = {
        {1920, 1080, 1919, 1079, true, 1919, 1079},
        {640, 480, 639, 479, true, 1676, 1077},   // the last pixel: scaled, the area cut at the sides
        {2560, 1080, 0, 540, true, -320, 540},    // in the bar beside the area
        {1920, 0, 10, 10, false, 7, 8},
    };
    for (const auto &c : cases) {
        int px = 7;
        int py = 8;
        const bool mapped = map_pointer(c.x, c.y, c.w, c.h, &px, &py);
        EXPECT_EQ(c.mapped, mapped) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
        EXPECT_EQ(c.px, px) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
        EXPECT_EQ(c.py, py) << c.w << "x" << c.h << " at " << c.x << "," << c.y;
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
        gamestate.frame_texture = nullptr;
        gamestate.renderer = nullptr;
        gamestate.window = nullptr;
        gamestate.pixels = nullptr;
        gamestate.pixels_size = 0;
        memset(gamestate.joysticks, 0, sizeof gamestate.joysticks);
        memset(gamestate.controllers, 0, sizeof gamestate.controllers);
    }
    static int attach() { return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 12, 1); }
    static void drain()
    {
        SDL_JoystickUpdate();
        SDL_Event e;
        while (SDL_PollEvent(&e))
            handle_event(e);
    }
};

TEST_F(Events, UnusedFunctionKeysDoNothing)
{
    // F4 to F9, with or without Shift, name no slot: nothing is written, nothing changes.
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    for (int code = SDL_SCANCODE_F4; code <= SDL_SCANCODE_F9; code++)
        for (Uint16 mod : {KMOD_NONE, KMOD_RSHIFT}) {
            key.key.keysym.scancode = (SDL_Scancode)code;
            key.key.keysym.mod = mod;
            handle_event(key);
        }
    for (const char *name : {"res/3S", "res/3P", "res/8S", "res/0S", "res/0P", "res/conf"})
        EXPECT_FALSE(res.exists(name)) << name << " written";
    EXPECT_FALSE(gamestate.paused) << "F4-F9 paused";
    EXPECT_FALSE(xgui_is_open()) << "F4-F9 opened the menu";
    EXPECT_FALSE(settings.fullscreen) << "F4-F9 changed to full screen";
}
// Mended fault: a key pressed while a binding cell waits for one is the binding. F1 to F3
// also loaded a slot over the unsaved game, and Shift with them overwrote a stored slot.
TEST_F(Events, HotkeysWaitWhileACaptureTakesTheKey)
{
    capture_button = 2;
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.scancode = SDL_SCANCODE_F2;
    key.key.keysym.mod = KMOD_LSHIFT;
    handle_event(key);
    capture_button = -1;
    EXPECT_FALSE(res.exists("res/1S")) << "Shift+F2 saved slot 1";
}

// Mended fault: Pause pressed with the menu open set the game running behind it, so the keys
// and pads moving through the menu moved the game too. The open menu keeps it paused.
TEST_F(Events, PauseLeavesTheGameStillWhileTheMenuIsOpen)
{
    xgui_set_open(true);
    gamestate.paused = true;
    SDL_Event key = {};
    key.type = SDL_KEYDOWN;
    key.key.keysym.scancode = SDL_SCANCODE_PAUSE;
    handle_event(key);
    xgui_set_open(false);
    EXPECT_TRUE(gamestate.paused);
}

// Mended fault: in full screen the pointer was mapped with the first display's desktop size,
// while the overlay is drawn at the window's: with the window full screen on a second monitor
// of another size, clicks landed on other items than the ones under the pointer.
TEST_F(Events, FullScreenPointerIsMappedAtTheWindowsSize)
{
    settings.fullscreen = true;
    gamestate.window_w = 1280;
    gamestate.window_h = 720;
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 640;
    motion.motion.y = 360;
    handle_event(motion);
    EXPECT_EQ(960, gamestate.pointer_x);
    EXPECT_EQ(540, gamestate.pointer_y);
}
// Mended fault: a removal names an instance id, not a device index. A re-attached joystick
// gets a new id; removing the one in slot 0 must not close slot 1.
TEST_F(Events, JoysticksTakeTheFirstFourSlotsAndLeaveByTheirOwnHandle)
{
    const int first = attach();
    drain();
    SDL_JoystickDetachVirtual(first);
    drain();
    attach();
    attach();
    drain();
    SDL_Joystick *second = gamestate.joysticks[1];
    ASSERT_NE(nullptr, second);
    SDL_JoystickDetachVirtual(0);
    drain();
    EXPECT_EQ(nullptr, gamestate.joysticks[0]) << "slot 0 still holds the removed joystick";
    EXPECT_EQ(second, gamestate.joysticks[1]) << "slot 1 changed";
    EXPECT_TRUE(SDL_JoystickGetAttached(second)) << "slot 1 closed";
}

// Mended fault: when the first of two pads leaves, the second's device index moves down to
// 0, and the first plugged in again is added at index 1: it closed the second pad, still in
// use, and took its slot. It now takes the slot it left, its joystick and its controller
// alike (SDL names the controller first); the second, a plain joystick, keeps its slot and
// no controller stands in its place, which would hide it from the menu.
TEST_F(Events, APadPluggedInAgainLeavesTheOtherPadInItsSlot)
{
    attach();
    SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    drain();
    SDL_Joystick *plain = gamestate.joysticks[1];
    ASSERT_NE(nullptr, plain);
    SDL_JoystickDetachVirtual(0);
    drain();
    attach();
    drain();
    EXPECT_EQ(plain, gamestate.joysticks[1]) << "the other pad lost its slot";
    EXPECT_TRUE(SDL_JoystickGetAttached(plain)) << "the other pad was closed";
    EXPECT_EQ(nullptr, gamestate.controllers[1]) << "a controller stands in the other pad's slot";
    SDL_Joystick *again = gamestate.joysticks[0];
    ASSERT_NE(nullptr, again) << "the pad plugged in again has no slot";
    EXPECT_TRUE(SDL_JoystickGetAttached(again));
    ASSERT_NE(nullptr, gamestate.controllers[0]);
    EXPECT_EQ(again, SDL_GameControllerGetJoystick(gamestate.controllers[0]));
}

TEST_F(Events, DeviceIndexesFourAndUpAreNeverOpened)
{
    for (int i = 0; i < 5; i++)
        attach();
    drain();
    ASSERT_EQ(5, SDL_NumJoysticks());
    const SDL_JoystickID fifth = SDL_JoystickGetDeviceInstanceID(4);
    for (int i = 0; i < MAX_JOYSTICKS; i++) {
        ASSERT_NE(nullptr, gamestate.joysticks[i]) << "slot " << i;
        EXPECT_NE(fifth, SDL_JoystickInstanceID(gamestate.joysticks[i])) << "slot " << i;
    }
}

TEST_F(Events, GuideButtonTogglesTheMenuOnlyWithTheGuideSetting)
{
    attach();
    drain();
    ASSERT_NE(nullptr, gamestate.joysticks[0]);
    for (bool guide : {false, true}) {
        settings.guide = guide;
        const bool was_open = xgui_is_open();
        SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 1);
        drain();
        SDL_JoystickSetVirtualButton(gamestate.joysticks[0], 10, 0);
        drain();
        EXPECT_EQ(guide, xgui_is_open() != was_open) << "guide setting " << guide;
    }
}
