// The save slots and the game file as the player hands them to the reference component.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include "base/paths.h"
#include "host/game.h"
#include "record/ox_core.h"
#include "host/state.h"
#include "support/component_run.h"
#include "support/res_dir.h"
#include "support/watch.h"


class Slots : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(component_start()) << component_game(); }
    void TearDown() override { ox_core_shut(); }
    std::vector<uint8_t> frame = std::vector<uint8_t>(256 * 224 * 4, 90);
    const FramePicture picture = {frame.data(), 256, 224, 256, 224};
    ResDir res;
};

TEST_F(Slots, ASaveLeavesTheStateAndItsPreviewAndNothingElse)
{
    ASSERT_TRUE(state_slot_op(0, true, &picture));
    EXPECT_FALSE(state_slot_op(STATE_SLOTS, true, &picture)) << "a slot past the last";
    EXPECT_EQ((std::vector<std::string>{"0P", "0S"}), res.list("res"));
    EXPECT_TRUE(state_slot_op(0, false, nullptr)) << "loading it back";
}
// Mended fault: a save reported done with nothing written, or with no preview written,
// replaced the slot's pair. Only a written preview beside a written state replaces it.
TEST(StateSave, TheOldPairStaysUnlessBothNewFilesAreWritten)
{
    const struct { const char *what; bool preview; bool saved; long long bytes; bool commit; } cases[] = {
        {"both written", true, true, 40, true},
        {"no room for the preview", false, true, 40, false},
        {"refused by the component", true, false, 40, false},
        {"reported saved, nothing written", true, true, 0, false},
        {"reported saved, its file gone", true, true, -1, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.commit, state_save_refusal(c.preview, c.saved, c.bytes) == nullptr) << c.what;
}
// Mended faults: a game or a state over 64 MiB was refused, although only the component
// reads them; the component opened a FIFO in place of either and waited for a writer.
TEST_F(Slots, FilesOnlyTheComponentReadsAreRegularFilesOfAnySize)
{
    const off_t over = 64 * 1024 * 1024 + 1;
    for (const char *name : {"res/0S", "res/game"}) {
        res.write(name, "");
        ASSERT_EQ(0, truncate(res.path(name).c_str(), over)) << name;
    }
    EXPECT_TRUE(state_slot_stored(0));
    LogCapture log;
    game_load();
    EXPECT_FALSE(log.has("too large")) << log.text();
    for (const char *name : {"res/0S", "res/game"}) {
        res.remove(name);
        ASSERT_EQ(0, mkfifo(res.path(name).c_str(), 0644)) << name;
    }
    EXPECT_FALSE(state_slot_stored(0));
    EXPECT_EXIT(finish_within_seconds([] { return state_slot_op(0, false, nullptr) ? 1 : 0; }),
                ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(finish_within_seconds([] { return game_load() ? 1 : 0; }), ::testing::ExitedWithCode(0), "");
}
// Mended fault: a game path over 259 bytes was refused without a reason.
TEST_F(Slots, AGamePathOverTheLimitIsRefusedWithItsReason)
{
    const std::string folder = exe_dir;
    snprintf(exe_dir, sizeof exe_dir, "%s%s/", folder.c_str(), std::string(GAME_PATH_SIZE, 'd').c_str());
    LogCapture log;
    EXPECT_FALSE(game_load());
    snprintf(exe_dir, sizeof exe_dir, "%s", folder.c_str());
    EXPECT_TRUE(log.has("its path is longer than 259 bytes")) << log.text();
}
