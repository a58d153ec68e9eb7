// The reference component through its C interface, driven the way the player drives it.
#include "host/ox_core.h"
#include "support/png_writer.h"
#include "support/res_dir.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#define BUTTONS 12
#define A 4
#define B 5
#define SELECT 10

typedef std::vector<uint8_t> Bytes;

static std::string demo_game()
{
    const char *dir = getenv("TEST_SOURCE_DIR");
    return std::string(dir ? dir : ".") + "/res/game";
}

static Bytes read_bytes(const std::string &path)
{
    size_t size = 0;
    uint8_t *data = read_file(path.c_str(), &size);
    Bytes out(data, data + (data ? size : 0));
    free(data);
    return out;
}

// One pass of the main loop: every button of both players set, then one frame.
static void run(int frames, const std::vector<int> &held = {}, int player = 0)
{
    for (int f = 0; f < frames; f++) {
        for (int p = 0; p < 2; p++)
            for (int b = 0; b < BUTTONS; b++) {
                bool on = false;
                for (int h : held)
                    on = on || (p == player && h == b);
                ox_button_set_state(p, b, on);
            }
        ox_core_emulate();
    }
}

// The rendered picture; bytes past the raster must stay untouched.
static Bytes picture()
{
    size_t size = (size_t)ox_video_get_raster_width() * ox_video_get_raster_height() * 4;
    Bytes p(size + 16, 0xEE);
    ox_video_render(p.data());
    for (size_t i = size; i < p.size(); i++)
        EXPECT_EQ(0xEE, p[i]) << "render wrote past the raster at byte " << i;
    p.resize(size);
    return p;
}

static Bytes audio_frame(int capacity = 4096)
{
    Bytes raw(sizeof(int16_t) * 2 * capacity);
    int n = ox_audio_render((int16_t *)raw.data(), capacity);
    EXPECT_GE(n, 0);
    raw.resize(sizeof(int16_t) * 2 * n);
    return raw;
}

static std::vector<int16_t> samples(const Bytes &raw)
{
    return std::vector<int16_t>((const int16_t *)raw.data(), (const int16_t *)(raw.data() + raw.size()));
}

class Component : public ::testing::Test {
protected:
    void SetUp() override
    {
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load(demo_game().c_str())) << demo_game();
        ox_core_reset();
    }
    void TearDown() override { ox_core_shut(); }
    ResDir res;
};

TEST(ComponentButtons, AnswerBeforeInitAndSafelyOutOfRange)
{
    ox_core_shut();
    ASSERT_EQ(BUTTONS, ox_button_get_count());
    const char *names[BUTTONS] = {"Up", "Down", "Left", "Right", "A", "B", "X", "Y", "L", "R", "Select", "Start"};
    const int keys[BUTTONS] = {82, 81, 80, 79, 29, 27, 4, 22, 20, 26, 229, 40};
    const int joy[BUTTONS] = {1, 4, 8, 2, 0, 1, 2, 3, 4, 5, 6, 7};
    for (int b = 0; b < BUTTONS; b++) {
        EXPECT_STREQ(names[b], ox_button_get_name(b));
        EXPECT_EQ(keys[b], ox_button_get_default_keyboard(b)) << names[b];
        EXPECT_EQ(joy[b], ox_button_get_default_joystick(b)) << names[b];
    }
    for (int b : {-1, BUTTONS, 1000}) {
        ASSERT_NE(nullptr, ox_button_get_name(b));
        EXPECT_STREQ("", ox_button_get_name(b));
        EXPECT_EQ(0, ox_button_get_default_keyboard(b));
        EXPECT_EQ(0, ox_button_get_default_joystick(b));
        ox_button_set_state(b, b, true);   // ignored, must not write anywhere
    }
}

