#include "rewind/rewind.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include "base/log.h"
#include "base/notice.h"
#include "base/paths.h"
#include "base/scratch.h"
#include "game/game.h"
#include "rewind/rewind_ring.h"
#include "core_api/ox_core.h"

static char folder[PATH_BUFFER_SIZE];   // the ring's folder with its separator; "" while none
static RewindRing ring;
static uint64_t newest_bytes;           // the last state's size: what the next one will take
static bool dropped_logged;
static const char *off_reason;          // the notice saying why rewind is off; null while on
static bool was_held;
static int32_t frames_since;
static int32_t saves_timed;
static uint64_t save_us[REWIND_SLOW_AFTER];   // the last saves' times, oldest overwritten
static uint64_t frame_us;
static bool stepping;

static bool slot_file(char *out, size_t size, int32_t slot)
{
    int n = snprintf(out, size, "%s%d", folder, (int)slot);
    return n > 0 && (size_t)n < size;
}

static void remove_slot_file(int32_t slot)
{
    char path[PATH_BUFFER_SIZE];
    if (slot_file(path, sizeof path, slot))
        remove(path);
}

// Switches rewind off, giving its memory back at once; notice is what a press says then.
static void switch_off(const char *notice, const char *why)
{
    log_write("rewind is off: %s\n", why);
    notice_show(notice);
    off_reason = notice;
    for (int32_t slot = 0; slot < ring.capacity; slot++)
        remove_slot_file(slot);
    rewind_ring_reset(ring, 0);
}

void rewind_init(int32_t fps)
{
    if (fps <= 0)
        fps = FALLBACK_FRAME_RATE;
    frame_us = 1000000u / (uint64_t)fps;
    // Folders left by players that were killed or crashed would stay in memory until the
    // machine restarts.
    int swept = scratch_sweep();
    if (swept > 0)
        log_write("rewind: removed %d folders left by players that have gone\n", swept);
    if (!scratch_folder_make(folder, sizeof folder)) {
        log_write("rewind is off: no folder for its states\n");
        off_reason = "Rewind is off: no folder for its states";
        return;
    }
    off_reason = nullptr;
    rewind_ring_reset(ring, rewind_ring_capacity(REWIND_SECONDS, fps, REWIND_INTERVAL));
    log_write("rewind: up to %d states in %s\n", (int)ring.capacity, folder);
}

bool rewind_step_back(bool held)
{
    if (held && !was_held && ring.capacity <= 0 && off_reason)
        notice_show(off_reason);
    was_held = held;
    stepping = ring.capacity > 0 && held;
    if (!stepping)
        return false;
    char path[PATH_BUFFER_SIZE];
    int32_t slot = rewind_ring_pop(ring);
    // At the oldest state kept the game holds still there.
    if (slot < 0 || !slot_file(path, sizeof path, slot))
        return true;
    bool loaded = ox_state_load(path);
    remove(path);   // forgotten by the ring: its memory goes back now
    if (!loaded) {
        log_write("rewind: the component refused %s\n", path);
        return true;
    }
    // One frame from the loaded state, so the picture shows it.
    ox_core_emulate();
    frames_since = 0;
    return true;
}

bool rewind_active(void)
{
    return stepping;
}

uint64_t rewind_bytes_kept(void)
{
    return ring.bytes;
}

// A state forgotten to stay under the ceiling: its file goes, the first time with a log line.
static void forget_file(int32_t slot)
{
    remove_slot_file(slot);
    if (!dropped_logged)
        log_write("rewind: states of %llu bytes, %d kept\n", (unsigned long long)newest_bytes,
                  (int)ring.count);
    dropped_logged = true;
}

// Forgets the oldest states, deleting their files, until those kept and incoming bytes more
// fit under the ceiling.
static void drop_oldest(uint64_t incoming)
{
    int32_t slot;
    while ((slot = rewind_ring_drop(ring, incoming, REWIND_MEMORY_CEILING)) >= 0)
        forget_file(slot);
}

void rewind_record(void)
{
    if (ring.capacity <= 0 || ++frames_since < REWIND_INTERVAL)
        return;
    frames_since = 0;
    char path[PATH_BUFFER_SIZE];
    int32_t slot = rewind_ring_push(ring);
    if (slot < 0 || !slot_file(path, sizeof path, slot))
        return;
    // Room first, judged by the last state's size, so the folder never holds more than the
    // ceiling while the new state is written.
    drop_oldest(newest_bytes);
    uint64_t t0 = SDL_GetPerformanceCounter();
    bool saved = ox_state_save(path);
    uint64_t us = (SDL_GetPerformanceCounter() - t0) * 1000000u / SDL_GetPerformanceFrequency();
    if (!saved) {
        switch_off("Rewind is off: the game cannot save its state", "the component refused to save its state");
        return;
    }
    struct stat info;
    newest_bytes = stat(path, &info) == 0 && info.st_size > 0 ? (uint64_t)info.st_size : 0;
    if (!rewind_ring_keep(ring, slot, newest_bytes, REWIND_MEMORY_CEILING, forget_file)) {
        switch_off("Rewind is off: the game's states are too large", "a state is larger than its memory");
        return;
    }
    save_us[saves_timed++ % REWIND_SLOW_AFTER] = us;
    if (saves_timed >= REWIND_SLOW_AFTER && rewind_too_slow(save_us, REWIND_SLOW_AFTER, frame_us)) {
        char why[96];
        snprintf(why, sizeof why, "saving a state takes too long (the last one %llu us)",
                 (unsigned long long)us);
        switch_off("Rewind is off: saving the game is too slow", why);
    }
}

void rewind_end(void)
{
    if (folder[0])
        scratch_folder_remove(folder);
    folder[0] = '\0';
    rewind_ring_reset(ring, 0);
}
