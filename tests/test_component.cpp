// The reference component through its C interface, driven the way the player drives it, and
// the save slots and the game file as the player hands them to it.
#include <gtest/gtest.h>
#include "base/file_replace.h"
#include "base/paths.h"
#include "game/game.h"
#include "slots/slots.h"
#include "component/machine.h"
#include "core_api/ox_core.h"
#include "support/component_run.h"
#include "support/planted_files.h"
#include "support/res_dir.h"
#include "support/watch.h"

enum { A = 4, B = 5, SELECT = 10 };
static const uint64_t GOLDEN_NARROW = 2897782842433195219ull;  // 256 wide, after 700 frames
static const uint64_t GOLDEN_WIDE = 12347838884258153579ull;   // 512 wide, 401 frames later
typedef std::vector<uint8_t> Bytes;
static const Bytes FRAME(256 * 224 * 4, 90);   // a screen to save as a slot's preview
static const FramePicture PICTURE = {FRAME.data(), 256, 224, 256, 224};


class Component : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(component_start()) << component_game(); }
    void TearDown() override { ox_core_shut(); }
    ResDir res;
};

// The names and proposals are the component's own (a copy of its table would restate it);
// checked here is that they answer before the component is started and give nothing for
// buttons outside its range.
TEST(ComponentButtons, AnswerBeforeInitAndSafelyOutOfRange)
{
    ASSERT_EQ(COMPONENT_RUN_BUTTONS, ox_button_get_count());
    for (int b : {-1, COMPONENT_RUN_BUTTONS}) {
        EXPECT_STREQ("", ox_button_get_name(b)) << "button " << b;
        EXPECT_EQ(0, ox_button_get_default_keyboard(b)) << "button " << b;
        EXPECT_EQ(0, ox_button_get_default_joystick(b)) << "button " << b;
        ox_button_set_state(b, b, true);  // ignored, must not write anywhere
    }
}

// Shutting the component forgets its game: started again without a load, it has no state to
// save.
TEST_F(Component, ShutForgetsTheGame)
{
    ASSERT_TRUE(ox_state_save(res.path("0S").c_str()));
    ox_core_shut();
    ox_core_init(44100, 0);
    EXPECT_FALSE(ox_state_save(res.path("1S").c_str()));
}

// A game or a state that is not whole is refused and changes nothing; a saved state comes
// back whole. The picture follows frames and buttons, so an unchanged picture is an
// unchanged machine.
TEST_F(Component, DamagedGamesAndStatesAreRefusedAndChangeNothing)
{
    component_run(30, {3, A});
    ASSERT_TRUE(ox_state_save(res.path("0S").c_str()));
    const Bytes saved = component_picture(0);
    component_run(15, {0, SELECT});
    const Bytes before = component_picture(0);
    const struct { const char *kind; std::string path; bool (*load)(const char *); } files[] = {
        {"game", component_game(), ox_core_load},
        {"state", res.path("0S"), ox_state_load},
    };
    for (const auto &f : files) {
        const std::string good = read_whole_file(f.path);
        const size_t mid = good.size() / 2;
        const struct { const char *what; std::string data; } cases[] = {
            {"a byte too many", good + '\0'},
            {"a bit flipped in the middle", good.substr(0, mid) + (char)(good[mid] ^ 1) + good.substr(mid + 1)},
        };
        for (const auto &c : cases) {
            res.write("bad", c.data);
            EXPECT_FALSE(f.load(res.path("bad").c_str())) << c.what << " " << f.kind;
            EXPECT_EQ(before, component_picture(0)) << c.what << " " << f.kind << " changed the machine";
        }
    }
    EXPECT_FALSE(ox_core_load(nullptr)) << "no path";
    EXPECT_FALSE(ox_core_load(res.path("missing").c_str())) << "a missing game";
    ASSERT_TRUE(ox_state_load(res.path("0S").c_str()));
    EXPECT_EQ(saved, component_picture(0));
}

// The largest map a game may have loads; a tile more either way is refused.
TEST_F(Component, MapsUpToTheLargestSizeLoad)
{
    const std::string game = read_whole_file(component_game());
    const struct { int w, h; bool loads; } cases[] = {
        {OXM_MAX_MAP_W, 1, true},
        {OXM_MAX_MAP_W + 1, 1, false},
        {1, OXM_MAX_MAP_H, true},
        {1, OXM_MAX_MAP_H + 1, false},
    };
    for (const auto &c : cases) {
        res.write("game", component_game_with_map(game, c.w, c.h));
        EXPECT_EQ(c.loads, ox_core_load(res.path("game").c_str())) << c.w << " x " << c.h;
    }
}

// Golden frames: the scene after a fixed run, at both raster widths, against the hashes of the
// pictures the component drew when they were committed; faster drawing must draw the same.
// Both shapes of the actors are drawn whole, the top row too.
// Only a press of Select switches the raster, not holding or releasing it.
TEST_F(Component, DrawsTheCommittedFramesAtBothRasterWidths)
{
    component_run(700, {A});
    EXPECT_EQ(GOLDEN_NARROW, bytes_hash(component_picture(0)));
    component_run(1, {SELECT});
    component_run(1, {B});   // the other shape, whose tip is in its top row
    component_run(399);
    const Bytes wide = component_picture(16);
    EXPECT_EQ(Bytes(16, 0xEE), Bytes(wide.end() - 16, wide.end())) << "render wrote past the raster";
    EXPECT_EQ(GOLDEN_WIDE, bytes_hash(Bytes(wide.begin(), wide.end() - 16)));
    component_run(2, {SELECT});
    EXPECT_EQ(256, ox_video_get_raster_width()) << "a press held for 2 frames";
}

