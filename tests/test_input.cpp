// Reading keyboard and joysticks for the binding table, with SDL's virtual joysticks and a
// keyboard array owned by the test.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include <SDL.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/capture.h"
#include "input/defaults.h"
#include "input/input.h"
#include "input/labels.h"
#include "support/res_dir.h"
#include "video/gamestate.h"

static uint8_t fake_keys[SDL_NUM_SCANCODES];
static const uint8_t *read_fake_keys(int *numkeys)
{
    if (numkeys)
        *numkeys = SDL_NUM_SCANCODES;
    return fake_keys;
}

struct Sent { int player, button; bool pressed; };
static std::vector<Sent> sent;
static void record_button(int player, int button, bool pressed)
{
    sent.push_back(Sent{player, button, pressed});
}

// A virtual joystick opened into a slot of gamestate.joysticks.
struct Pad {
    SDL_Joystick *joy = nullptr;
    int slot = -1;

    Pad(int slot_, int axes, int buttons, int hats,
        SDL_JoystickType type = SDL_JOYSTICK_TYPE_GAMECONTROLLER) : slot(slot_)
    {
        int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
        joy = index >= 0 ? SDL_JoystickOpen(index) : nullptr;
        gamestate.joysticks[slot] = joy;
        EXPECT_NE(nullptr, joy) << SDL_GetError();
    }
    ~Pad()
    {
        detach();
        SDL_JoystickClose(joy);
        gamestate.joysticks[slot] = nullptr;
    }
    void axis(int a, int v) { SDL_JoystickSetVirtualAxis(joy, a, (Sint16)v); SDL_JoystickUpdate(); }
    void hat(int h, int m) { SDL_JoystickSetVirtualHat(joy, h, (Uint8)m); SDL_JoystickUpdate(); }
    void button(int b, bool down) { SDL_JoystickSetVirtualButton(joy, b, down); SDL_JoystickUpdate(); }
    void detach()
    {
        SDL_JoystickID id = SDL_JoystickInstanceID(joy);
        for (int i = 0; i < SDL_NumJoysticks(); i++)
            if (SDL_JoystickGetDeviceInstanceID(i) == id)
                SDL_JoystickDetachVirtual(i);
        SDL_JoystickUpdate();
    }
};

class Input : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_EQ(0, SDL_Init(SDL_INIT_JOYSTICK)) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }
    void SetUp() override
    {
        memset(fake_keys, 0, sizeof fake_keys);
        input_keyboard_state = read_fake_keys;
        input_send_button = record_button;
        sent.clear();
        settings = Settings();
        gameinfo.players = 1;
        capture_button = -1;
        capture_slot = 0;
        shown_player = 0;
    }
    void TearDown() override
    {
        input_keyboard_state = SDL_GetKeyboardState;
        input_send_button = ox_button_set_state;
        gameinfo.players = 1;
        capture_button = -1;
    }
    static Binding capture()
    {
        Binding b = {};
        if (!input_poll_binding(b, true))
            b.type = -1;   // nothing captured
        return b;
    }
    static bool active(Binding b) { return input_poll_binding(b, false); }
};

static std::string str(const Binding &b)
{
    char text[96];
    snprintf(text, sizeof text, "{%i,%i,%i,%i,%i}", b.type, b.code, b.value, b.joyid, b.axis);
    return text;
}

TEST_F(Input, AxisThresholdsFromRest)
{
    Pad pad(1, 3, 4, 0, SDL_JOYSTICK_TYPE_UNKNOWN);
    const Binding negative = {BIND_AXIS, 0, 1, 1, 2}, positive = {BIND_AXIS, 0, 2, 1, 2},
                  either = {BIND_AXIS, 0, 3, 1, 2}, other_axis = {BIND_AXIS, 0, 3, 1, 1},
                  other_joy = {BIND_AXIS, 0, 3, 0, 2};
    struct Case { int v; int captured_side; bool neg, pos; } cases[] = {
        {-32768, 1, true, false}, {-16000, 1, true, false}, {-15999, 0, false, false},
        {0, 0, false, false}, {15999, 0, false, false}, {16000, 2, false, true},
        {32767, 2, false, true},
    };
    for (const Case &c : cases) {
        pad.axis(2, c.v);
        Binding got = capture();
        Binding want = c.captured_side ? Binding{BIND_AXIS, 0, c.captured_side, 1, 2} : Binding{-1, 0, 0, 0, 0};
        EXPECT_EQ(str(want), str(got)) << "axis at " << c.v;
        EXPECT_EQ(c.neg, active(negative)) << c.v;
        EXPECT_EQ(c.pos, active(positive)) << c.v;
        EXPECT_EQ(c.neg || c.pos, active(either)) << c.v;
        EXPECT_FALSE(active(other_axis)) << c.v;
        EXPECT_FALSE(active(other_joy)) << c.v;
    }
}

