#include "app/pacing.h"

#include <math.h>

#include <SDL.h>

#include "host/game.h"

double frame_period(int frame_rate)
{
    if (frame_rate <= 0)
        frame_rate = FALLBACK_FRAME_RATE;
    return 1000.0 / (double)frame_rate;
}

double pacing_now(void)
{
    static const double ms_per_count = 1000.0 / (double)SDL_GetPerformanceFrequency();
    return (double)SDL_GetPerformanceCounter() * ms_per_count;
}

PacingWait pacing_wait(double deadline, double now, double period)
{
    PacingWait wait;
    double remaining = deadline - now;
    if (remaining < period * PACING_FOLLOW_SHARE) {
        wait.sleep_ms = 0;
        wait.deadline = now;
        return wait;
    }
    wait.sleep_ms = (uint32_t)floor(remaining);
    wait.deadline = deadline;
    return wait;
}
