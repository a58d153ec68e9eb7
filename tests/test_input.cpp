// Reading keyboard and joysticks for the binding table, with SDL's virtual joysticks and a
// keyboard array owned by the test.
#include "pages_fixture.h"
#include <algorithm>
#include <sstream>
#include "input/defaults.h"
class Input : public Pages {};
static const Binding NOTHING = {-1, 0, 0, 0, 0};
// What a capture finds, or NOTHING.
static Binding capture()
{
    Binding b = {};
    if (!input_poll_binding(b, true))
        b.type = -1;
    return b;
}
static bool active(Binding b) { return input_poll_binding(b, false); }

// Slot 1 is a plain joystick, its axes at rest at 0. Slot 0 is game-controller-typed: its
// triggers (axes 4 and 5) rest at -32768.
TEST_F(Input, AxisThresholdsAndTriggerAtRest)
{
    Pad pad(1, 3, 4, 0);
    Pad ctl(0, 6, 4, 0, SDL_JOYSTICK_TYPE_GAMECONTROLLER);
    ctl.axis(4, -32768);
    ctl.axis(5, -32768);
    const struct {
        int slot, axis, value;
        int side;              // captured as 1 (-) or 2 (+); 0: nothing captured
        bool positive, either; // active when bound as + and when bound as either side
    } cases[] = {
        {1, 2, -16000, 1, false, true},
        {1, 2, -15999, 0, false, false},
        {1, 2, 16000, 2, true, true},
        {0, 4, -16769, 0, false, false},   // a trigger at rest is further below
        {0, 4, -16768, 2, false, true},    // deflected, yet below 0
        {0, 4, 0, 2, false, false},
        {0, 4, 1, 2, true, true},
    };
    for (const auto &c : cases) {
        Pad &moved = c.slot ? pad : ctl;
        moved.axis(c.axis, c.value);
        const Binding want = {BIND_AXIS, 0, c.side, c.slot, c.axis};
        EXPECT_EQ(str(c.side ? want : NOTHING), str(capture())) << "axis " << c.axis << " at " << c.value;
        EXPECT_EQ(c.positive, active(Binding{BIND_AXIS, 0, 2, c.slot, c.axis}))
            << "bound as +: axis " << c.axis << " at " << c.value;
        EXPECT_EQ(c.either, active(Binding{BIND_AXIS, 0, 3, c.slot, c.axis}))
            << "bound as either side: axis " << c.axis << " at " << c.value;
        EXPECT_FALSE(active(Binding{BIND_AXIS, 0, 3, 1 - c.slot, c.axis})) << c.value << ": another joystick";
        moved.axis(c.axis, c.slot ? 0 : -32768);
    }
}

// A binding to a diagonal is active on either of its directions; one to up only on up.
TEST_F(Input, HatsWithDiagonals)
{
    Pad pad(0, 0, 16, 2);
    const Binding up_right = {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 1};
    const Binding up = {BIND_HAT, 0, SDL_HAT_UP, 0, 1};
    pad.hat(1, SDL_HAT_RIGHTUP);
    EXPECT_EQ(str(up_right), str(capture()));
    const struct {
        int mask;
        bool up_right, up;
    } cases[] = {
        {SDL_HAT_UP, true, true},
        {SDL_HAT_RIGHT, true, false},
        {SDL_HAT_LEFTUP, true, true},
        {SDL_HAT_LEFT, false, false},
    };
    for (const auto &c : cases) {
        pad.hat(1, c.mask);
        EXPECT_EQ(c.up_right, active(up_right)) << "bound to up-right, hat at " << c.mask;
        EXPECT_EQ(c.up, active(up)) << "bound to up, hat at " << c.mask;
    }
    pad.hat(1, SDL_HAT_CENTERED);
    pad.hat(0, SDL_HAT_UP);
    EXPECT_FALSE(active(up)) << "the same position on another hat";
}

// A controller's d-pad and left stick as a hat: a direction by its button, or by the stick
// pushed at least as far as a binding to the stick needs.
TEST(ControllerHat, DpadButtonsAndTheLeftStick)
{
    const struct {
        const char *name;
        bool up, right;
        int32_t x, y;
        int32_t hat;
    } cases[] = {
        {"at rest", false, false, 0, 0, SDL_HAT_CENTERED},
        {"d-pad up", true, false, 0, 0, SDL_HAT_UP},
        {"stick short of left", false, false, -15999, 0, SDL_HAT_CENTERED},
        {"stick left", false, false, -16000, 0, SDL_HAT_LEFT},
        {"d-pad right, stick down", false, true, 0, 16000, SDL_HAT_RIGHTDOWN},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.hat, controller_hat(c.up, false, false, c.right, c.x, c.y)) << c.name;
}

