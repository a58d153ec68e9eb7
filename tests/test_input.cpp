// Reading keyboard and joysticks for the binding table, with SDL's virtual joysticks and a
// keyboard array owned by the test.
#include "pages_fixture.h"

#include <algorithm>

#include "input/defaults.h"

class Input : public Pages {};

static Binding capture()
{
    Binding b = {};
    if (!input_poll_binding(b, true))
        b.type = -1;   // nothing captured
    return b;
}
static bool active(Binding b) { return input_poll_binding(b, false); }
static const Binding NOTHING = {-1, 0, 0, 0, 0};

TEST_F(Input, AxisThresholdsAndTriggerAtRest)
{
    Pad pad(1, 3, 4, 0);
    const Binding neg = {BIND_AXIS, 0, 1, 1, 2}, pos = {BIND_AXIS, 0, 2, 1, 2};
    struct Case { int v; int side; } cases[] = { {-16000, 1}, {-15999, 0}, {15999, 0}, {16000, 2} };
    for (const Case &c : cases) {
        pad.axis(2, c.v);
        EXPECT_EQ(str(c.side ? Binding{BIND_AXIS, 0, c.side, 1, 2} : NOTHING), str(capture())) << c.v;
        EXPECT_EQ(c.side == 1, active(neg)) << c.v;
        EXPECT_EQ(c.side == 2, active(pos)) << c.v;
        EXPECT_EQ(c.side != 0, active(Binding{BIND_AXIS, 0, 3, 1, 2})) << c.v;
        EXPECT_FALSE(active(Binding{BIND_AXIS, 0, 3, 1, 1})) << c.v << ": another axis";
        EXPECT_FALSE(active(Binding{BIND_AXIS, 0, 3, 0, 2})) << c.v << ": another joystick";
    }

    // A game-controller-typed device has its triggers (axes 4 and 5) resting at -32768.
    Pad ctl(0, 6, 4, 0, SDL_JOYSTICK_TYPE_GAMECONTROLLER);
    Sint16 rest = 0;
    ASSERT_TRUE(SDL_JoystickGetAxisInitialState(ctl.joy, 4, &rest));
    ASSERT_EQ(-32768, rest);
    pad.axis(2, 0);
    ctl.axis(5, -32768);
    struct Trigger { int v; bool captured, pos, any; } triggers[] = {
        {-32768, false, false, false}, {-16769, false, false, false},
        {-16768, true, false, true},   // deflected, yet on the negative side of 0
        {0, true, false, false}, {1, true, true, true},
    };
    for (const Trigger &c : triggers) {
        ctl.axis(4, c.v);
        EXPECT_EQ(str(c.captured ? Binding{BIND_AXIS, 0, 2, 0, 4} : NOTHING), str(capture())) << c.v;
        EXPECT_EQ(c.pos, active(Binding{BIND_AXIS, 0, 2, 0, 4})) << c.v;
        EXPECT_EQ(c.any, active(Binding{BIND_AXIS, 0, 3, 0, 4})) << c.v;
    }
}

TEST_F(Input, HatsWithDiagonalsAndFirstTenButtons)
{
    Pad pad(0, 0, 16, 2);
    pad.hat(1, SDL_HAT_RIGHTUP);
    EXPECT_EQ(str(Binding{BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 1}), str(capture()));
    const Binding up_right = {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 1}, up = {BIND_HAT, 0, SDL_HAT_UP, 0, 1};
    struct Case { int mask; bool up_right, up; } cases[] = {
        {SDL_HAT_CENTERED, false, false}, {SDL_HAT_UP, true, true}, {SDL_HAT_RIGHT, true, false},
        {SDL_HAT_RIGHTUP, true, true}, {SDL_HAT_LEFTUP, true, true}, {SDL_HAT_RIGHTDOWN, true, false},
        {SDL_HAT_LEFT, false, false}, {SDL_HAT_LEFTDOWN, false, false},
    };
    for (const Case &c : cases) {
        pad.hat(1, c.mask);
        EXPECT_EQ(c.up_right, active(up_right)) << c.mask;
        EXPECT_EQ(c.up, active(up)) << c.mask;
        pad.hat(0, c.mask);   // the same position on the other hat does not count
        pad.hat(1, SDL_HAT_CENTERED);
        EXPECT_FALSE(active(up_right)) << c.mask;
        pad.hat(0, SDL_HAT_CENTERED);
    }

    const Binding nine = {BIND_BUTTON, 0, 9, 0, 0}, ten = {BIND_BUTTON, 0, 10, 0, 0};
    pad.button(10, true);
    pad.button(15, true);
    EXPECT_EQ(str(NOTHING), str(capture())) << "buttons beyond the tenth";
    EXPECT_FALSE(active(ten));
    pad.button(9, true);
    EXPECT_EQ(str(nine), str(capture()));
    EXPECT_TRUE(active(nine));
}

