#include "record/gamestate.h"

#include "base/log.h"

GameState gamestate;

int32_t frame_rate_held(int32_t reported)
{
    // Read at start-up and again after loading: a rate already told of is not logged again.
    static int32_t told = FALLBACK_FRAME_RATE;
    int32_t held = reported;
    if (reported <= 0)
        held = FALLBACK_FRAME_RATE;
    if (reported > MAX_FRAME_RATE)
        held = MAX_FRAME_RATE;
    if (held == reported || reported == told)
        return held;
    told = reported;
    if (reported <= 0)
        log_write("frame rate %i is no rate, %i is used\n", reported, held);
    else
        log_write("frame rate %i is more than a display shows, %i is used\n", reported, held);
    return held;
}