// Mended fault: on a pad whose d-pad SDL reports as buttons, without a hat, the default
// direction bindings (the hat's) never moved the player. On a game controller they answer
// to its d-pad and left stick.
TEST_F(Input, HatBindingsAnswerToAControllersDpadAndLeftStick)
{
    Controller pad;
    const Binding up = {BIND_HAT, 0, SDL_HAT_UP, 0, 0};
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_TRUE(active(up)) << "d-pad up";
    EXPECT_FALSE(active(Binding{BIND_HAT, 0, SDL_HAT_UP, 0, 1})) << "bound to a second hat";
    pad.press(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    pad.axis(SDL_GameControllerGetBindForAxis(pad.pad, SDL_CONTROLLER_AXIS_LEFTY).value.axis, -32768);
    EXPECT_TRUE(active(up)) << "left stick up";
    EXPECT_FALSE(active(Binding{BIND_HAT, 0, SDL_HAT_UP, 1, 0})) << "bound to another pad";
}

TEST_F(Input, CaptureOrder)
{
    Pad pad0(0, 3, 16, 1);
    Pad pad2(2, 3, 10, 1);
    pad0.button(10, true);
    EXPECT_EQ(str(NOTHING), str(capture())) << "buttons beyond the tenth";
    pad0.button(9, true);
    EXPECT_EQ(str(Binding{BIND_BUTTON, 0, 9, 0, 0}), str(capture())) << "the tenth button";
    pad0.button(9, false);
    pad2.axis(0, -20000);
    EXPECT_EQ(str(Binding{BIND_AXIS, 0, 1, 2, 0}), str(capture())) << "a later slot alone";
    pad0.button(3, true);
    EXPECT_EQ(str(Binding{BIND_BUTTON, 0, 3, 0, 0}), str(capture())) << "slot 0 before slot 2";
    pad0.hat(0, SDL_HAT_LEFT);
    EXPECT_EQ(str(Binding{BIND_HAT, 0, SDL_HAT_LEFT, 0, 0}), str(capture())) << "hats before buttons";
    pad0.axis(2, 20000);
    pad0.axis(1, -20000);
    EXPECT_EQ(str(Binding{BIND_AXIS, 0, 1, 0, 1}), str(capture())) << "lowest axis first";
    fake_keys[300] = 1;
    EXPECT_EQ(str(Binding{BIND_AXIS, 0, 1, 0, 1}), str(capture())) << "keys above 255 are not captured";
    fake_keys[255] = 1;
    fake_keys[200] = 1;
    EXPECT_EQ(str(Binding{BIND_KEY, 200, 0, 0, 0}), str(capture())) << "the keyboard first";
    EXPECT_TRUE(active(Binding{BIND_KEY, 300, 0, 0, 0})) << "a key above 255 from a file is tested";
}

// Everything is held; the bindings marked true are in range. Axis, hat and button indices past
// a joystick's own are SDL's to refuse; the joystick table and the key array are ours.
TEST_F(Input, OutOfRangeBindingsNeverActive)
{
    Pad pad(0, 2, 16, 0);
    pad.axis(0, -32768);
    pad.button(0, true);
    pad.button(10, true);
    memset(fake_keys, 1, sizeof fake_keys);
    const struct {
        Binding binding;
        bool active;
    } cases[] = {
        {{BIND_KEY, -1, 0, 0, 0}, false},
        {{BIND_KEY, SDL_NUM_SCANCODES, 0, 0, 0}, false},
        {{BIND_KEY, SDL_NUM_SCANCODES - 1, 0, 0, 0}, true},
        {{BIND_AXIS, 0, 3, -1, 0}, false},
        {{BIND_AXIS, 0, 3, 4, 0}, false},
        {{BIND_AXIS, 0, 1, 0, 0}, true},
        {{BIND_BUTTON, 0, 10, 0, 0}, false},   // beyond the tenth
        {{BIND_BUTTON, 0, 0, 0, 0}, true},
        {{5, 0, 0, 0, 0}, false},   // an unknown type
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.active, active(c.binding)) << str(c.binding);
}

// Player 1's button 1 is on joystick button 3; player 2's button 2 on the same and on Q.
TEST_F(Input, StepSendsEveryButtonAndReleasesOnDetach)
{
    gameinfo.players = 2;
    const int buttons = input_button_count();
    Pad pad(0, 0, 10, 0);
    settings.bindings[0][1][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][0] = Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0};
    pad.button(3, true);
    fake_keys[SDL_SCANCODE_Q] = 1;
    for (bool detached : {false, true}) {
        if (detached)
            pad.detach();
        sent_buttons.clear();
        input_step(false);
        const char *when = detached ? "joystick detached" : "attached";
        ASSERT_EQ((size_t)(2 * buttons), sent_buttons.size()) << when;
        for (int i = 0; i < 2 * buttons; i++) {
            const int player = i / buttons;
            const int button = i % buttons;
            const bool pressed = (player == 0 && button == 1 && !detached) || (player == 1 && button == 2);
            EXPECT_EQ(player, sent_buttons[i].player) << when << ": state " << i;
            EXPECT_EQ(button, sent_buttons[i].button) << when << ": state " << i;
            EXPECT_EQ(pressed, sent_buttons[i].pressed)
                << when << ": player " << player << " button " << button;
        }
    }
}

