// The component is shut only once it was started, and once: the teardown and the handler of
// a lost display both shut it, and the display may be lost before the component started.
// The frame rate the loop paces by is never the 0 a component may report.
#include <gtest/gtest.h>

#include "host/game.h"
#include "record/ox_core.h"

// The component's start and end, counted, and a frame rate of 0; the rest is the reference
// component's.
static int inits;
static int shuts;
void ox_core_init(int, int) { inits++; }
void ox_core_shut(void)
{
    shuts++;
}
int ox_video_get_framerate(void)
{
    return 0;
}

TEST(GameCore, IsShutOnlyAfterItStartedAndOnlyOnceAndItsRateIsHeld)
{
    game_core_shut();
    EXPECT_EQ(0, shuts) << "shut before it started";
    game_core_init();
    // Mended fault: a rate of 0 from the component reached the loop's division.
    EXPECT_EQ(FALLBACK_FRAME_RATE, game_frame_rate()) << "the rate held";
    game_core_shut();
    game_core_shut();
    EXPECT_EQ(1, inits) << "one start";
    EXPECT_EQ(1, shuts) << "shut twice after one start";
}
