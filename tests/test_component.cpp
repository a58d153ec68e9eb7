// The reference component through its C interface, driven the way the player drives it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>
#include <algorithm>
#include <string>
#include <vector>
#include "record/ox_core.h"
#include "support/res_dir.h"

enum { BUTTONS = 12, A = 4, B = 5, SELECT = 10 };
static const uint64_t GOLDEN_NARROW = 2897782842433195219ull;  // 256 wide, after 700 frames
static const uint64_t GOLDEN_WIDE = 3461158730658038060ull;    // 512 wide, 401 frames later
typedef std::vector<uint8_t> Bytes;
static const std::string GAME = source_file("res/game");
// Passes of the main loop: every button of both players set, then one frame.
static void run(int frames, std::vector<int> held = {})
{
    for (int f = 0; f < frames; f++) {
        for (int b = 0; b < 2 * BUTTONS; b++) {
            bool pressed = b < BUTTONS && std::count(held.begin(), held.end(), b) > 0;
            ox_button_set_state(b / BUTTONS, b % BUTTONS, pressed);
        }
        ox_core_emulate();
    }
}
// The rendered picture and 16 guard bytes past the raster, which must stay untouched.
static Bytes picture()
{
    size_t size = (size_t)ox_video_get_raster_width() * ox_video_get_raster_height() * 4;
    Bytes p(size + 16, 0xEE);
    ox_video_render(p.data());
    EXPECT_EQ(Bytes(16, 0xEE), Bytes(p.begin() + size, p.end())) << "render wrote past the raster";
    return p;
}
// s with the bits of the byte at at flipped.
static std::string flip(std::string s, size_t at, int bits)
{
    s[at] ^= (char)bits;
    return s;
}
// One call's sound as interleaved left, right samples.
static std::vector<int16_t> audio_frame(int capacity = 4096)
{
    std::vector<int16_t> s(2 * capacity);
    s.resize(2 * std::max(ox_audio_render(s.data(), capacity), 0));
    return s;
}
class Component : public ::testing::Test {
protected:
    void SetUp() override
    {
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load(GAME.c_str())) << GAME;  // which also resets
    }
    void TearDown() override { ox_core_shut(); }
    ResDir res;
};

// The names and proposals are the component's own (a copy of its table would restate it);
// checked here is that they answer before the component is started and give nothing for
// buttons outside its range.
TEST(ComponentButtons, AnswerBeforeInitAndSafelyOutOfRange)
{
    ox_core_shut();
    ASSERT_EQ(BUTTONS, ox_button_get_count());
    for (int b : {-1, (int)BUTTONS}) {
        EXPECT_STREQ("", ox_button_get_name(b)) << "button " << b;
        EXPECT_EQ(0, ox_button_get_default_keyboard(b)) << "button " << b;
        EXPECT_EQ(0, ox_button_get_default_joystick(b)) << "button " << b;
        ox_button_set_state(b, b, true);  // ignored, must not write anywhere
    }
}

TEST_F(Component, RefusesAnythingButAGameImageAndKeepsTheRunningGame)
{
    const std::string game = read_whole_file(GAME);
    const struct {
        const char *what;
        std::string data;
    } cases[] = {
        {"a byte short", game.substr(1)},
        {"a byte too many", game + '\0'},
        {"damaged tile data", flip(game, 200, 1)},
        {"wrong magic", flip(game, 0, 0x20)},
    };
    run(5, {3});
    const Bytes before = picture();
    for (const auto &c : cases) {
        res.write("bad", c.data);
        EXPECT_FALSE(ox_core_load(res.path("bad").c_str())) << c.what;
    }
    EXPECT_FALSE(ox_core_load(res.path("missing").c_str())) << "a missing file";
    EXPECT_FALSE(ox_core_load(nullptr)) << "no path";
    EXPECT_EQ(before, picture()) << "a refused load changed the running game";
}

