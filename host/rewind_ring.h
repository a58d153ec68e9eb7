// The rewind history's bookkeeping as plain values: which file of the ring a new state goes
// to, which one stepping back loads, and how many files the ring may have.
#pragma once

#include <stdint.h>

struct RewindRing {
    int32_t capacity;   // files in use, 0 while rewind is off
    int32_t head;       // the file the next state goes to
    int32_t count;      // states held, newest just before head
};

// The file the next state is written to; the oldest state is overwritten once the ring is
// full. -1 without capacity.
int32_t rewind_ring_push(RewindRing &ring);
// The file of the newest state, which stepping back loads and forgets; -1 when none is left.
int32_t rewind_ring_pop(RewindRing &ring);
// Files for seconds of history at fps frames per second and a state every interval frames,
// held to what fits in ceiling bytes of state_bytes each (state_bytes 0: not known yet);
// at least 1 when any history is asked for.
int32_t rewind_ring_capacity(int32_t seconds, int32_t fps, int32_t interval, uint64_t state_bytes,
                             uint64_t ceiling);
// Whether saving a state costs too much to keep: more than a quarter of a frame period.
bool rewind_too_slow(uint64_t save_us, uint64_t frame_us);
