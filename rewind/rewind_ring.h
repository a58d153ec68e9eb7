// The rewind history's bookkeeping as plain values: which file of the ring a new state goes
// to, which one stepping back loads, how many files the ring may have, and the bytes its
// states take, counted state by state, since a component's states may grow as a game goes on.
#pragma once

#include <stdint.h>

#define REWIND_RING_MAX_FILES 2048   // 30 s of states every 4th frame at up to 273 frames a second

struct RewindRing {
    int32_t capacity;                      // files in use, 0 while rewind is off
    int32_t head;                          // the file the next state goes to
    int32_t count;                         // states held, newest just before head
    uint64_t bytes;                        // the states held, summed
    uint64_t size[REWIND_RING_MAX_FILES];  // each file's state, 0 when it holds none
};

// A ring of capacity files (held to REWIND_RING_MAX_FILES), holding nothing.
void rewind_ring_reset(RewindRing &ring, int32_t capacity);
// The file the next state is written to; the oldest state is overwritten (and no longer
// counted) once the ring is full. -1 without capacity.
int32_t rewind_ring_push(RewindRing &ring);
// Counts bytes as the size of the state just written to file.
void rewind_ring_kept(RewindRing &ring, int32_t file, uint64_t bytes);
// Counts the state just written to file, as rewind_ring_kept, then forgets the oldest states
// (never that one) while those held pass ceiling, handing each one's file to dropped for the
// caller to delete: room was made for a state as large as the last, and this one may be larger.
// False, counting nothing, for a state larger than ceiling alone: no history fits, and the
// caller switches rewind off.
bool rewind_ring_keep(RewindRing &ring, int32_t file, uint64_t bytes, uint64_t ceiling,
                      void (*dropped)(int32_t file));
// The file of the newest state, which stepping back loads and forgets (the caller deletes
// the file); -1 when none is left.
int32_t rewind_ring_pop(RewindRing &ring);
// When the states held plus incoming bytes still to be written pass ceiling, forgets the
// oldest state (never the only one) and returns its file for the caller to delete; -1 once
// they fit. Called until -1.
int32_t rewind_ring_drop(RewindRing &ring, uint64_t incoming, uint64_t ceiling);
// Files for seconds of history at fps frames per second and a state every interval frames
// (at least 1 when any history is asked for, at most REWIND_RING_MAX_FILES).
int32_t rewind_ring_capacity(int32_t seconds, int32_t fps, int32_t interval);
// Whether saving states costs too much to keep: the last n saves' times (microseconds) but
// the slowest, on average, past a quarter of a frame period. The slowest is left out so that
// one save's one-off cost (the first file made, a cold cache) cannot decide alone.
bool rewind_too_slow(const uint64_t *save_us, int32_t n, uint64_t frame_us);