// A frame's sound per call (44100 / 60 sound frames, fewer when the room is smaller), a tone
// only while A or B is held.
TEST_F(Component, OneFrameOfSoundPerCallAToneOnlyWhileAOrBIsHeld)
{
    const std::vector<int16_t> silence(735 * 2, 0);
    component_run(1);
    EXPECT_EQ(silence, component_sound(4096)) << "sound without a button";
    EXPECT_EQ(100u * 2, component_sound(100).size()) << "capacity ignored";
    for (int button : {A, B}) {
        component_run(1, {button});
        EXPECT_NE(silence, component_sound(4096)) << "no tone for button " << button;
        component_run(1);
        component_sound(4096);  // the fade-out
        component_run(1);
        EXPECT_EQ(silence, component_sound(4096)) << "tone after releasing button " << button;
    }
}

// Mended fault: a save reported done with nothing written, or with no preview written,
// replaced the slot's pair. Only a written preview beside a written state replaces it.
TEST(StateSave, TheOldPairStaysUnlessBothNewFilesAreWritten)
{
    const struct { const char *what; bool preview; bool saved; long long bytes; bool commit; } cases[] = {
        {"both written", true, true, 40, true},
        {"no room for the preview", false, true, 40, false},
        {"reported saved, nothing written", true, true, 0, false},
        {"reported saved, its file gone", true, true, -1, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.commit, state_save_refusal(c.preview, c.saved, c.bytes) == nullptr) << c.what;
}
// A save leaves the state, its preview and the slot's lock and nothing else. Mended faults: a game or a state
// over 64 MiB was refused, although only the component reads them; the component opened a FIFO
// in place of either and waited for a writer; a game path over 259 bytes was refused without a
// reason.
TEST_F(Component, SavesAndFilesOnlyTheComponentReadsOfAnySizeAndAPathWithinTheLimit)
{
    LogCapture log;
    ASSERT_TRUE(slots_op(0, true, &PICTURE));
    EXPECT_EQ("", log.text()) << "a save that went well";
    EXPECT_EQ((std::vector<std::string>{"0L", "0P", "0S"}), res.list("res")) << "its lock, preview and state";
    for (const char *name : {"res/0S", "res/game"})
        plant_zeros(res.path(name), 64 * 1024 * 1024 + 1);
    EXPECT_TRUE(slots_stored(0));
    EXPECT_FALSE(game_load()) << "64 MiB of zeros, which the component refuses";
    EXPECT_FALSE(log.has("too large")) << log.text();
    for (const char *name : {"res/0S", "res/game"})
        plant_fifo(res.path(name));
    for (bool (*load)(void) : {+[] { return slots_op(0, false, nullptr); }, game_load})
        EXPECT_EXIT(finish_within_seconds([load] { return load() ? 1 : 0; }), ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(with_exe_dir_under(std::string(GAME_PATH_SIZE, 'd') + "/", game_load));
    EXPECT_TRUE(log.has("its path is longer than 259 bytes")) << log.text();
}

// Mended faults: the log named slot 2 "slot 1", said a missing slot's file was refused by the
// component, and a folder that refused a save gave the notice no reason of the system's. A
// slot that is not there forms no name.
TEST_F(Component, SlotFailuresNameTheSlotFromOneWithTheSystemsReason)
{
    LogCapture log;
    EXPECT_FALSE(slots_op(2, false, nullptr));
    EXPECT_TRUE(log.has("cannot load slot 3: the file is missing")) << log.text();
    EXPECT_FALSE(with_exe_dir_under("missing/", [&] { return slots_op(1, true, &PICTURE); }));
    EXPECT_TRUE(log.has("cannot save slot 2: no such file or directory")) << log.text();
    char path[PATH_BUFFER_SIZE] = "stale";
    EXPECT_FALSE(slots_path(path, sizeof path, SLOTS_COUNT, 'P'));
    EXPECT_STREQ("", path) << "a slot past the last is formed as nothing, never as what the buffer held";
}

// Mended fault: a kill between the renames, or two players saving one slot at once, paired a
// state with another save's preview, which the menu showed as the state's picture. Now a slot
// saved by another is waited for, and a split pair shows no picture.
TEST_F(Component, APreviewOfAnotherSaveIsNotShownAndASlotIsSavedByOneAtATime)
{
    char path[PATH_BUFFER_SIZE];
    ASSERT_TRUE(slots_op(0, true, &PICTURE));
    const std::string first = res.read("res/0P");
    component_run(5);
    ASSERT_TRUE(slots_op(0, true, &PICTURE));
    res.write("res/0P", first);
    EXPECT_FALSE(slots_path(path, sizeof path, 0, 'P')) << "the first save's preview";
    res.write("res/0P", first.substr(0, first.size() - 12));
    EXPECT_TRUE(slots_path(path, sizeof path, 0, 'P')) << "a preview saved before marks";
    FileLock other;   // another copy of the player, saving the slot
    ASSERT_TRUE(file_lock(&other, res.path("res/0L").c_str()));
    const char *why = nullptr;
    EXPECT_FALSE(slots_op(0, true, &PICTURE, &why)) << "while another saves it";
    EXPECT_STREQ("another copy of the player is saving it", why);
    file_unlock(&other);
}
