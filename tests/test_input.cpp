// The binding table against a reading of the devices: which bindings are down, what a capture
// takes, the input step, and the default and cleared bindings.
#include "pages_fixture.h"
#include <algorithm>
#include "input/defaults.h"
#include "input/labels.h"

// Slot 0: a game controller, its triggers (axes 4, 5) resting at -32768, d-pad up, stick left.
// Slot 1: a plain joystick with three axes, two hats and ten buttons. Slot 2: detached.
// Slot 3: a game controller at rest.
static Devices held_devices()
{
    Devices d = {};
    d.key[DEVICE_KEYS - 1] = 1;
    PadState &c = d.pad[0];
    c.joystick = c.controller = c.dpad_up = true;
    c.axes = 6;
    c.axis_rest[4] = c.axis_rest[5] = -32768;
    c.axis[4] = -16768;
    c.axis[5] = 1;
    c.stick_x = -16000;
    c.stick_y = 15999;
    PadState &j = d.pad[1] = pad_at_rest();
    j.axes = 3;
    j.hats = 2;
    j.axis[0] = -16000;
    j.axis[1] = -15999;
    j.axis[2] = 16000;
    j.hat[1] = SDL_HAT_RIGHTUP;
    j.button[0] = j.button[9] = true;
    d.pad[2].button[0] = true;
    d.pad[3].joystick = d.pad[3].controller = true;
    return d;
}

TEST(BindingDown, EveryKindOfControl)
{
    const struct { const char *name; Binding binding; bool down; } cases[] = {
        {"the last scancode, beyond the capture's range", {BIND_KEY, DEVICE_KEYS - 1, 0, 0, 0}, true},
        {"a scancode past the keyboard", {BIND_KEY, DEVICE_KEYS, 0, 0, 0}, false},
        {"a negative scancode", {BIND_KEY, -1, 0, 0, 0}, false},
        {"an axis at the threshold, bound to that side", {BIND_AXIS, 0, 1, 1, 0}, true},
        {"an axis at the threshold, bound to the other", {BIND_AXIS, 0, 2, 1, 0}, false},
        {"an axis past it, bound to either side", {BIND_AXIS, 0, 3, 1, 2}, true},
        {"a trigger off its rest yet below 0, bound +", {BIND_AXIS, 0, 2, 0, 4}, false},
        {"a trigger off its rest yet below 0, bound -", {BIND_AXIS, 0, 1, 0, 4}, true},
        {"a trigger just past 0, bound +", {BIND_AXIS, 0, 2, 0, 5}, true},
        {"an axis past the pad's own", {BIND_AXIS, 0, 3, 1, 3}, false},
        {"a negative axis", {BIND_AXIS, 0, 3, 1, -1}, false},
        {"a hat bound up, at up-right", {BIND_HAT, 0, SDL_HAT_UP, 1, 1}, true},
        {"a hat bound left, at up-right", {BIND_HAT, 0, SDL_HAT_LEFT, 1, 1}, false},
        {"the same direction on another hat", {BIND_HAT, 0, SDL_HAT_UP, 1, 0}, false},
        {"a hat past the pad's own", {BIND_HAT, 0, SDL_HAT_UP, 1, 2}, false},
        {"a controller's d-pad on hat 0", {BIND_HAT, 0, SDL_HAT_UP, 0, 0}, true},
        {"a controller's left stick on hat 0", {BIND_HAT, 0, SDL_HAT_LEFT, 0, 0}, true},
        {"a controller's stick short of the threshold", {BIND_HAT, 0, SDL_HAT_DOWN, 0, 0}, false},
        {"a controller's d-pad on hat 1", {BIND_HAT, 0, SDL_HAT_UP, 0, 1}, false},
        {"a controller at rest, bound every way", {BIND_HAT, 0, 15, 3, 0}, false},
        {"a button down", {BIND_BUTTON, 0, 0, 1, 0}, true},
        {"the tenth button", {BIND_BUTTON, 0, 9, 1, 0}, true},
        {"a button beyond the tenth", {BIND_BUTTON, 0, 10, 1, 0}, false},
        {"a negative button", {BIND_BUTTON, 0, -1, 1, 0}, false},
        {"a detached pad's button", {BIND_BUTTON, 0, 0, 2, 0}, false},
        {"a pad beyond the slots", {BIND_BUTTON, 0, 0, MAX_JOYSTICKS, 0}, false},
        {"a negative pad", {BIND_BUTTON, 0, 0, -1, 0}, false},
        {"an unknown type", {5, 0, 0, 1, 0}, false},
    };
    const Devices d = held_devices();
    for (const auto &c : cases)
        EXPECT_EQ(c.down, binding_down(d, c.binding)) << c.name;
}

