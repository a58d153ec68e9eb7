// Reading keyboard and joysticks for the binding table, with SDL's virtual joysticks and a
// keyboard array owned by the test.
#include "pages_fixture.h"
#include <algorithm>
#include "input/defaults.h"
class Input : public Pages {};
static const Binding NOTHING = {-1, 0, 0, 0, 0};
static Binding capture() { Binding b = {}; if (!input_poll_binding(b, true)) b.type = -1; return b; }
static bool active(Binding b) { return input_poll_binding(b, false); }
TEST_F(Input, AxisThresholdsAndTriggerAtRest)
{
    // Slot 0 is game-controller-typed: its triggers (axes 4 and 5) rest at -32768.
    Pad pad(1, 3, 4, 0), ctl(0, 6, 4, 0, SDL_JOYSTICK_TYPE_GAMECONTROLLER);
    ctl.axis(4, -32768), ctl.axis(5, -32768);
    // {slot, axis, value, side captured (0: nothing), active as +, active as either side}
    struct Case { int slot, axis, v, side; bool pos, any; } cases[] = {
        {1, 2, -16000, 1, 0, 1}, {1, 2, -15999, 0, 0, 0}, {1, 2, 15999, 0, 0, 0}, {1, 2, 16000, 2, 1, 1}, {0, 4, -32768, 0, 0, 0},
        {0, 4, -16769, 0, 0, 0}, {0, 4, -16768, 2, 0, 1} /* deflected, yet below 0 */, {0, 4, 0, 2, 0, 0}, {0, 4, 1, 2, 1, 1}};
    for (const Case &c : cases) {
        (c.slot ? pad : ctl).axis(c.axis, c.v);
        Binding want = {BIND_AXIS, 0, c.side, c.slot, c.axis}, pos = {BIND_AXIS, 0, 2, c.slot, c.axis};
        EXPECT_EQ(str(c.side ? want : NOTHING) + char('0' + c.pos * 2 + c.any), str(capture()) + char('0' + active(pos) * 2
                  + active({BIND_AXIS, 0, 3, c.slot, c.axis}))) << "axis " << c.axis << " at " << c.v << ": 2 if active as +, 1 as any";
        EXPECT_FALSE(active(Binding{BIND_AXIS, 0, 3, 1 - c.slot, c.axis})) << c.v << ": another joystick";
        (c.slot ? pad : ctl).axis(c.axis, c.slot ? 0 : -32768);
    }
}
TEST_F(Input, HatsWithDiagonalsAndButtonsNineAndTen)
{
    Pad pad(0, 0, 16, 2);
    const Binding up_right = {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 1}, up = {BIND_HAT, 0, SDL_HAT_UP, 0, 1};
    pad.hat(1, SDL_HAT_RIGHTUP);
    EXPECT_EQ(str(up_right), str(capture()));
    struct Case { int mask; bool up_right, up; } cases[] = {
        {SDL_HAT_CENTERED, 0, 0}, {SDL_HAT_UP, 1, 1}, {SDL_HAT_RIGHT, 1, 0}, {SDL_HAT_RIGHTUP, 1, 1},
        {SDL_HAT_LEFTUP, 1, 1}, {SDL_HAT_RIGHTDOWN, 1, 0}, {SDL_HAT_LEFT, 0, 0}, {SDL_HAT_LEFTDOWN, 0, 0}};
    for (const Case &c : cases) {
        pad.hat(1, c.mask);
        EXPECT_EQ(c.up_right * 10 + c.up, active(up_right) * 10 + active(up)) << "hat at " << c.mask;
    }
    pad.hat(1, SDL_HAT_CENTERED), pad.hat(0, SDL_HAT_UP);
    EXPECT_FALSE(active(up)) << "the same position on another hat";
    pad.hat(0, SDL_HAT_CENTERED), pad.button(10, true), pad.button(15, true);
    EXPECT_EQ(str(NOTHING), str(capture())) << "buttons beyond the tenth";
    EXPECT_FALSE(active(Binding{BIND_BUTTON, 0, 10, 0, 0}));
    pad.button(9, true);
    EXPECT_EQ(str(Binding{BIND_BUTTON, 0, 9, 0, 0}), str(capture()));
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
    pad0.axis(2, 20000), pad0.axis(1, -20000);
    EXPECT_EQ(str(Binding{BIND_AXIS, 0, 1, 0, 1}), str(capture())) << "lowest axis first";
    fake_keys[300] = 1;
    EXPECT_EQ(str(Binding{BIND_AXIS, 0, 1, 0, 1}), str(capture())) << "keys above 255 are not captured";
    fake_keys[255] = fake_keys[200] = 1;
    EXPECT_EQ(str(Binding{BIND_KEY, 200, 0, 0, 0}), str(capture())) << "the keyboard first";
    EXPECT_TRUE(active(Binding{BIND_KEY, 300, 0, 0, 0})) << "a key above 255 from a file is tested";
}
TEST_F(Input, OutOfRangeBindingsNeverActive)
{
    Pad pad(0, 2, 10, 1);
    pad.axis(0, -32768), pad.hat(0, SDL_HAT_UP), pad.button(0, true), memset(fake_keys, 1, sizeof fake_keys);
    struct Case { Binding b; bool active; } cases[] = {   // the last of each kind is in range
        {{BIND_KEY, -1, 0, 0, 0}, 0}, {{BIND_KEY, SDL_NUM_SCANCODES, 0, 0, 0}, 0}, {{BIND_KEY, SDL_NUM_SCANCODES - 1, 0, 0, 0}, 1},
        {{BIND_AXIS, 0, 3, -1, 0}, 0}, {{BIND_AXIS, 0, 3, 4, 0}, 0}, {{BIND_AXIS, 0, 3, 0, -1}, 0}, {{BIND_AXIS, 0, 1, 0, 0}, 1},
        {{BIND_HAT, 0, 15, INT32_MIN, 0}, 0}, {{BIND_HAT, 0, 15, 0, -1}, 0}, {{BIND_HAT, 0, SDL_HAT_UP, 0, 0}, 1},
        {{BIND_BUTTON, 0, -1, 0, 0}, 0}, {{BIND_BUTTON, 0, INT32_MAX, 0, 0}, 0}, {{BIND_BUTTON, 0, 0, 0, 0}, 1},
        {{5, 0, 0, 0, 0}, 0}, {{-1, 4, 0, 0, 0}, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(c.active, active(c.b)) << str(c.b);
}
TEST_F(Input, StepSendsEveryButtonAndReleasesOnDetach)
{
    gameinfo.players = 2;
    const int buttons = input_button_count();
    Pad pad(0, 0, 10, 0);
    settings.bindings[0][1][1] = settings.bindings[1][2][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][0] = Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0};
    pad.button(3, true), fake_keys[SDL_SCANCODE_Q] = 1;
    for (int detached = 0; detached < 2; detached++) {   // the key still holds player 2's button
        if (detached) pad.detach();
        sent_buttons.clear(), input_step();
        std::string want(2 * buttons, '0'), got;
        want[buttons + 2] = '1', want[1] = detached ? '0' : '1';
        for (size_t i = 0; i < sent_buttons.size(); i++)
            got += sent_buttons[i].player * buttons + sent_buttons[i].button == (int)i ? '0' + sent_buttons[i].pressed : '?';
        EXPECT_EQ(want, got) << (detached ? "joystick detached" : "attached");
    }
}
TEST_F(Input, DefaultsWithAndWithoutDonf)
{
    const int buttons = input_button_count();
    const Binding marker = {BIND_KEY, 99, 0, 0, 0};
    auto fill = [&] { std::fill_n(&settings.bindings[0][0][0], sizeof settings.bindings / sizeof marker, marker); };
    auto state = [&](int p) {   // 'u' untouched, 'f' res/donf's, 'p' the component's, '!' beyond the buttons
        const Binding(*b)[MAX_SLOTS] = settings.bindings[p];
        bool proposal = true;
        for (int i = 0; i < buttons; i++)
            proposal &= str(b[i][0]) + str(b[i][1]) == str({BIND_KEY, ox_button_get_default_keyboard(i), 0, 0, 0})
                + str({i < 4 ? BIND_HAT : BIND_BUTTON, 0, ox_button_get_default_joystick(i), 0, 0});
        bool file = p ? str(b[1][1]) == str({BIND_BUTTON, 0, 9, 0, 0}) : str(b[0][0]) == str({BIND_AXIS, 0, 0, 0, 5});
        return str(b[buttons][0]) != str(marker) ? '!' : str(b[0][0]) == str(marker) ? 'u' : file ? 'f' : proposal ? 'p' : '?';
    };
    struct Case { bool donf; int players, named; const char *want; } cases[] = {   // res/donf: whoever is named
        {0, 1, -1, "pu"}, {0, 2, -1, "pp"}, {0, 2, 1, "up"}, {0, 2, 5, "uu"},
        {1, 2, -1, "ff"}, {1, 2, 1, "ff"}, {1, 1, -1, "fu"}};
    for (const Case &c : cases) {
        if (c.donf) res->write("res/donf", "btn_0_0_0_type=2\nbtn_0_0_0_axis=5\nbtn_1_1_1_type=4\nbtn_1_1_1_value=9\n");
        gameinfo.players = c.players;
        fill(), bindings_set_defaults(c.named);
        EXPECT_EQ(c.want, std::string() + state(0) + state(1)) << c.donf << " donf, " << c.players << " players, " << c.named;
    }
    fill(), bindings_clear(MAX_PLAYERS);
    EXPECT_EQ("uu", std::string() + state(0) + state(1)) << "clearing a player beyond the table";
}
static int many_buttons(void) { return 40; }
TEST_F(Input, ComponentWithTooManyButtons)
{
    input_raw_button_count = many_buttons, gameinfo.players = 2;
    bindings_set_defaults(-1), bindings_clear(-1), input_step(), bindings_refresh_labels();
    EXPECT_EQ((size_t)(2 * MAX_BUTTONS), sent_buttons.size());
    EXPECT_STREQ("none", binding_labels[MAX_BUTTONS - 1][1]);
}
