// The component is shut only once it was started, and once: the teardown and the handler of
// a lost display both shut it, and the display may be lost before the component started.
#include <gtest/gtest.h>

#include "host/game.h"
#include "record/ox_core.h"

// The component's start and end, counted; the rest is the reference component's.
static int shuts;
void ox_core_init(int, int) {}
void ox_core_shut(void)
{
    shuts++;
}

TEST(GameCore, IsShutOnlyAfterItStartedAndOnlyOnce)
{
    game_core_shut();
    EXPECT_EQ(0, shuts) << "shut before it started";
    game_core_init();
    game_core_shut();
    game_core_shut();
    EXPECT_EQ(1, shuts) << "shut twice after one start";
}
