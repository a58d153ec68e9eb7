#include "app/pacing.h"

#include <math.h>

#include "host/audio.h"
#include "record/gamestate.h"

double frame_period(int frame_rate)
{
    if (frame_rate <= 0)
        frame_rate = FALLBACK_FRAME_RATE;
    return 1000.0 / (double)frame_rate;
}

PacingWait pacing_wait(double deadline, double now)
{
    PacingWait wait;
    double remaining = deadline - now;
    if (remaining < 0.0) {
        wait.sleep_ms = 0;
        wait.deadline = now;
        return wait;
    }
    wait.sleep_ms = (uint32_t)floor(remaining);
    wait.deadline = deadline;
    return wait;
}

double pacing_feedback(double deadline, unsigned queued_frames, int capacity, bool device_open)
{
    if (!device_open || capacity <= 0)
        return deadline;
    if (queued_frames < audio_hurry_mark(capacity))
        return deadline - PACING_HURRY_MS;
    return deadline;
}

uint32_t pacing_queue_wait(unsigned queued_frames, int capacity, int rate)
{
    if (capacity < 0 || rate <= 0 || queued_frames <= (unsigned)capacity)
        return 0;
    uint64_t excess = queued_frames - (unsigned)capacity;
    uint64_t ms = (excess * 1000 + (uint64_t)rate - 1) / (uint64_t)rate;
    return ms < PACING_QUEUE_WAIT_MAX_MS ? (uint32_t)ms : PACING_QUEUE_WAIT_MAX_MS;
}
