// Driving the rewind ring as rewind drives it, recording what each state written made it drop.
#pragma once

#include <stdint.h>

#include "rewind/rewind_ring.h"

// What keeping one state did.
struct RingStep {
    int32_t drops;   // files dropped to make room
    int32_t first;   // the first of them; -1 when none
    bool kept;       // the ring took the state (false: rewind switches itself off)
};

inline RingStep &ring_step_recorded(void)
{
    static RingStep step;
    return step;
}

inline void ring_step_drop(int32_t file)
{
    RingStep &step = ring_step_recorded();
    if (step.drops++ == 0)
        step.first = file;
}

// A state of bytes written as rewind writes one: room made first for one as large as the
// last, then the state handed to the ring, which drops the oldest while over the ceiling.
inline RingStep ring_step_keep(RewindRing &ring, uint64_t bytes, uint64_t last, uint64_t ceiling)
{
    RingStep &step = ring_step_recorded();
    step = RingStep{0, -1, false};
    int32_t file = rewind_ring_push(ring);
    int32_t dropped;
    while ((dropped = rewind_ring_drop(ring, last, ceiling)) >= 0)
        ring_step_drop(dropped);
    step.kept = rewind_ring_keep(ring, file, bytes, ceiling, ring_step_drop);
    return step;
}
