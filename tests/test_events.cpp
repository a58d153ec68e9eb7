// The event dispatch: pointer mapping, unused hotkeys and joystick hot-plugging, driven by
// synthetic events under the dummy driver.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include <algorithm>
#include <string>
#include <vector>
#include "app/events.h"
#include "host/running.h"
#include "input/pads.h"
#include "pages_fixture.h"
#include "support/kept_state.h"
#include "support/key_event.h"
#include "support/test_window.h"
#include "base/notice.h"

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

// Which key presses are hotkeys, and the keys that make each: the key, then its modifiers.
TEST(Hotkeys, PressesAndTheirKeys)
{
    const struct {
        const char *name;
        SDL_Scancode code;
        Uint16 mod;
        bool repeat;
        HotkeyAction action;
        int slot;
        std::vector<SDL_Scancode> keys;
    } cases[] = {
        {"Alt+Return", SDL_SCANCODE_RETURN, KMOD_LALT, false, HOTKEY_FULLSCREEN, 0,
         {SDL_SCANCODE_RETURN, SDL_SCANCODE_LALT}},
        {"Alt+Return held", SDL_SCANCODE_RETURN, KMOD_LALT, true, HOTKEY_NONE, 0, {SDL_SCANCODE_RETURN}},
        {"Return", SDL_SCANCODE_RETURN, KMOD_NONE, false, HOTKEY_NONE, 0, {SDL_SCANCODE_RETURN}},
        {"both Alts+Return", SDL_SCANCODE_RETURN, KMOD_ALT, false, HOTKEY_FULLSCREEN, 0,
         {SDL_SCANCODE_RETURN, SDL_SCANCODE_LALT, SDL_SCANCODE_RALT}},
        {"Right Shift+F1", SDL_SCANCODE_F1, KMOD_RSHIFT, false, HOTKEY_SAVE, 0, {SDL_SCANCODE_F1, SDL_SCANCODE_RSHIFT}},
        {"Shift+F1 held", SDL_SCANCODE_F1, KMOD_RSHIFT, true, HOTKEY_NONE, 0, {SDL_SCANCODE_F1}},
        {"F3", SDL_SCANCODE_F3, KMOD_NONE, false, HOTKEY_LOAD, 2, {SDL_SCANCODE_F3}},
        {"Shift+F4", SDL_SCANCODE_F4, KMOD_LSHIFT, false, HOTKEY_NONE, 0, {SDL_SCANCODE_F4}},
        {"Escape", SDL_SCANCODE_ESCAPE, KMOD_NONE, false, HOTKEY_MENU, 0, {SDL_SCANCODE_ESCAPE}},
        {"Escape held", SDL_SCANCODE_ESCAPE, KMOD_NONE, true, HOTKEY_NONE, 0, {SDL_SCANCODE_ESCAPE}},
        {"Pause", SDL_SCANCODE_PAUSE, KMOD_NONE, false, HOTKEY_PAUSE, 0, {SDL_SCANCODE_PAUSE}},
    };
    for (const auto &c : cases) {
        const Hotkey hot = hotkey_of(c.code, c.mod, c.repeat);
        EXPECT_EQ(c.action, hot.action) << c.name;
        EXPECT_EQ(c.slot, hot.slot) << c.name;
        EXPECT_EQ(c.keys, std::vector<SDL_Scancode>(hot.keys, hot.keys + hot.key_count)) << c.name;
    }
}