TEST_F(Input, TriggerRestingAtMinimum)
{
    // A game-controller-typed device has its triggers (axes 4 and 5) resting at -32768.
    Pad pad(0, 6, 4, 0);
    Sint16 rest = 0;
    ASSERT_TRUE(SDL_JoystickGetAxisInitialState(pad.joy, 4, &rest));
    ASSERT_EQ(-32768, rest);
    pad.axis(5, -32768);
    const Binding positive = {BIND_AXIS, 0, 2, 0, 4}, either = {BIND_AXIS, 0, 3, 0, 4};
    struct Case { int v; bool captured, pos, any; } cases[] = {
        {-32768, false, false, false}, {-16769, false, false, false},
        {-16768, true, false, true},   // deflected, yet on the negative side of 0
        {0, true, false, false}, {1, true, true, true}, {32767, true, true, true},
    };
    for (const Case &c : cases) {
        pad.axis(4, c.v);
        Binding got = capture();
        EXPECT_EQ(str(c.captured ? Binding{BIND_AXIS, 0, 2, 0, 4} : Binding{-1, 0, 0, 0, 0}), str(got)) << c.v;
        EXPECT_EQ(c.pos, active(positive)) << c.v;
        EXPECT_EQ(c.any, active(either)) << c.v;
    }
}