TEST_F(Input, CaptureOrder)
{
    Pad pad0(0, 3, 10, 1), pad2(2, 3, 10, 1);
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

TEST_F(Input, OutOfRangeBindingsNeverActive)
{
    Pad pad(0, 2, 10, 1);
    pad.axis(0, -32768);
    pad.hat(0, SDL_HAT_UP);
    pad.button(0, true);
    memset(fake_keys, 1, sizeof fake_keys);
    const Binding cases[] = {
        {BIND_KEY, -1, 0, 0, 0}, {BIND_KEY, SDL_NUM_SCANCODES, 0, 0, 0}, {BIND_KEY, INT32_MAX, 0, 0, 0},
        {BIND_AXIS, 0, 3, -1, 0}, {BIND_AXIS, 0, 3, 4, 0}, {BIND_AXIS, 0, 3, 0, -1}, {BIND_AXIS, 0, 3, 0, 2},
        {BIND_HAT, 0, 15, 0, -1}, {BIND_HAT, 0, 15, INT32_MIN, 0}, {BIND_HAT, 0, 15, 0, 1},
        {BIND_BUTTON, 0, -1, 0, 0}, {BIND_BUTTON, 0, 0, 1000, 0}, {BIND_BUTTON, 0, INT32_MAX, 0, 0},
        {5, 0, 0, 0, 0}, {-1, 4, 0, 0, 0},
    };
    for (const Binding &b : cases)
        EXPECT_FALSE(active(b)) << str(b);
    const Binding in_range[] = {   // the same controls in range are active
        {BIND_KEY, SDL_NUM_SCANCODES - 1, 0, 0, 0}, {BIND_AXIS, 0, 1, 0, 0},
        {BIND_HAT, 0, SDL_HAT_UP, 0, 0}, {BIND_BUTTON, 0, 0, 0, 0},
    };
    for (const Binding &b : in_range)
        EXPECT_TRUE(active(b)) << str(b);
}

TEST_F(Input, StepSendsEveryButtonAndReleasesOnDetach)
{
    gameinfo.players = 2;
    const int buttons = input_button_count();
    Pad pad(0, 0, 10, 0);
    settings.bindings[0][1][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][0] = Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0};
    settings.bindings[1][2][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    pad.button(3, true);
    fake_keys[SDL_SCANCODE_Q] = 1;
    input_step();
    ASSERT_EQ((size_t)(2 * buttons), sent_buttons.size());
    for (const SentButton &s : sent_buttons)
        EXPECT_EQ((s.player == 0 && s.button == 1) || (s.player == 1 && s.button == 2), s.pressed)
            << s.player << "/" << s.button;

    pad.detach();
    sent_buttons.clear();
    input_step();
    ASSERT_EQ((size_t)(2 * buttons), sent_buttons.size());
    EXPECT_FALSE(sent_buttons[1].pressed) << "button held on the detached joystick";
    EXPECT_TRUE(sent_buttons[buttons + 2].pressed) << "the key still holds player 2's button";
}

TEST_F(Input, OnePlayerCaptureStoresForPlayerOne)
{
    // Two-player captures are covered through the change-keys page.
    shown_player = 1;
    capture_button = 2;
    capture_slot = 1;
    input_step();   // nothing active: the capture waits
    EXPECT_EQ(2, capture_button);
    EXPECT_FALSE(res->exists("res/conf"));
    fake_keys[SDL_SCANCODE_SPACE] = 1;
    input_step();
    EXPECT_TRUE(sent_buttons.empty()) << "no button state while capturing";
    EXPECT_EQ(-1, capture_button);
    EXPECT_EQ(str(Binding{BIND_KEY, SDL_SCANCODE_SPACE, 0, 0, 0}), str(settings.bindings[0][2][1]));
    EXPECT_TRUE(has_line(res->read("res/conf"), "btn_0_2_1_code=44")) << res->read("res/conf");
}

TEST_F(Input, DefaultsWithAndWithoutDonfAndClear)
{
    const int buttons = input_button_count();
    const Binding marker = {BIND_KEY, 99, 0, 0, 0};
    Binding *all = &settings.bindings[0][0][0];
    auto fill = [&] { std::fill(all, all + sizeof settings.bindings / sizeof *all, marker); };
    auto is_proposal = [&](int p) {
        for (int b = 0; b < buttons; b++) {
            Binding key = {BIND_KEY, ox_button_get_default_keyboard(b), 0, 0, 0};
            Binding joy = {b < 4 ? BIND_HAT : BIND_BUTTON, 0, ox_button_get_default_joystick(b), 0, 0};
            if (str(key) != str(settings.bindings[p][b][0]) || str(joy) != str(settings.bindings[p][b][1]))
                return false;
        }
        return true;
    };
    auto untouched = [&](int p) { return str(marker) == str(settings.bindings[p][0][0]); };

    // Without res/donf: the component's proposals, for the named or every bound player.
    struct Case { int players, named; bool p0, p1; } cases[] = {
        {1, -1, true, false}, {2, -1, true, true}, {2, 1, false, true}, {2, 5, false, false},
    };
    for (const Case &c : cases) {
        gameinfo.players = c.players;
        fill();
        bindings_set_defaults(c.named);
        EXPECT_TRUE(c.p0 ? is_proposal(0) : untouched(0)) << c.players << " " << c.named;
        EXPECT_TRUE(c.p1 ? is_proposal(1) : untouched(1)) << c.players << " " << c.named;
        EXPECT_EQ(str(marker), str(settings.bindings[0][buttons][0])) << "beyond the buttons";
    }

    // With res/donf, every bound player takes the file's bindings, whoever was named.
    res->write("res/donf", "scale=2\nbtn_0_0_0_type=2\nbtn_0_0_0_axis=5\nbtn_1_1_1_type=4\nbtn_1_1_1_value=9\n");
    for (int named : {-1, 1}) {
        gameinfo.players = 2;
        fill();
        bindings_set_defaults(named);
        EXPECT_EQ(str(Binding{BIND_AXIS, 0, 0, 0, 5}), str(settings.bindings[0][0][0])) << named;
        EXPECT_EQ(str(Binding{BIND_BUTTON, 0, 9, 0, 0}), str(settings.bindings[1][1][1])) << named;
        EXPECT_EQ(str(Binding{}), str(settings.bindings[0][0][1])) << named;
        EXPECT_EQ(str(Binding{}), str(settings.bindings[1][0][0])) << named;
        EXPECT_EQ(str(marker), str(settings.bindings[1][buttons][0])) << named;
    }
    gameinfo.players = 1;
    fill();
    bindings_set_defaults(-1);
    EXPECT_TRUE(untouched(1)) << "one player: the file's player 2 lines are not read";

    gameinfo.players = 2;
    fill();
    bindings_clear(MAX_PLAYERS);
    EXPECT_TRUE(untouched(0) && untouched(1)) << "a player beyond the table";
}

static int many_buttons(void) { return 40; }

TEST_F(Input, ComponentWithTooManyButtons)
{
    input_raw_button_count = many_buttons;
    gameinfo.players = 2;
    bindings_set_defaults(-1);
    bindings_clear(-1);
    input_step();
    EXPECT_EQ((size_t)(2 * MAX_BUTTONS), sent_buttons.size());
    bindings_refresh_labels();
    EXPECT_STREQ("none", binding_labels[MAX_BUTTONS - 1][1]);
}
