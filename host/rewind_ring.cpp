#include "host/rewind_ring.h"

int32_t rewind_ring_push(RewindRing &ring)
{
    if (ring.capacity <= 0)
        return -1;
    ring.head = ring.head % ring.capacity;
    int32_t slot = ring.head;
    ring.head = (ring.head + 1) % ring.capacity;
    if (ring.count < ring.capacity)
        ring.count++;
    return slot;
}

int32_t rewind_ring_pop(RewindRing &ring)
{
    if (ring.capacity <= 0 || ring.count <= 0)
        return -1;
    ring.head = (ring.head + ring.capacity - 1) % ring.capacity;
    ring.count--;
    return ring.head;
}

int32_t rewind_ring_capacity(int32_t seconds, int32_t fps, int32_t interval, uint64_t state_bytes,
                             uint64_t ceiling)
{
    if (seconds <= 0 || fps <= 0 || interval <= 0)
        return 0;
    int64_t wanted = ((int64_t)seconds * fps + interval - 1) / interval;
    if (state_bytes > 0 && (uint64_t)wanted > ceiling / state_bytes)
        wanted = (int64_t)(ceiling / state_bytes);
    return wanted < 1 ? 1 : (int32_t)wanted;
}

bool rewind_too_slow(uint64_t save_us, uint64_t frame_us)
{
    return save_us * 4 > frame_us;
}