TEST_F(Input, HatsAndDiagonals)
{
    Pad pad(0, 0, 4, 2);
    pad.hat(1, SDL_HAT_RIGHTUP);
    EXPECT_EQ(str(Binding{BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 1}), str(capture()));

    const Binding up_right = {BIND_HAT, 0, SDL_HAT_RIGHTUP, 0, 1}, up = {BIND_HAT, 0, SDL_HAT_UP, 0, 1};
    struct Case { int mask; bool up_right, up; } cases[] = {
        {SDL_HAT_CENTERED, false, false}, {SDL_HAT_UP, true, true}, {SDL_HAT_RIGHT, true, false},
        {SDL_HAT_RIGHTUP, true, true}, {SDL_HAT_LEFTUP, true, true}, {SDL_HAT_RIGHTDOWN, true, false},
        {SDL_HAT_LEFT, false, false}, {SDL_HAT_DOWN, false, false}, {SDL_HAT_LEFTDOWN, false, false},
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
}

TEST_F(Input, OnlyFirstTenButtons)
{
    Pad pad(0, 0, 16, 0);
    const Binding nine = {BIND_BUTTON, 0, 9, 0, 0}, ten = {BIND_BUTTON, 0, 10, 0, 0};
    pad.button(10, true);
    pad.button(15, true);
    EXPECT_EQ(-1, capture().type);
    EXPECT_FALSE(active(ten));
    pad.button(9, true);
    EXPECT_EQ(str(nine), str(capture()));
    EXPECT_TRUE(active(nine));
}

TEST_F(Input, CaptureOrder)
{
    Pad pad0(0, 3, 10, 1, SDL_JOYSTICK_TYPE_UNKNOWN);
    Pad pad2(2, 3, 10, 1, SDL_JOYSTICK_TYPE_UNKNOWN);
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

    // A key above 255 from a file or the defaults is tested normally.
    EXPECT_TRUE(active(Binding{BIND_KEY, 300, 0, 0, 0}));
}

TEST_F(Input, OutOfRangeBindingsNeverActive)
{
    Pad pad(0, 2, 10, 1, SDL_JOYSTICK_TYPE_UNKNOWN);
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
    // The same controls in range are active.
    EXPECT_TRUE(active(Binding{BIND_KEY, SDL_NUM_SCANCODES - 1, 0, 0, 0}));
    EXPECT_TRUE(active(Binding{BIND_AXIS, 0, 1, 0, 0}));
    EXPECT_TRUE(active(Binding{BIND_HAT, 0, SDL_HAT_UP, 0, 0}));
    EXPECT_TRUE(active(Binding{BIND_BUTTON, 0, 0, 0, 0}));
}

TEST_F(Input, StepSendsEveryButtonAndReleasesOnDetach)
{
    gameinfo.players = 2;
    int buttons = input_button_count();
    ASSERT_GT(buttons, 2);
    Pad pad(0, 0, 10, 0);
    settings.bindings[0][1][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    settings.bindings[1][2][0] = Binding{BIND_KEY, SDL_SCANCODE_Q, 0, 0, 0};
    settings.bindings[1][2][1] = Binding{BIND_BUTTON, 0, 3, 0, 0};
    pad.button(3, true);
    fake_keys[SDL_SCANCODE_Q] = 1;
    input_step();
    ASSERT_EQ((size_t)(2 * buttons), sent.size());
    for (const Sent &s : sent) {
        bool want = (s.player == 0 && s.button == 1) || (s.player == 1 && s.button == 2);
        EXPECT_EQ(want, s.pressed) << s.player << "/" << s.button;
    }

    pad.detach();
    sent.clear();
    input_step();
    ASSERT_EQ((size_t)(2 * buttons), sent.size());
    EXPECT_FALSE(sent[1].pressed) << "button held on the detached joystick";
    EXPECT_TRUE(sent[buttons + 2].pressed) << "the key still holds player 2's button";
}

TEST_F(Input, CaptureStep)
{
    ResDir dir;
    struct Case { int players, shown, stored_for; } cases[] = { {2, 1, 1}, {2, 0, 0}, {1, 1, 0} };
    for (const Case &c : cases) {
        settings = Settings();
        memset(fake_keys, 0, sizeof fake_keys);
        dir.remove("res/conf");
        gameinfo.players = c.players;
        shown_player = c.shown;
        capture_button = 2;
        capture_slot = 1;
        sent.clear();

        input_step();   // nothing active: the capture waits
        EXPECT_EQ(2, capture_button);
        EXPECT_FALSE(dir.exists("res/conf"));

        fake_keys[SDL_SCANCODE_SPACE] = 1;
        input_step();
        EXPECT_TRUE(sent.empty()) << "no button state while capturing";
        EXPECT_EQ(-1, capture_button);
        EXPECT_EQ(str(Binding{BIND_KEY, SDL_SCANCODE_SPACE, 0, 0, 0}),
                  str(settings.bindings[c.stored_for][2][1])) << c.players << " " << c.shown;
        std::string key = "btn_" + std::to_string(c.stored_for) + "_2_1_code=44\n";
        EXPECT_NE(std::string::npos, dir.read("res/conf").find(key)) << key;
        EXPECT_STREQ(c.shown == c.stored_for ? "Space" : "none", binding_labels[2][1]);
    }
}

TEST_F(Input, DefaultsAndClear)
{
    ResDir dir;
    int buttons = input_button_count();
    ASSERT_GT(buttons, 4);
    const Binding marker = {BIND_KEY, 99, 0, 0, 0};
    auto fill = [&] {
        for (auto &player : settings.bindings)
            for (auto &button : player)
                for (Binding &slot : button)
                    slot = marker;
    };
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
        {1, -1, true, false}, {2, -1, true, true}, {2, 1, false, true}, {2, 0, true, false}, {2, 5, false, false},
    };
    for (const Case &c : cases) {
        gameinfo.players = c.players;
        fill();
        bindings_set_defaults(c.named);
        EXPECT_EQ(c.p0, is_proposal(0)) << c.players << " " << c.named;
        EXPECT_EQ(!c.p0, untouched(0)) << c.players << " " << c.named;
        EXPECT_EQ(c.p1, is_proposal(1)) << c.players << " " << c.named;
        EXPECT_EQ(!c.p1, untouched(1)) << c.players << " " << c.named;
        EXPECT_EQ(str(marker), str(settings.bindings[0][buttons][0])) << "beyond the buttons";
    }

    // With res/donf, every bound player takes the file's bindings, whoever was named.
    dir.write("res/donf", "scale=2\nbtn_0_0_0_type=2\nbtn_0_0_0_axis=5\nbtn_1_1_1_type=4\nbtn_1_1_1_value=9\n");
    for (int named : {-1, 1}) {
        gameinfo.players = 2;
        fill();
        bindings_set_defaults(named);
        EXPECT_EQ(str(Binding{BIND_AXIS, 0, 0, 0, 5}), str(settings.bindings[0][0][0]));
        EXPECT_EQ(str(Binding{BIND_BUTTON, 0, 9, 0, 0}), str(settings.bindings[1][1][1]));
        EXPECT_EQ(str(Binding{}), str(settings.bindings[0][0][1]));
        EXPECT_EQ(str(Binding{}), str(settings.bindings[1][0][0]));
        EXPECT_EQ(str(marker), str(settings.bindings[1][buttons][0]));
    }
    gameinfo.players = 1;
    fill();
    bindings_set_defaults(-1);
    EXPECT_TRUE(untouched(1)) << "one player: the file's player 2 lines are not read";

    // Clearing: the named player, or every bound player.
    gameinfo.players = 2;
    fill();
    bindings_clear(1);
    EXPECT_TRUE(untouched(0));
    EXPECT_EQ(str(Binding{}), str(settings.bindings[1][buttons - 1][1]));
    EXPECT_EQ(str(marker), str(settings.bindings[1][buttons][0]));
    fill();
    bindings_clear(-1);
    EXPECT_EQ(str(Binding{}), str(settings.bindings[0][0][0]));
    EXPECT_EQ(str(Binding{}), str(settings.bindings[1][0][0]));
    fill();
    bindings_clear(2);
    EXPECT_TRUE(untouched(0) && untouched(1));
}

static int many_buttons(void) { return 40; }

TEST_F(Input, ComponentWithTooManyButtons)
{
    ResDir dir;
    input_raw_button_count = many_buttons;
    gameinfo.players = 2;
    bindings_set_defaults(-1);
    bindings_clear(-1);
    input_step();
    EXPECT_EQ((size_t)(2 * MAX_BUTTONS), sent.size());
    bindings_refresh_labels();
    EXPECT_STREQ("none", binding_labels[MAX_BUTTONS - 1][1]);
    input_raw_button_count = ox_button_get_count;
}
