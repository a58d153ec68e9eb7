// The game run forward a pass at a time, as the loop runs it: run-ahead shows a picture one
// frame on per frame run ahead and undoes the rest (the state, the sound and the previews keep
// the real frames only); fast-forward runs four real frames a pass, silent, under its notice.
// The reference component, the same buttons every run. And the plain decisions behind them.
// (Run-ahead switched off by slow saves, with its notice: e2e_forward.sh.)
#include <gtest/gtest.h>

#include "app/forward.h"
#include "base/notice.h"
#include "config/settings.h"
#include "rewind/runahead.h"
#include "sound/sound_hold.h"
#include "input/devices.h"
#include "input/fixed_controls.h"
#include "video/video.h"
#include "video/video_state.h"
#include "support/component_run.h"
#include "support/res_dir.h"

#define PASSES 48
#define SOUND_CAPACITY (4 * 735)   // the stream's: four frames at 44100 Hz and 60 fps

struct Passes {
    std::vector<uint64_t> shown;   // per pass: the picture presented
    std::vector<uint64_t> kept;    // and the one a save's preview takes
    std::vector<int16_t> sound;    // what the stream took over all passes
    std::string state;             // after the last pass
};

static uint64_t picture_hash(const uint8_t *pixels, int32_t w, int32_t h)
{
    return bytes_hash(std::vector<uint8_t>(pixels, pixels + (size_t)w * h * 4));
}

// Which buttons are down at real frame f: a new set every twelfth, so that a fast-forward pass
// (four frames) has one set.
static int32_t buttons_at(int32_t f)
{
    return f / 12;
}

// passes of the loop from a fresh start with run-ahead at runahead, Tab held when fast; the
// buttons change every few frames (by the real frame count, so a fast run meets them too).
static Passes run_passes(int32_t runahead, bool fast, int32_t passes)
{
    ResDir res;
    Passes out;
    EXPECT_TRUE(component_start());
    settings.runahead = runahead;
    input_devices() = Devices{};
    input_devices().key[FAST_FORWARD_KEY] = fast;
    forward_init(SOUND_CAPACITY);
    std::vector<int16_t> samples(2 * SOUND_CAPACITY);
    for (int32_t p = 0; p < passes; p++) {
        for (int b = 0; b < COMPONENT_RUN_BUTTONS; b++)
            ox_button_set_state(0, b, (buttons_at(p * (fast ? FAST_FORWARD_FRAMES : 1)) + b) % 5 == 0);
        // Its cost is judged by its own table: a loaded machine must not switch it off here.
        runahead_rearm();
        forward_step();
        forward_frame_update();
        const VideoState &v = video_state();
        out.shown.push_back(picture_hash(v.pixels, v.raster_w, v.raster_h));
        FramePicture kept;
        EXPECT_TRUE(video_frame_picture(kept));
        out.kept.push_back(picture_hash(kept.pixels, kept.raster_w, kept.raster_h));
        int n = sound_hold_render(samples.data(), SOUND_CAPACITY);
        out.sound.insert(out.sound.end(), samples.begin(), samples.begin() + 2 * n);
    }
    EXPECT_FALSE(runahead_off()) << "run-ahead " << runahead << " switched itself off";
    EXPECT_STREQ(fast ? "Fast forward" : "", notice_text());
    EXPECT_TRUE(ox_state_save(res.path("res/state").c_str()));
    out.state = res.read("res/state");
    forward_end();
    ox_core_shut();
    return out;
}

// Fast-forward reaches the plain run's last frame in a quarter of the passes, without sound.
TEST(Forward, RunAheadShowsLaterFramesKeepingOnlyTheRealOnesAndFastForwardRunsFourSilently)
{
    const Passes plain = run_passes(0, false, PASSES);
    ASSERT_NE(plain.shown.front(), plain.shown.back()) << "the pictures must differ to compare them";
    for (int32_t ahead : {1, 2}) {
        const Passes run = run_passes(ahead, false, PASSES);
        // The frames ahead run with the pass's buttons: where the next passes hold the same.
        for (int32_t p = 0; p + ahead < PASSES; p++) {
            if (buttons_at(p) != buttons_at(p + ahead))
                continue;
            EXPECT_EQ(plain.shown[p + ahead], run.shown[p]) << "run-ahead " << ahead << ", pass " << p;
        }
        EXPECT_EQ(plain.shown, run.kept) << "run-ahead " << ahead << ": previews";
        EXPECT_EQ(plain.sound, run.sound) << "run-ahead " << ahead;
        EXPECT_EQ(plain.state, run.state) << "run-ahead " << ahead;
    }
    const Passes fast = run_passes(1, true, PASSES / FAST_FORWARD_FRAMES);
    EXPECT_TRUE(fast.sound.empty());
    EXPECT_EQ(plain.shown.back(), fast.shown.back());
    EXPECT_EQ(plain.state, fast.state);
}

TEST(ForwardDecisions, PlansAndCost)
{
    const struct { const char *name; int32_t setting; bool fast, off; int32_t real, ahead; } cases[] = {
        {"off", 0, false, false, 1, 0},
        {"one frame", 1, false, false, 1, 1},
        {"two frames", 2, false, false, 1, 2},
        {"more is held to two", 5, false, false, 1, RUNAHEAD_MAX_FRAMES},
        {"a negative setting", -1, false, false, 1, 0},
        {"switched off", 2, false, true, 1, 0},
        {"fast-forward runs alone", 2, true, false, FAST_FORWARD_FRAMES, 0},
    };
    for (const auto &c : cases) {
        ForwardPlan plan = forward_plan(c.setting, c.fast, c.off);
        EXPECT_EQ(c.real, plan.real) << c.name;
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
    d.pad[3] = PadState{};
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