TEST_F(Component, RefusesAnythingButAGameImageAndKeepsTheRunningGame)
{
    Bytes game = read_bytes(demo_game());
    ASSERT_GT(game.size(), 100u);
    Bytes truncated(game.begin(), game.end() - 1), longer = game, flipped = game, magic = game;
    longer.push_back(0);
    flipped[200] ^= 0x01;
    magic[0] = 'X';
    struct Case {
        const char *name;
        Bytes data;
    } cases[] = {
        {"empty", {}},       {"text", {'h', 'e', 'l', 'l', 'o'}}, {"truncated", truncated},
        {"one byte more", longer}, {"damaged tile", flipped},     {"wrong magic", magic},
    };
    run(5, {3});
    Bytes before = picture();
    for (const Case &c : cases) {
        res.write("bad", std::string(c.data.begin(), c.data.end()));
        EXPECT_FALSE(ox_core_load(res.path("bad").c_str())) << c.name;
    }
    EXPECT_FALSE(ox_core_load(res.path("missing").c_str()));
    EXPECT_FALSE(ox_core_load(res.path("").c_str())) << "a folder";
    EXPECT_FALSE(ox_core_load(nullptr));
    EXPECT_EQ(before, picture()) << "a refused load changed the running game";

    // Loading works before ox_core_init too, and a new load restarts the machine.
    ox_core_shut();
    EXPECT_TRUE(ox_core_load(demo_game().c_str()));
    ox_core_init(44100, 0);
    EXPECT_TRUE(ox_core_load(demo_game().c_str()));
}

TEST_F(Component, PictureReactsToButtonsAndFrames)
{
    run(10);
    Bytes idle = picture();
    for (size_t i = 3; i < idle.size(); i += 4)
        ASSERT_EQ(255, idle[i]) << "alpha at pixel " << i / 4;
    run(1);
    EXPECT_NE(idle, picture()) << "the picture does not show frames advancing";

    struct Case {
        const char *name;
        std::vector<int> held;
        int player;
    } cases[] = {{"Right", {3}, 0}, {"Up", {0}, 0}, {"A", {A}, 0}, {"B", {B}, 0}, {"second player", {2}, 1}};
    for (const Case &c : cases) {
        ox_core_reset();
        run(10, c.held, c.player);
        EXPECT_NE(idle, picture()) << c.name;
    }
    ox_core_reset();
    run(10);
    EXPECT_EQ(idle, picture()) << "reset and replay differ";
}

TEST_F(Component, StateRoundTripRestoresTheExactMachine)
{
    std::string slot = res.path("0S");
    run(30, {3, A});
    ASSERT_TRUE(ox_state_save(slot.c_str()));
    Bytes saved = picture();
    run(10, {1, B});
    Bytes continued = picture();

    run(40, {2, SELECT, A});
    ASSERT_TRUE(ox_state_load(slot.c_str()));
    EXPECT_EQ(256, ox_video_get_raster_width());
    EXPECT_EQ(saved, picture());
    run(10, {1, B});
    EXPECT_EQ(continued, picture()) << "the machine went on differently after the load";
}

TEST_F(Component, DamagedStateFilesChangeNothing)
{
    std::string slot = res.path("0S");
    run(20, {3});
    ASSERT_TRUE(ox_state_save(slot.c_str()));
    Bytes good = read_bytes(slot);
    ASSERT_GT(good.size(), 20u);
    Bytes shorter(good.begin(), good.end() - 1), longer = good, damaged = good, magic = good, version = good;
    longer.push_back(0);
    damaged[good.size() / 2] ^= 0x40;
    magic[0] ^= 0x20;
    version[8] += 1;
    const Bytes cases[] = {{}, shorter, longer, damaged, magic, version};
    const char *names[] = {"empty", "short", "long", "damaged", "wrong magic", "wrong version"};

    run(15, {0, SELECT});
    Bytes before = picture();
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; i++) {
        res.write("1S", std::string(cases[i].begin(), cases[i].end()));
        EXPECT_FALSE(ox_state_load(res.path("1S").c_str())) << names[i];
        EXPECT_EQ(before, picture()) << names[i];
    }
    EXPECT_FALSE(ox_state_load(res.path("missing").c_str()));
    EXPECT_FALSE(ox_state_save(res.path("no/such/folder").c_str()));
    EXPECT_EQ(before, picture());
    EXPECT_EQ(good, read_bytes(slot));
}