// What bindings_set_defaults left in a player's table, filled with MARKER beforehand.
static const Binding MARKER = {BIND_KEY, 99, 0, 0, 0};
static void fill_with_marker()
{
    std::fill_n(&settings.bindings[0][0][0], sizeof settings.bindings / sizeof MARKER, MARKER);
}
// Judged by button 0 (Up, on a hat by default), which the res/donf below binds its own way.
static const char *DONF = "btn_0_0_0_type=2\nbtn_0_0_0_axis=5\nbtn_1_0_0_type=4\nbtn_1_0_0_value=9\n";
// The component's proposals: the key for the first player alone, and each player's own pad
// (mended fault: every player got the same key and the first pad, so one keyboard and one
// pad drove both players, and the second pad nobody).
static std::string defaults_left(int player)
{
    const Binding *b = settings.bindings[player][0];
    Binding key = {};   // none for the second player
    if (player == 0)
        key = Binding{BIND_KEY, ox_button_get_default_keyboard(0), 0, 0, 0};
    const Binding joy = {BIND_HAT, 0, ox_button_get_default_joystick(0), player, 0};
    if (str(b[0]) == str(MARKER))
        return "untouched";
    if (str(b[0]) == str(player ? Binding{BIND_BUTTON, 0, 9, 0, 0} : Binding{BIND_AXIS, 0, 0, 0, 5}))
        return "res/donf";
    if (str(b[0]) == str(key) && str(b[1]) == str(joy))
        return "component";
    return "something else: " + str(b[0]) + " " + str(b[1]);
}

// res/donf replaces the bindings of every bound player, whoever is named.
TEST_F(Input, DefaultsWithAndWithoutDonf)
{
    const struct {
        bool donf;
        int players, named;
        const char *player1, *player2;
    } cases[] = {
        {false, 1, -1, "component", "untouched"},
        {false, 2, 1, "untouched", "component"},
        {false, 2, 5, "untouched", "untouched"},   // a player beyond the table
        {true, 2, 1, "res/donf", "res/donf"},
        {true, 1, -1, "res/donf", "untouched"},
    };
    for (const auto &c : cases) {
        if (c.donf)
            res->write("res/donf", DONF);
        gameinfo.players = c.players;
        fill_with_marker();
        bindings_set_defaults(c.named);
        std::ostringstream when;
        when << (c.donf ? "with" : "without") << " res/donf, " << c.players << " players, named " << c.named;
        EXPECT_EQ(c.player1, defaults_left(0)) << when.str();
        EXPECT_EQ(c.player2, defaults_left(1)) << when.str();
        for (int p = 0; p < MAX_PLAYERS; p++)
            EXPECT_EQ(str(MARKER), str(settings.bindings[p][input_button_count()][0]))
                << when.str() << ": player " << p + 1 << " beyond the buttons";
    }
}

TEST_F(Input, ClearingAPlayerBeyondTheTableDoesNothing)
{
    fill_with_marker();
    bindings_clear(MAX_PLAYERS);
    EXPECT_EQ("untouched", defaults_left(0));
    EXPECT_EQ("untouched", defaults_left(1));
}

TEST_F(Input, ComponentWithTooManyButtons)
{
    fixture_buttons = 40;
    gameinfo.players = 2;
    bindings_set_defaults(-1);
    bindings_clear(-1);
    input_step(false);
    bindings_refresh_labels();
    EXPECT_EQ((size_t)(2 * MAX_BUTTONS), sent_buttons.size()) << "states sent";
    EXPECT_STREQ("none", binding_labels[MAX_BUTTONS - 1][1]) << "label of the last row";
}