class Events : public ::testing::Test {
protected:
    KeptVideo kept_video;
    KeptRunning kept_running;
    ResDir res;
    TestWindow win;
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER), 0) << SDL_GetError();
        ASSERT_TRUE(win.open(10, 10)) << SDL_GetError();
        VideoState &v = video_state();
        v.window = win.window;
        v.renderer = win.renderer;
        v.screen_w = v.raster_w = ox_video_get_screen_width();
        v.screen_h = v.raster_h = ox_video_get_screen_height();
        settings.fullscreen = false;
        xgui_set_open(false);
        running_set_paused(false);
        sent_buttons.clear();
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load((std::string(getenv("TEST_DIST_DIR")) + "/res/game").c_str()));
    }
    void TearDown() override
    {
        ox_core_shut();
        SDL_DestroyTexture(video_state().frame_texture);
        SDL_free(video_state().pixels);
        win.close();   // before SDL goes
        SDL_Quit();   // closes the joysticks too
        pads_forget();
        input_keyboard_state = SDL_GetKeyboardState;
        memset(fake_keys, 0, sizeof fake_keys);
        memset(settings.bindings, 0, sizeof settings.bindings);
        capture_button = -1;
    }
    static int attach(SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER)
    {
        return SDL_JoystickAttachVirtual(type, 2, 12, 1);
    }
    static void press(SDL_Scancode code, Uint16 mod, bool repeat = false)
    {
        SDL_Event key = key_event(code, true, mod);
        key.key.repeat = repeat;
        handle_event(key);
    }
    // Hands the pending events over. SDL sends a pad's controller event before its joystick
    // event; joystick_first hands them over the other way round, which the slot rule must
    // not depend on.
    static void drain(bool joystick_first = false)
    {
        SDL_JoystickUpdate();
        std::vector<SDL_Event> events;
        SDL_Event e;
        while (SDL_PollEvent(&e))
            events.push_back(e);
        if (joystick_first)
            std::stable_partition(events.begin(), events.end(),
                                  [](const SDL_Event &e) { return e.type != SDL_CONTROLLERDEVICEADDED; });
        for (const SDL_Event &event : events)
            handle_event(event);
    }
    void plug_in_again(bool joystick_first);
};

TEST_F(Events, UnusedFunctionKeysDoNothing)
{
    // F4 to F9, with or without Shift, name no slot: nothing is written, nothing changes.
    for (int code = SDL_SCANCODE_F4; code <= SDL_SCANCODE_F9; code++)
        for (Uint16 mod : {KMOD_NONE, KMOD_RSHIFT})
            press((SDL_Scancode)code, mod);
    for (const char *name : {"res/3S", "res/3P", "res/8S", "res/0S", "res/0P", "res/conf"})
        EXPECT_FALSE(res.exists(name)) << name << " written";
    EXPECT_FALSE(running_paused()) << "F4-F9 paused";
    EXPECT_FALSE(xgui_is_open()) << "F4-F9 opened the menu";
    EXPECT_FALSE(settings.fullscreen) << "F4-F9 changed to full screen";
}
// Mended fault: a key pressed while a binding cell waits for one is the binding. F1 to F3
// also loaded a slot over the unsaved game, and Shift with them overwrote a stored slot.
TEST_F(Events, HotkeysWaitWhileACaptureTakesTheKey)
{
    capture_button = 2;
    press(SDL_SCANCODE_F2, KMOD_LSHIFT);
    capture_button = -1;
    EXPECT_FALSE(res.exists("res/1S")) << "Shift+F2 saved slot 1";
}

// Pause with the menu open sets the game running behind it, to try a binding live (what it
// then receives: test_menu_nav.cpp).
TEST_F(Events, PauseSetsTheGameRunningBehindTheOpenMenu)
{
    xgui_set_open(true);
    running_set_paused(true);
    press(SDL_SCANCODE_PAUSE, KMOD_NONE);
    xgui_set_open(false);
    EXPECT_FALSE(running_paused());
}

// Mended fault: the key's auto-repeat counted as a new press, so a held Escape made the menu
// flicker (and a held Shift+F1 saved 30 times a second).
TEST_F(Events, AHeldEscapeTogglesTheMenuOnce)
{
    press(SDL_SCANCODE_ESCAPE, KMOD_NONE);
    press(SDL_SCANCODE_ESCAPE, KMOD_NONE, true);
    EXPECT_TRUE(xgui_is_open());
}