TEST_F(Component, HighResolutionRasterFollowsSelectAndShowsTheSameScene)
{
    EXPECT_EQ(256, ox_video_get_screen_width());
    EXPECT_EQ(224, ox_video_get_screen_height());
    EXPECT_EQ(60, ox_video_get_framerate());
    run(7, {3});
    std::string slot = res.path("2S");
    ASSERT_TRUE(ox_state_save(slot.c_str()));
    run(1);
    Bytes low = picture();
    ASSERT_TRUE(ox_state_load(slot.c_str()));
    const int widths[] = {512, 512, 512, 256, 256};   // only a press of Select switches
    const bool held[] = {true, true, false, true, false};
    for (int i = 0; i < 5; i++) {
        if (held[i])
            run(1, {SELECT});
        else
            run(1);
        EXPECT_EQ(widths[i], ox_video_get_raster_width()) << "step " << i;
        EXPECT_EQ(224, ox_video_get_raster_height()) << "step " << i;
        if (i == 0) {
            Bytes high = picture();
            size_t same = 0, detail = 0;
            for (size_t p = 0; p < low.size() / 4; p++) {
                const uint8_t *l = &low[p * 4], *h = &high[p * 8];
                same += memcmp(l, h, 4) == 0;
                detail += memcmp(h, h + 4, 4) != 0;
            }
            EXPECT_GT(same, low.size() / 4 * 95 / 100) << "not the same scene";
            EXPECT_GT(detail, 0u) << "no extra horizontal detail";
        }
    }
    ox_core_reset();
    EXPECT_EQ(256, ox_video_get_raster_width()) << "reset keeps the high resolution";
}

TEST(ComponentAudio, OneFrameOfSoundPerCallAtAnyRate)
{
    struct Case {
        int rate, total_per_second;
    } cases[] = {{44100, 44100}, {48000, 48000}, {22050, 22050}, {0, 44100}, {-8000, 44100}};
    for (const Case &c : cases) {
        ox_core_init(c.rate, 0);
        ASSERT_TRUE(ox_core_load(demo_game().c_str()));
        int total = 0;
        for (int f = 0; f < 60; f++) {
            run(1);
            int n = (int)audio_frame().size() / 4;
            EXPECT_NEAR(c.total_per_second / 60, n, 1) << "rate " << c.rate;
            total += n;
        }
        EXPECT_EQ(c.total_per_second, total) << "rate " << c.rate;
        ox_core_shut();
    }
    ox_core_init(44100, 0);
    run(1);
    EXPECT_EQ(735u * 4, audio_frame().size());
    EXPECT_EQ(100u * 4, audio_frame(100).size());
    EXPECT_EQ(0u, audio_frame(0).size());
    ox_core_shut();
}

TEST_F(Component, ToneOnlyWhileAOrBIsHeld)
{
    auto crossings = [](const std::vector<int16_t> &s) {
        int n = 0;
        for (size_t i = 2; i < s.size(); i += 2)
            n += (s[i - 2] < 0) != (s[i] < 0);
        return n;
    };
    auto silent = [](const std::vector<int16_t> &s) {
        for (int16_t v : s)
            if (v != 0)
                return false;
        return true;
    };
    run(1);
    EXPECT_TRUE(silent(samples(audio_frame()))) << "sound without a button";

    int pitch[2];
    for (int i = 0; i < 2; i++) {
        run(1, {i == 0 ? A : B});
        audio_frame();   // fade-in
        run(1, {i == 0 ? A : B});
        std::vector<int16_t> s = samples(audio_frame());
        ASSERT_FALSE(silent(s));
        for (size_t k = 0; k + 1 < s.size(); k += 2)
            ASSERT_EQ(s[k], s[k + 1]) << "left and right differ";
        pitch[i] = crossings(s);
        // No jump where this frame meets the next one.
        run(1, {i == 0 ? A : B});
        std::vector<int16_t> next = samples(audio_frame());
        int largest = 0;
        for (size_t k = 2; k < s.size(); k += 2)
            largest = std::max(largest, abs(s[k] - s[k - 2]));
        EXPECT_LE(abs(next[0] - s[s.size() - 2]), largest + 1);
        EXPECT_TRUE(silent(samples(audio_frame()))) << "sound while nothing was emulated";
    }
    EXPECT_GT(pitch[1], pitch[0] + 4) << "A and B sound alike";
    run(1);
    audio_frame();   // fade-out
    run(1);
    EXPECT_TRUE(silent(samples(audio_frame()))) << "sound after release";
}
