// The reference component through its C interface, driven the way the player drives it.
#include "host/ox_core.h"
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

// One pass of the main loop: every button of both players set, then one frame.
static void run(int frames, const std::vector<int> &held = {})
{
    for (int f = 0; f < frames; f++) {
        for (int p = 0; p < 2; p++)
            for (int b = 0; b < BUTTONS; b++)
                ox_button_set_state(p, b, p == 0 && std::count(held.begin(), held.end(), b));
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

// One call's sound as interleaved left, right samples.
static std::vector<int16_t> audio_frame(int capacity = 4096)
{
    std::vector<int16_t> s(2 * capacity);
    int n = ox_audio_render(s.data(), capacity);
    EXPECT_GE(n, 0);
    s.resize(2 * std::max(n, 0));
    return s;
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
    for (int b : {-1, BUTTONS}) {
        EXPECT_STREQ("", ox_button_get_name(b));
        EXPECT_EQ(0, ox_button_get_default_keyboard(b) | ox_button_get_default_joystick(b));
        ox_button_set_state(b, b, true);   // ignored, must not write anywhere
    }
}

TEST_F(Component, RefusesAnythingButAGameImageAndKeepsTheRunningGame)
{
    std::string game = read_whole_file(demo_game()), flipped = game, magic = game;
    ASSERT_GT(game.size(), 200u);
    flipped[200] ^= 0x01;
    magic[0] = 'X';
    const struct {
        const char *name;
        std::string data;
    } cases[] = {{"empty", ""}, {"text", "hello"}, {"truncated", game.substr(1)},
                 {"one byte more", game + '\0'}, {"damaged tile", flipped}, {"wrong magic", magic}};
    run(5, {3});
    Bytes before = picture();
    for (const auto &c : cases) {
        res.write("bad", c.data);
        EXPECT_FALSE(ox_core_load(res.path("bad").c_str())) << c.name;
    }
    EXPECT_FALSE(ox_core_load(res.path("missing").c_str()));
    EXPECT_FALSE(ox_core_load(res.path("").c_str())) << "a folder";
    EXPECT_FALSE(ox_core_load(nullptr));
    EXPECT_EQ(before, picture()) << "a refused load changed the running game";

    ox_core_shut();
    EXPECT_TRUE(ox_core_load(demo_game().c_str())) << "before ox_core_init";
}

// A saved state brings back the exact machine; damaged files are refused and leave both the
// machine and the good file alone.
TEST_F(Component, StateRoundTripAndDamagedStateFiles)
{
    std::string slot = res.path("0S");
    run(30, {3, A});
    ASSERT_TRUE(ox_state_save(slot.c_str()));
    Bytes saved = picture();
    run(10, {1, B});
    Bytes continued = picture();
    ASSERT_NE(saved, continued) << "the picture does not follow frames and buttons";
    run(40, {2, SELECT, A});
    ASSERT_TRUE(ox_state_load(slot.c_str()));
    EXPECT_EQ(256, ox_video_get_raster_width());
    EXPECT_EQ(saved, picture());
    run(10, {1, B});
    EXPECT_EQ(continued, picture()) << "the machine went on differently after the load";

    std::string good = read_whole_file(slot), damaged = good, magic = good, version = good;
    ASSERT_GT(good.size(), 20u);
    damaged[good.size() / 2] ^= 0x40;
    magic[0] ^= 0x20;
    version[8] += 1;
    const struct {
        const char *name;
        std::string data;
    } cases[] = {{"empty", ""}, {"short", good.substr(0, good.size() - 1)}, {"long", good + '\0'},
                 {"damaged", damaged}, {"wrong magic", magic}, {"wrong version", version}};
    run(15, {0, SELECT});
    Bytes before = picture();
    for (const auto &c : cases) {
        res.write("1S", c.data);
        EXPECT_FALSE(ox_state_load(res.path("1S").c_str())) << c.name;
        EXPECT_EQ(before, picture()) << c.name;
    }
    EXPECT_FALSE(ox_state_load(res.path("missing").c_str()));
    EXPECT_FALSE(ox_state_save(res.path("no/such/folder").c_str()));
    EXPECT_EQ(before, picture());
    EXPECT_EQ(good, read_whole_file(slot));
}

TEST_F(Component, HighResolutionRasterFollowsSelectAndShowsTheSameScene)
{
    EXPECT_EQ(256, ox_video_get_screen_width());
    EXPECT_EQ(224, ox_video_get_screen_height());
    EXPECT_EQ(60, ox_video_get_framerate());
    std::string slot = res.path("2S");
    run(7, {3});
    ASSERT_TRUE(ox_state_save(slot.c_str()));
    run(1);
    Bytes low = picture();
    ASSERT_TRUE(ox_state_load(slot.c_str()));
    run(1, {SELECT});
    ASSERT_EQ(512, ox_video_get_raster_width());
    ASSERT_EQ(224, ox_video_get_raster_height());
    // Each low pixel reappears as the left one of its high pair; some pairs differ.
    Bytes high = picture();
    size_t same = 0, detail = 0;
    for (size_t p = 0; p < low.size() / 4; p++) {
        same += memcmp(&low[p * 4], &high[p * 8], 4) == 0;
        detail += memcmp(&high[p * 8], &high[p * 8 + 4], 4) != 0;
    }
    EXPECT_GT(same, low.size() / 4 * 95 / 100) << "not the same scene";
    EXPECT_GT(detail, 0u) << "no extra horizontal detail";

    // Only a press of Select switches, not holding or releasing it.
    const int widths[] = {512, 512, 256, 256, 512};
    const bool held[] = {true, false, true, false, true};
    for (int i = 0; i < 5; i++) {
        run(1, held[i] ? std::vector<int>{SELECT} : std::vector<int>{});
        EXPECT_EQ(widths[i], ox_video_get_raster_width()) << "step " << i;
    }
    ox_core_reset();
    EXPECT_EQ(256, ox_video_get_raster_width()) << "reset kept the high resolution";
}

TEST_F(Component, OneFrameOfSoundPerCallAtAnyRate)
{
    run(1);
    EXPECT_EQ(735u * 2, audio_frame().size());
    EXPECT_EQ(100u * 2, audio_frame(100).size());
    EXPECT_EQ(0u, audio_frame(0).size());
    // 22050 / 60 is not whole: the frames must still add up to the rate each second.
    const struct {
        int rate, per_second;
    } cases[] = {{44100, 44100}, {22050, 22050}, {0, 44100}, {-8000, 44100}};
    for (const auto &c : cases) {
        ox_core_shut();
        ox_core_init(c.rate, 0);
        ASSERT_TRUE(ox_core_load(demo_game().c_str()));
        int total = 0;
        for (int f = 0; f < 60; f++) {
            run(1);
            int n = (int)audio_frame().size() / 2;
            EXPECT_NEAR(c.per_second / 60, n, 1) << "rate " << c.rate;
            total += n;
        }
        EXPECT_EQ(c.per_second, total) << "rate " << c.rate;
    }
}

TEST_F(Component, ToneOnlyWhileAOrBIsHeld)
{
    auto silent = [](const std::vector<int16_t> &s) {
        return std::all_of(s.begin(), s.end(), [](int16_t v) { return v == 0; });
    };
    run(1);
    EXPECT_TRUE(silent(audio_frame())) << "sound without a button";

    int pitch[2] = {0, 0};
    for (int i = 0; i < 2; i++) {
        int button = i == 0 ? A : B;
        run(1, {button});
        audio_frame();   // fade-in
        run(1, {button});
        std::vector<int16_t> s = audio_frame();
        ASSERT_FALSE(silent(s));
        int largest = 0;
        for (size_t k = 2; k < s.size(); k += 2) {
            ASSERT_EQ(s[k], s[k + 1]) << "left and right differ";
            pitch[i] += (s[k - 2] < 0) != (s[k] < 0);
            largest = std::max(largest, abs(s[k] - s[k - 2]));
        }
        // No jump where this frame meets the next one.
        run(1, {button});
        std::vector<int16_t> next = audio_frame();
        ASSERT_FALSE(next.empty());
        EXPECT_LE(abs(next[0] - s[s.size() - 2]), largest + 1);
        EXPECT_TRUE(silent(audio_frame())) << "sound while nothing was emulated";
    }
    EXPECT_GT(pitch[1], pitch[0] + 4) << "A and B sound alike";
    run(1);
    audio_frame();   // fade-out
    run(1);
    EXPECT_TRUE(silent(audio_frame())) << "sound after release";
}
