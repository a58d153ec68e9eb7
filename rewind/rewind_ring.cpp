#include "rewind/rewind_ring.h"

#include <string.h>

void rewind_ring_reset(RewindRing &ring, int32_t capacity)
{
    memset(&ring, 0, sizeof ring);
    ring.capacity = capacity < 0 ? 0 : capacity > REWIND_RING_MAX_FILES ? REWIND_RING_MAX_FILES : capacity;
}

// Stops counting file's state.
static void forget(RewindRing &ring, int32_t file)
{
    ring.bytes -= ring.size[file];
    ring.size[file] = 0;
}

int32_t rewind_ring_push(RewindRing &ring)
{
    if (ring.capacity <= 0)
        return -1;
    ring.head = ring.head % ring.capacity;
    int32_t slot = ring.head;
    ring.head = (ring.head + 1) % ring.capacity;
    if (ring.count < ring.capacity)
        ring.count++;
    forget(ring, slot);
    return slot;
}

void rewind_ring_kept(RewindRing &ring, int32_t file, uint64_t bytes)
{
    if (file < 0 || file >= ring.capacity)
        return;
    forget(ring, file);
    ring.size[file] = bytes;
    ring.bytes += bytes;
}

bool rewind_ring_keep(RewindRing &ring, int32_t file, uint64_t bytes, uint64_t ceiling,
                      void (*dropped)(int32_t file))
{
    if (bytes > ceiling)
        return false;
    rewind_ring_kept(ring, file, bytes);
    int32_t oldest;
    while ((oldest = rewind_ring_drop(ring, 0, ceiling)) >= 0)
        dropped(oldest);
    return true;
}

int32_t rewind_ring_pop(RewindRing &ring)
{
    if (ring.capacity <= 0 || ring.count <= 0)
        return -1;
    ring.head = (ring.head + ring.capacity - 1) % ring.capacity;
    ring.count--;
    forget(ring, ring.head);
    return ring.head;
}

int32_t rewind_ring_drop(RewindRing &ring, uint64_t incoming, uint64_t ceiling)
{
    if (ring.count <= 1 || ring.bytes + incoming <= ceiling)
        return -1;
    int32_t oldest = (ring.head - ring.count + ring.capacity) % ring.capacity;
    ring.count--;
    forget(ring, oldest);
    return oldest;
}

int32_t rewind_ring_capacity(int32_t seconds, int32_t fps, int32_t interval)
{
    if (seconds <= 0 || fps <= 0 || interval <= 0)
        return 0;
    int64_t wanted = ((int64_t)seconds * fps + interval - 1) / interval;
    if (wanted > REWIND_RING_MAX_FILES)
        wanted = REWIND_RING_MAX_FILES;
    return wanted < 1 ? 1 : (int32_t)wanted;
}

bool rewind_too_slow(const uint64_t *save_us, int32_t n, uint64_t frame_us)
{
    if (n < 2)
        return false;
    uint64_t total = 0, slowest = 0;
    for (int32_t i = 0; i < n; i++) {
        total += save_us[i];
        slowest = save_us[i] > slowest ? save_us[i] : slowest;
    }
    return (total - slowest) * 4 > frame_us * (uint64_t)(n - 1);
}
