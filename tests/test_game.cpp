// The component is shut only once it was started, and once: the teardown and the handler of
// a lost display both shut it, and the display may be lost before the component started.
// The frame rate the loop paces by is never the 0 a component may report.
#include <gtest/gtest.h>

#include "base/log.h"
#include "game/game.h"
#include "core_api/ox_core.h"

// The component's start left out (e2e_menu counts it), its end counted, no reset, and a frame
// rate of the test's; the rest is the reference component's.
static int shuts;
static int reported_rate = 0;
void ox_core_init(int, int) {}
void ox_core_reset(void) {}
void ox_core_shut(void)
{
    shuts++;
}
int ox_video_get_framerate(void)
{
    return reported_rate;
}

TEST(GameCore, IsShutOnlyAfterItStartedAndOnlyOnce)
{
    game_core_shut();
    game_core_init();
    game_core_shut();
    game_core_shut();
    EXPECT_EQ(1, shuts) << "shut twice after one start";
}

// Every reset reads the rate again; a rate held off the one reported is logged once, however
// often a reset reads it again. Mended fault: a rate of 0 from the component reached the loop's
// division.
TEST(GameCore, ARateHeldIsLoggedOnceForEachRate)
{
    const struct { int32_t reported, held; const char *logged; } cases[] = {
        {1000, MAX_FRAME_RATE, "frame rate 1000 is more than a display shows, 240 is used"},
        {1000, MAX_FRAME_RATE, "-"},
        {50, 50, "-"},
        {0, FALLBACK_FRAME_RATE, "frame rate 0 is no rate, 60 is used"},
        {-1, FALLBACK_FRAME_RATE, "frame rate -1 is no rate, 60 is used"},
    };
    for (const auto &c : cases) {
        reported_rate = c.reported;
        log_write("-\n");
        game_reset();
        EXPECT_EQ(c.held, game_frame_rate()) << c.reported;
        EXPECT_EQ(c.logged, log_last_line()) << c.reported;
    }
}
