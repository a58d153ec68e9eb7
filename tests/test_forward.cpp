// The game run forward a pass at a time, as the loop runs it: run-ahead shows a picture one
// frame on per frame run ahead and undoes the rest (the state, the sound, the previews and
// rewind's states keep the real frames only); fast-forward runs four real frames a pass,
// silent, under its notice.
// The reference component, the same buttons every run. And the plain decisions behind them.
// (Run-ahead switched off by slow saves, with its notice: e2e_forward.sh.)
#include <gtest/gtest.h>

#include "app/forward.h"
#include "input/devices.h"
#include "input/fixed_controls.h"
#include "rewind/rewind.h"
#include "rewind/runahead.h"
#include "support/forward_run.h"

#define PASSES 48

// Fast-forward keeps rewind's states of the real frames, without sound. (Its four frames a
// pass and its notice: e2e_forward.sh.)
TEST(Forward, RunAheadShowsLaterFramesKeepingOnlyTheRealOnesAndFastForwardRunsFourSilently)
{
    const Passes plain = forward_run(0, false, PASSES);
    for (int32_t ahead : {1, 2}) {
        const Passes run = forward_run(ahead, false, PASSES);
        // The frames ahead run with the pass's buttons: where the next passes hold the same.
        for (int32_t p = 0; p + ahead < PASSES; p++) {
            if (forward_run_buttons(p) != forward_run_buttons(p + ahead))
                continue;
            EXPECT_EQ(plain.shown[p + ahead], run.shown[p]) << "run-ahead " << ahead << ", pass " << p;
        }
        EXPECT_EQ(plain.shown, run.kept) << "run-ahead " << ahead << ": previews";
        EXPECT_EQ(plain.sound, run.sound) << "run-ahead " << ahead;
        EXPECT_EQ(plain.state, run.state) << "run-ahead " << ahead;
        EXPECT_EQ(plain.rewind_bytes, run.rewind_bytes) << "run-ahead " << ahead << ": rewind's states";
        EXPECT_EQ("", run.notice) << "run-ahead " << ahead;
    }
    EXPECT_EQ(PASSES / REWIND_INTERVAL * plain.state.size(), plain.rewind_bytes) << "a state every few frames";
    const Passes fast = forward_run(1, true, PASSES / FAST_FORWARD_FRAMES);
    EXPECT_EQ(plain.rewind_bytes, fast.rewind_bytes) << "rewind's states of the real frames";
    EXPECT_TRUE(fast.sound.empty());
}

// The plans the run above does not make: off, one frame and two, and fast-forward run there.
TEST(ForwardDecisions, PlansAndCost)
{
    const struct { const char *name; int32_t setting; bool off; int32_t ahead; } cases[] = {
        {"more is held to two", 5, false, RUNAHEAD_MAX_FRAMES},
        {"a negative setting", -1, false, 0},
        {"switched off", 2, true, 0},
    };
    for (const auto &c : cases) {
        ForwardPlan plan = forward_plan(c.setting, false, c.off);
        EXPECT_EQ(1, plan.real) << c.name;
        EXPECT_EQ(c.ahead, plan.ahead) << c.name;
    }
    EXPECT_FALSE(runahead_too_slow(8334, 16668));
    EXPECT_TRUE(runahead_too_slow(8335, 16668));
}

// The right shoulder is fast-forward's only while no binding of the game's players takes it.
TEST(ForwardDecisions, PadButtonFreeUnlessTheGameBindsIt)
{
    const struct { const char *name; int32_t players, player, button, type, value; bool bound; } cases[] = {
        {"player 2's second slot", 2, 1, 11, BIND_BUTTON, FAST_FORWARD_PAD_BUTTON, true},
        {"another button", 2, 0, 0, BIND_BUTTON, 4, false},
        {"a key of that code", 2, 0, 0, BIND_KEY, FAST_FORWARD_PAD_BUTTON, false},
        {"a player the game lacks", 1, 1, 0, BIND_BUTTON, FAST_FORWARD_PAD_BUTTON, false},
        {"a button the component lacks", 2, 0, 12, BIND_BUTTON, FAST_FORWARD_PAD_BUTTON, false},
    };
    for (const auto &c : cases) {
        Binding table[MAX_PLAYERS][MAX_BUTTONS][MAX_SLOTS] = {};
        table[c.player][c.button][1] = Binding{c.type, 0, c.value, 0, 0};
        EXPECT_EQ(c.bound, pad_button_bound(table, c.players, 12, FAST_FORWARD_PAD_BUTTON)) << c.name;
    }
    Devices d = {};
    d.pad[3].joystick = true;
    d.pad[3].buttons = FAST_FORWARD_PAD_BUTTON + 1;
    d.pad[3].button[FAST_FORWARD_PAD_BUTTON] = true;
    EXPECT_TRUE(fast_forward_down(d, true));
    EXPECT_FALSE(fast_forward_down(d, false));
    d.pad[3].buttons = FAST_FORWARD_PAD_BUTTON;
    EXPECT_FALSE(fast_forward_down(d, true)) << "a pad without that button";
    d.key[FAST_FORWARD_KEY] = 1;
    EXPECT_TRUE(fast_forward_down(d, false));
}
