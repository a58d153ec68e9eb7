// The event dispatch: pointer mapping, hotkeys, the pad slot rule and joystick hot-plugging.
#include <vector>
#include "base/notice.h"
#include "pages_fixture.h"

// Which key presses are hotkeys, and the keys that make each: the key, then its modifiers. A
// key's auto-repeat is none (mended fault: a held Escape made the menu flicker). Whether each
// acts, no binding row waiting, with the key a capture took still down (-1: none). A row
// waiting holds them back: the keys page's pending-capture test; the slot keys: e2e_notices.sh.
TEST(Hotkeys, PressesTheirKeysAndWhetherTheyAct)
{
    const struct {
        const char *name;
        SDL_Scancode code;
        Uint16 mod;
        bool repeat;
        HotkeyAction action;
        std::vector<SDL_Scancode> keys;
        int32_t captured = -1;
        bool acts = true;
    } cases[] = {
        {"Alt+Return, Right Alt the capture's", SDL_SCANCODE_RETURN, KMOD_ALT, false, HOTKEY_FULLSCREEN,
         {SDL_SCANCODE_RETURN, SDL_SCANCODE_LALT, SDL_SCANCODE_RALT}, SDL_SCANCODE_RALT, false},
        {"Right Shift+F1", SDL_SCANCODE_F1, KMOD_RSHIFT, false, HOTKEY_SAVE, {SDL_SCANCODE_F1, SDL_SCANCODE_RSHIFT}},
        {"F4", SDL_SCANCODE_F4, KMOD_NONE, false, HOTKEY_NONE, {SDL_SCANCODE_F4}, -1, false},
        {"Escape held", SDL_SCANCODE_ESCAPE, KMOD_NONE, true, HOTKEY_NONE, {SDL_SCANCODE_ESCAPE}, -1, false},
    };
    for (const auto &c : cases) {
        const Hotkey hot = hotkey_of(c.code, c.mod, c.repeat);
        EXPECT_EQ(c.action, hot.action) << c.name;
        EXPECT_EQ(c.keys, std::vector<SDL_Scancode>(hot.keys, hot.keys + hot.key_count)) << c.name;
        EXPECT_EQ(c.acts, hotkey_acts(hot, -1, c.captured)) << c.name;
    }
}

// Where a device of instance id 7 added at an index goes, by the instance ids each slot holds
// (-1: none, or left; 0 is the first id SDL gives). Device indexes move down when an earlier
// pad leaves, so a pad plugged in again may be added at the index of a slot still in use; SDL
// adds a pad's joystick and its controller in either order, and both must land in one slot.
TEST(PadSlot, AddedDevicesFindTheirSlot)
{
    const struct {
        const char *name;
        PadSeen seen[MAX_JOYSTICKS];
        int index;
        int slot;
    } cases[] = {
        {"the slot of its index", {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}}, 1, 1},
        {"a controller in use holds its slot", {{3, 3}, {-1, 0}, {-1, -1}, {-1, -1}}, 1, 2},
        {"its joystick came first", {{3, 3}, {7, -1}, {-1, -1}, {-1, -1}}, 1, 1},
        {"all four in use", {{1, 1}, {2, -1}, {3, 3}, {4, -1}}, 2, -1},
        {"an index past the slots", {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}}, MAX_JOYSTICKS, -1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.slot, pad_slot_for(c.seen, c.index, 7)) << c.name;
}

using Events = Pages;

// Mended faults: keys were read whatever else was held, so Alt+Return held the game's Return
// button (Start); and Alt+Return while a binding cell waited both bound Alt and switched to
// full screen. The capture took Alt first, so the Return pressed with it is part of that
// gesture. The keys of a hotkey reach the game only once let go and pressed again.
TEST_F(Events, AltTakenByACaptureMakesNoAltReturnAndAHotkeysKeysWaitToBeLetGo)
{
    settings.bindings[0][1][0] = {BIND_KEY, SDL_SCANCODE_RETURN, 0, 0, 0};
    capture_begin(0, 0, false);
    devices().key[SDL_SCANCODE_LALT] = 1;
    input_step(false);
    key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    key(SDL_SCANCODE_LALT, false);
    input_step(false);
    key(SDL_SCANCODE_LALT);
    key(SDL_SCANCODE_RETURN, true, KMOD_LALT);
    EXPECT_TRUE(settings.fullscreen) << "Alt let go and pressed again made no Alt+Return";
    EXPECT_FALSE(game_presses(0)) << "Alt reached the game";
    EXPECT_FALSE(sent_buttons.at(1).pressed) << "Return reached the game";
    key(SDL_SCANCODE_RETURN, false);
    pass();
    key(SDL_SCANCODE_RETURN);
    EXPECT_TRUE(game_presses(1)) << "Return pressed again did not reach the game";
}

