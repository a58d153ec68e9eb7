// The save slots and the game file as the player hands them to the reference component.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <string>
#include <vector>
#include "host/game.h"
#include "record/ox_core.h"
#include "host/state.h"
#include "support/res_dir.h"
#include "support/watch.h"
#include "record/gamestate.h"

static const char *ROOT = getenv("TEST_SOURCE_DIR");
static const std::string GAME = std::string(ROOT ? ROOT : ".") + "/res/game";

class Slots : public ::testing::Test {
protected:
    void SetUp() override
    {
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load(GAME.c_str())) << GAME;
        GameState &g = gamestate;
        g.pixels = frame.data();
        g.pixels_size = (uint32_t)frame.size();
        g.raster_w = g.screen_w = 256;
        g.raster_h = g.screen_h = 224;
    }
    void TearDown() override
    {
        gamestate.pixels = nullptr;
        gamestate.pixels_size = 0;
        ox_core_shut();
    }
    std::vector<uint8_t> frame = std::vector<uint8_t>(256 * 224 * 4, 90);
    ResDir res;
};

TEST_F(Slots, ASaveLeavesTheStateAndItsPreviewAndNothingElse)
{
    ASSERT_TRUE(state_slot_op(0, true));
    EXPECT_EQ((std::vector<std::string>{"0P", "0S"}), res.list("res"));
}
// Mended fault: a failed save went unheard of.
TEST_F(Slots, ASaveThatCannotBeWrittenIsLogged)
{
    LogCapture log;
    ASSERT_EQ(0, rmdir(res.path("res").c_str()));
    EXPECT_FALSE(state_slot_op(2, true));
    EXPECT_NE(std::string::npos, log.text().find("cannot save slot 2")) << log.text();
}
// Mended fault: the component opened a FIFO in place of a state and waited for a writer.
TEST_F(Slots, AStateFileThatIsAFifoIsRefusedWithoutWaiting)
{
    ASSERT_EQ(0, mkfifo(res.path("res/0S").c_str(), 0644));
    EXPECT_EXIT(finish_within_seconds([] { return state_slot_op(0, false) ? 1 : 0; }),
                ::testing::ExitedWithCode(0), "");
}
TEST_F(Slots, AGameFileThatIsAFifoIsRefusedWithoutWaiting)
{
    ASSERT_EQ(0, mkfifo(res.path("res/game").c_str(), 0644));
    EXPECT_EXIT(finish_within_seconds([] { return game_load() ? 1 : 0; }), ::testing::ExitedWithCode(0), "");
}