// Mended fault: keys were read whatever else was held, so Alt+Return held the game's Return
// button (Start). The keys of a hotkey reach the game only once let go and pressed again.
TEST_F(Events, TheKeysOfAHotkeyReachTheGameOnlyOnceLetGo)
{
    input_keyboard_state = read_fake_keys;
    settings.bindings[0][0][0] = {BIND_KEY, SDL_SCANCODE_LALT, 0, 0, 0};
    settings.bindings[0][1][0] = {BIND_KEY, SDL_SCANCODE_RETURN, 0, 0, 0};
    fake_keys[SDL_SCANCODE_LALT] = 1;
    fake_keys[SDL_SCANCODE_RETURN] = 1;
    press(SDL_SCANCODE_RETURN, KMOD_LALT);
    input_step(false);
    EXPECT_FALSE(sent_buttons.at(0).pressed) << "Alt reached the game";
    EXPECT_FALSE(sent_buttons.at(1).pressed) << "Return reached the game";
    fake_keys[SDL_SCANCODE_RETURN] = 0;
    input_step(false);
    fake_keys[SDL_SCANCODE_RETURN] = 1;
    sent_buttons.clear();
    input_step(false);
    EXPECT_TRUE(sent_buttons.at(1).pressed) << "Return pressed again did not reach the game";
}