// A capture takes the keyboard first (scancodes below 256), then the pads in slot order, each
// by its axes, hats and buttons.
TEST(FirstPressed, CaptureOrder)
{
    const struct { const char *name; void (*hold)(Devices &); Binding found; } cases[] = {
        {"nothing down", [](Devices &) {}, {}},
        {"the keyboard before the pads", [](Devices &d) { d.key[255] = 1; }, {BIND_KEY, 255, 0, 0, 0}},
        {"no key above 255", [](Devices &d) { d.key[256] = 1; }, {BIND_BUTTON, 0, 3, 2, 0}},
        {"slot 0 before slot 2", [](Devices &d) { d.pad[0].button[9] = true; }, {BIND_BUTTON, 0, 9, 0, 0}},
        {"hats before buttons", [](Devices &d) { d.pad[2].hat[0] = SDL_HAT_LEFT; }, {BIND_HAT, 0, 8, 2, 0}},
        {"axes before hats", [](Devices &d) { d.pad[2].axis[1] = 16000; }, {BIND_AXIS, 0, 2, 2, 1}},
        {"an axis one short", [](Devices &d) { d.pad[2].axis[0] = -15999; }, {BIND_BUTTON, 0, 3, 2, 0}},
        {"a trigger at rest", [](Devices &d) { d.pad[2].axis_rest[0] = d.pad[2].axis[0] = -32768; },
         {BIND_BUTTON, 0, 3, 2, 0}},
        {"a detached pad", [](Devices &d) { d.pad[1].button[0] = true; }, {BIND_BUTTON, 0, 3, 2, 0}},
    };
    for (const auto &c : cases) {
        Devices d = {};
        for (int slot : {0, 2})
            d.pad[slot] = pad_at_rest();
        d.pad[2].button[3] = c.found.type != BIND_NONE;
        c.hold(d);
        Binding found = {1, 1, 1, 1, 1};
        EXPECT_EQ(c.found.type != BIND_NONE, first_pressed(d, found)) << c.name;
        EXPECT_EQ(str(c.found), str(found)) << c.name;
    }
}

// The capture's states and moves, one key down at each step (0: none): a click begins it, a
// key that chose the cell is never its answer until let go and pressed again, a control taken
// ends it into the waiting cell of the player shown, and that key stays the capture's while down.
TEST_F(Pages, CaptureStatesAndMoves)
{
    enum Move { CLICK, FOCUS, CANCEL, TAKE };
    const struct { const char *step; Move move; int key; int32_t row; bool took; } cases[] = {
        {"idle: nothing to take", TAKE, SDL_SCANCODE_Z, -1, false},
        {"a click: row 3 waits", CLICK, 0, 3, false},
        {"nothing down: it waits", TAKE, 0, 3, false},
        {"called off", CANCEL, 0, -1, false},
        {"Return chose the cell", FOCUS, SDL_SCANCODE_RETURN, 3, false},
        {"Return still down", TAKE, SDL_SCANCODE_RETURN, 3, false},
        {"Return let go", TAKE, 0, 3, false},
        {"Return pressed again", TAKE, SDL_SCANCODE_RETURN, -1, true},
        {"a click with X down", CLICK, SDL_SCANCODE_X, 3, false},
        {"X taken at once", TAKE, SDL_SCANCODE_X, -1, true},
        {"X let go", TAKE, 0, -1, false},
        {"X pressed again: no longer the capture's", TAKE, SDL_SCANCODE_X, -1, false},
    };
    gameinfo.players = 2;
    capture_show_player(1);
    for (const auto &c : cases) {
        devices() = Devices{};
        devices().key[c.key] = c.key != 0;
        bool took = false;
        if (c.move == CANCEL)
            capture_cancel();
        else if (c.move == TAKE)
            took = capture_take();
        else
            capture_begin(3, 1, c.move == FOCUS);
        EXPECT_EQ(c.row, capture_row()) << c.step;
        EXPECT_EQ(c.row == 3, capture_waits_on(3, 1)) << c.step;
        EXPECT_EQ(c.took, took) << c.step;
        EXPECT_EQ(c.took ? c.key : -1, capture_held_key()) << c.step;
        if (c.took) {
            EXPECT_EQ(str({BIND_KEY, c.key, 0, 0, 0}), str(settings.bindings[1][3][1])) << c.step;
        }
    }
}

