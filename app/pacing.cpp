#include "app/pacing.h"

#include <math.h>

float frame_period(int frame_rate)
{
    if (frame_rate <= 0)
        frame_rate = 60;
    return 1000.0f / (float)frame_rate;
}

PacingWait pacing_wait(float deadline, float now, bool carry_fraction)
{
    PacingWait wait;
    float remaining = deadline - now;
    if (remaining < 0.0f) {
        wait.sleep_ms = 0;
        wait.deadline = now;
        return wait;
    }
    float whole = floorf(remaining);
    wait.sleep_ms = (uint32_t)whole;
    wait.deadline = carry_fraction ? deadline + (remaining - whole) : deadline;
    return wait;
}

float pacing_feedback(float deadline, unsigned queued_frames, int capacity, bool device_open)
{
    if (!device_open || capacity <= 0)
        return deadline;
    unsigned cap = (unsigned)capacity;
    if (queued_frames < cap - cap / 3)
        return deadline - PACING_HURRY_MS;
    return deadline;
}