// Mended fault: Alt+Return while a binding cell waited both bound Alt and switched to full
// screen. The capture took Alt first, so the Return pressed with it is part of that gesture.
TEST_F(Events, AltTakenByACaptureMakesNoAltReturn)
{
    input_keyboard_state = read_fake_keys;
    capture_button = 3;
    fake_keys[SDL_SCANCODE_LALT] = 1;
    input_step(false);
    ASSERT_EQ(str({BIND_KEY, SDL_SCANCODE_LALT, 0, 0, 0}), str(settings.bindings[0][3][capture_slot]));
    fake_keys[SDL_SCANCODE_RETURN] = 1;
    press(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_FALSE(settings.fullscreen) << "full screen too";
    fake_keys[SDL_SCANCODE_LALT] = 0;
    input_step(false);
    fake_keys[SDL_SCANCODE_LALT] = 1;
    press(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_TRUE(settings.fullscreen) << "Alt let go and pressed again made no Alt+Return";
}

// Mended fault: in full screen the pointer was mapped with the first display's desktop size,
// while the overlay is drawn at the window's: with the window full screen on a second monitor
// of another size, clicks landed on other items than the ones under the pointer.
TEST_F(Events, FullScreenPointerIsMappedAtTheWindowsSize)
{
    settings.fullscreen = true;
    video_state().window_w = 1280;
    video_state().window_h = 720;
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 640;
    motion.motion.y = 360;
    handle_event(motion);
    const Pointer pointer = pointer_take();
    EXPECT_EQ(960, pointer.x);
    EXPECT_EQ(540, pointer.y);
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
    SDL_Joystick *second = pad_joystick(1);
    ASSERT_NE(nullptr, second);
    SDL_JoystickDetachVirtual(0);
    drain();
    EXPECT_EQ(nullptr, pad_joystick(0)) << "slot 0 still holds the removed joystick";
    EXPECT_EQ(second, pad_joystick(1)) << "slot 1 changed";
    EXPECT_TRUE(SDL_JoystickGetAttached(second)) << "slot 1 closed";
}

// Mended fault: when the first of two pads leaves, the second's device index moves down to
// 0, and the first plugged in again is added at index 1: it closed the second pad, still in
// use, and took its slot. It now takes the slot it left, its joystick and its controller
// alike (SDL names the controller first); the second, a plain joystick, keeps its slot and
// no controller stands in its place, which would hide it from the menu.
void Events::plug_in_again(bool joystick_first)
{
    attach();
    SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 0);
    drain(joystick_first);
    SDL_Joystick *plain = pad_joystick(1);
    ASSERT_NE(nullptr, plain);
    SDL_JoystickDetachVirtual(0);
    drain(joystick_first);
    attach();
    drain(joystick_first);
    EXPECT_EQ(plain, pad_joystick(1)) << "the other pad lost its slot";
    EXPECT_TRUE(SDL_JoystickGetAttached(plain)) << "the other pad was closed";
    EXPECT_EQ(nullptr, pad_controller(1)) << "a controller stands in the other pad's slot";
    SDL_Joystick *again = pad_joystick(0);
    ASSERT_NE(nullptr, again) << "the pad plugged in again has no slot";
    EXPECT_TRUE(SDL_JoystickGetAttached(again));
    ASSERT_NE(nullptr, pad_controller(0));
    EXPECT_EQ(again, SDL_GameControllerGetJoystick(pad_controller(0)));
}
TEST_F(Events, APadPluggedInAgainLeavesTheOtherPadInItsSlot) { plug_in_again(false); }
TEST_F(Events, APadPluggedInAgainLeavesTheOtherPadInItsSlotWhateverTheEventOrder) { plug_in_again(true); }

TEST_F(Events, DeviceIndexesFourAndUpAreNeverOpened)
{
    for (int i = 0; i < 5; i++)
        attach();
    drain();
    ASSERT_EQ(5, SDL_NumJoysticks());
    const SDL_JoystickID fifth = SDL_JoystickGetDeviceInstanceID(4);
    for (int i = 0; i < MAX_JOYSTICKS; i++) {
        ASSERT_NE(nullptr, pad_joystick(i)) << "slot " << i;
        EXPECT_NE(fifth, SDL_JoystickInstanceID(pad_joystick(i))) << "slot " << i;
    }
}

// Mended fault: the menu's pad button was raw button 10, the right shoulder button of a pad
// SDL knows as a game controller. Such a pad opens it with its own guide button, found through
// its mapping; any other joystick with button 10; neither while the guide setting is off.
TEST_F(Events, TheMenusPadButtonIsAControllersGuideOrAJoysticksButtonTen)
{
    const struct {
        const char *name;
        SDL_JoystickType type;
        bool guide_setting, mapped_guide;
        int raw;
        bool toggles;
    } cases[] = {
        {"controller, its guide", SDL_JOYSTICK_TYPE_GAMECONTROLLER, true, true, 0, true},
        {"controller, raw 10", SDL_JOYSTICK_TYPE_GAMECONTROLLER, true, false, 10, false},
        {"controller, guide off", SDL_JOYSTICK_TYPE_GAMECONTROLLER, false, true, 0, false},
        {"joystick, button 10", SDL_JOYSTICK_TYPE_UNKNOWN, true, false, 10, true},
        {"joystick, guide off", SDL_JOYSTICK_TYPE_UNKNOWN, false, false, 10, false},
    };
    for (const auto &c : cases) {
        attach(c.type);
        drain();
        SDL_Joystick *pad = pad_joystick(0);
        ASSERT_NE(nullptr, pad) << c.name;
        SDL_GameController *controller = pad_controller(0);
        int raw = c.raw;
        if (c.mapped_guide)
            raw = SDL_GameControllerGetBindForButton(controller, SDL_CONTROLLER_BUTTON_GUIDE).value.button;
        settings.guide = c.guide_setting;
        const bool was_open = xgui_is_open();
        SDL_JoystickSetVirtualButton(pad, raw, 1);
        drain();
        SDL_JoystickSetVirtualButton(pad, raw, 0);
        drain();
        EXPECT_EQ(c.toggles, xgui_is_open() != was_open) << c.name;
        SDL_JoystickDetachVirtual(0);
        drain();
    }
}

// The pad in use unplugged pauses the game, and its notice names it.
TEST_F(Events, UnpluggingThePadInUsePausesTheGame)
{
    attach();
    drain();
    SDL_JoystickDetachVirtual(0);
    drain();
    EXPECT_TRUE(running_paused());
    EXPECT_STRNE("Pad disconnected: unknown pad", notice_text());
    EXPECT_EQ(0, strncmp("Pad disconnected: ", notice_text(), 18)) << notice_text();
}