// Player 1's button 1 is on joystick button 3; player 2's button 2 on the same and on Q.
// With more buttons than the table holds, clearing reaches the table's last row.
TEST_F(Pages, InputStepSendsEveryButtonOfEveryPlayer)
{
    gameinfo.players = 2;
    const int buttons = input_button_count();
    settings.bindings[0][1][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][0] = Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0};
    devices().key[SDL_SCANCODE_Q] = 1;
    plain_pad().button[3] = true;
    input_step(false);
    std::vector<std::pair<int, int>> every;
    for (int player = 0; player < 2; player++)
        for (int button = 0; button < buttons; button++)
            every.push_back({player, button});
    EXPECT_EQ(every, sent_states(false)) << "every button of every player, in turn";
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 1}, {1, 2}}), sent_states(true)) << "pressed";
    fixture_buttons = 40;   // more than the table holds
    bindings_set_defaults(-1);
    bindings_clear(-1);
    bindings_refresh_labels();
    EXPECT_STREQ("none", binding_label_shown(MAX_BUTTONS - 1, 1)) << "label of the last row";
}

// What bindings_set_defaults left in a player's button 0 (Up), both slots, filled with MARKER
// beforehand. The component proposes Up (scancode 82) and hat 0 up; res/donf binds its own way.
static const Binding MARKER = {BIND_KEY, 99, 0, 0, 0};
static const char *DONF = "btn_0_0_0_type=2\nbtn_0_0_0_axis=5\nbtn_1_0_0_type=4\nbtn_1_0_0_value=9\n";
static std::string defaults_left(int player)
{
    const Binding *b = settings.bindings[player][0];
    return str(b[0]) == str(MARKER) ? "untouched" : str(b[0]) + " " + str(b[1]);
}

// Mended fault: every player got the same key and the first pad, so one keyboard and one pad
// drove both players, and the second pad nobody. res/donf replaces the bindings of every bound
// player, whoever is named; a player beyond the table is left alone.
TEST_F(Pages, DefaultsWithAndWithoutDonf)
{
    const struct {
        const char *name;
        bool donf;
        int players, named;
        const char *player1, *player2;
    } cases[] = {
        {"one player", false, 1, -1, "{1,82,0,0,0} {3,0,1,0,0}", "untouched"},
        {"the second of two", false, 2, 1, "untouched", "{0,0,0,0,0} {3,0,1,1,0}"},
        {"a player beyond the table", false, 2, 5, "untouched", "untouched"},
        {"one player, with res/donf", true, 1, -1, "{2,0,0,0,5} {0,0,0,0,0}", "untouched"},
    };
    for (const auto &c : cases) {
        if (c.donf)
            res.write("res/donf", DONF);
        gameinfo.players = c.players;
        std::fill_n(&settings.bindings[0][0][0], sizeof settings.bindings / sizeof MARKER, MARKER);
        bindings_set_defaults(c.named);
        EXPECT_EQ(c.player1, defaults_left(0)) << c.name;
        EXPECT_EQ(c.player2, defaults_left(1)) << c.name;
        EXPECT_EQ(str(MARKER), str(settings.bindings[0][input_button_count()][0])) << c.name << ": past the buttons";
    }
}