// Mended fault: in full screen the pointer was mapped with the first display's desktop size,
// while the overlay is drawn at the window's: with the window full screen on a second monitor
// of another size, clicks landed on other items than the ones under the pointer. A window
// without height maps nothing and leaves the pointer where it was. (Where a point of a window
// lands: e2e_menu.sh's clicks.)
TEST_F(Events, ThePointerIsMappedAtTheWindowsSizeAndNotWithoutHeight)
{
    settings.fullscreen = true;
    video_state().window_w = 1280;
    video_state().window_h = 720;
    handle_event(motion_event(640, 360));
    video_state().window_h = 0;
    handle_event(motion_event(10, 10));
    EXPECT_EQ(960, pointer_take().x) << "not mapped at the window's size, or moved by a window without height";
}

// Mended fault: when the first of two pads left, the second's device index moved down to 0,
// and the first, plugged in again at index 1, closed the second and took its slot. A removal
// empties the slot of its own handle (an instance id is no slot); the pad plugged in again
// takes the slot it left, its joystick and controller alike, and unplugging the pad in use
// pauses the game with a notice naming it. The menu's button of a pad in use opens and closes
// the menu.
TEST_F(Events, APadPluggedInAgainLeavesTheOtherPadInItsSlot)
{
    attach_controller();
    SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 11, 0);
    drain_events();
    SDL_Joystick *plain = pad_joystick(1);
    const int32_t plain_id = SDL_JoystickInstanceID(plain);
    SDL_JoystickSetVirtualButton(pad_joystick(0), slot0_guide_button(), 1);
    drain_events();
    EXPECT_TRUE(xgui_is_open()) << "the guide button of a controller in use";
    SDL_JoystickSetVirtualButton(plain, 10, 1);
    drain_events();
    EXPECT_FALSE(xgui_is_open()) << "button 10 of a joystick in use";
    SDL_JoystickDetachVirtual(0);
    drain_events();
    EXPECT_EQ(nullptr, pad_joystick(0)) << "slot 0 still holds the removed joystick";
    EXPECT_TRUE(running_paused());
    EXPECT_EQ(0, strncmp("Pad disconnected: Virtual", notice_text(), 25)) << notice_text();
    const int32_t again = SDL_JoystickGetDeviceInstanceID(attach_controller());
    drain_events();
    const std::vector<std::pair<int32_t, int32_t>> slots = {{again, again}, {plain_id, -1}, {-1, -1}, {-1, -1}};
    EXPECT_EQ(slots, slots_seen()) << "plugged in again";
    EXPECT_EQ(nullptr, pad_joystick(MAX_JOYSTICKS)) << "a slot past the table";
    SDL_JoystickDetachVirtual(0);
    drain_events();
    EXPECT_EQ(slots.front(), slots_seen().front()) << "unplugging the other pad emptied slot 0";
}

// Mended fault: the menu's pad button was raw button 10, the right shoulder button of a pad
// SDL knows as a game controller. The screenshot's pad control follows the same rule: the right
// stick pressed (the guide setting is the menu's alone).
TEST(PadButtons, AControllersStandardButtonOrAJoysticksRawOne)
{
    enum Control { MENU, SCREENSHOT };
    const struct {
        const char *name;
        Control control;
        bool guide, controller_event;
        int32_t button;
        bool controller, in_slot;
        bool acts;
    } cases[] = {
        {"a controller's guide, the setting off", MENU, false, true, SDL_CONTROLLER_BUTTON_GUIDE, true, true, false},
        {"a controller's other button", MENU, true, true, SDL_CONTROLLER_BUTTON_START, true, true, false},
        {"a controller's raw button 10", MENU, true, false, 10, true, true, false},
        {"a joystick's button 5, the guide's standard number", MENU, true, false, 5, false, true, false},
        {"a controller's right stick", SCREENSHOT, true, true, SDL_CONTROLLER_BUTTON_RIGHTSTICK, true, true, true},
        {"a joystick's button 9", SCREENSHOT, true, false, 9, false, true, true},
        {"a joystick's button 9, a pad not in use", SCREENSHOT, true, false, 9, false, false, false},
    };
    for (const auto &c : cases) {
        const bool acts = c.control == MENU
                              ? menu_pad_button(c.guide, c.controller_event, c.button, c.controller, c.in_slot)
                              : screenshot_pad_button(c.controller_event, c.button, c.controller, c.in_slot);
        EXPECT_EQ(c.acts, acts) << c.name;
    }
}