// A saved state comes back whole; a damaged one is refused and changes nothing.
TEST_F(Component, StateRoundTripAndDamagedStatesRefused)
{
    run(30, {3, A});
    ASSERT_TRUE(ox_state_save(res.path("0S").c_str()));
    const Bytes saved = picture();
    const std::string good = read_whole_file(res.path("0S"));
    const struct {
        const char *what;
        std::string data;
    } cases[] = {
        {"a byte short", good.substr(0, good.size() - 1)},
        {"a byte too many", good + '\0'},
        {"damaged middle", flip(good, good.size() / 2, 0x40)},
        {"wrong magic", flip(good, 0, 0x20)},
        {"wrong version", flip(good, 8, 1)},
    };
    run(15, {0, SELECT});
    const Bytes before = picture();
    ASSERT_NE(saved, before) << "the picture does not follow frames and buttons";
    EXPECT_FALSE(ox_state_load(res.path("missing").c_str())) << "a missing file";
    for (const auto &c : cases) {
        res.write("1S", c.data);
        EXPECT_FALSE(ox_state_load(res.path("1S").c_str())) << c.what;
        EXPECT_EQ(before, picture()) << c.what << " changed the machine";
    }
    ASSERT_TRUE(ox_state_load(res.path("0S").c_str()));
    EXPECT_EQ(saved, picture());
}
// Mended fault: a link planted where the state used to be written first must not be written through.
TEST_F(Component, APlantedLinkBesideTheStateIsNotWrittenThrough)
{
    res.write("victim", "precious");
    ASSERT_EQ(0, symlink(res.path("victim").c_str(), res.path("0S.tmp").c_str()));
    ASSERT_TRUE(ox_state_save(res.path("0S").c_str()));
    EXPECT_EQ("precious", res.read("victim"));
}

// Only a press of Select switches the raster, not holding or releasing it.
TEST_F(Component, SelectSwitchesToTheHighResolutionRasterAndBack)
{
    EXPECT_EQ(256, ox_video_get_raster_width());
    const struct {
        bool held;
        int width;
    } steps[] = {
        {true, 512},
        {false, 512},
        {true, 256},
        {false, 256},
    };
    for (int i = 0; i < 4; i++) {
        run(1, steps[i].held ? std::vector<int>{SELECT} : std::vector<int>{});
        EXPECT_EQ(steps[i].width, ox_video_get_raster_width()) << "step " << i;
    }
}

// Golden frames: the scene after a fixed run, at both raster widths, against the hashes of the
// pictures the component drew when they were committed. Faster drawing must draw the same.
static uint64_t raster_hash(const Bytes &p)
{
    size_t size = (size_t)ox_video_get_raster_width() * ox_video_get_raster_height() * 4;
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; i++)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

TEST_F(Component, DrawsTheCommittedFramesAtBothRasterWidths)
{
    run(700, {A});
    EXPECT_EQ(GOLDEN_NARROW, raster_hash(picture()));
    run(1, {SELECT});
    run(400);
    EXPECT_EQ(GOLDEN_WIDE, raster_hash(picture()));
}

static bool silent(const std::vector<int16_t> &s)
{
    return std::count(s.begin(), s.end(), 0) == (long)s.size();
}

// A frame's sound per call (44100 / 60 sound frames, fewer when the room is smaller), a tone
// only while A or B is held.
TEST_F(Component, OneFrameOfSoundPerCallAToneOnlyWhileAOrBIsHeld)
{
    run(1);
    const std::vector<int16_t> quiet = audio_frame();
    EXPECT_EQ(735u * 2, quiet.size());
    EXPECT_TRUE(silent(quiet)) << "sound without a button";
    EXPECT_EQ(100u * 2, audio_frame(100).size()) << "capacity ignored";
    for (int button : {A, B}) {
        run(1, {button});
        EXPECT_FALSE(silent(audio_frame())) << "no tone for button " << button;
        run(1);
        audio_frame();  // the fade-out
        run(1);
        EXPECT_TRUE(silent(audio_frame())) << "tone after releasing button " << button;
    }
}
