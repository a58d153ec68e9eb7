#include "record/gamestate.h"

#include "base/log.h"

GameState gamestate;

int32_t frame_rate_held(int32_t reported)
{
    if (reported <= 0) {
        log_write("frame rate %i is no rate, %i is used\n", reported, FALLBACK_FRAME_RATE);
        return FALLBACK_FRAME_RATE;
    }
    if (reported > MAX_FRAME_RATE) {
        log_write("frame rate %i is more than a display shows, %i is used\n", reported, MAX_FRAME_RATE);
        return MAX_FRAME_RATE;
    }
    return reported;
}
