#include "host/rewind.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>


#include "base/log.h"
#include "base/paths.h"
#include "base/platform.h"
#include "host/game.h"
#include "host/rewind_ring.h"
#include "record/ox_core.h"
#include "base/notice.h"

static char folder[PATH_BUFFER_SIZE];   // the ring's folder with its separator; "" while off
static RewindRing ring;
static int32_t wanted;                  // capacity before the state size is known
static int32_t frames_since;
static int32_t saves_timed;
static uint64_t save_us_average;
static uint64_t frame_us;
static int32_t frame_rate;
static bool stepping;

static bool slot_file(char *out, size_t size, int32_t slot)
{
    int n = snprintf(out, size, "%s%d", folder, (int)slot);
    return n > 0 && (size_t)n < size;
}

static void switch_off(const char *why)
{
    log_write("rewind is off: %s\n", why);
    notice_show("Rewind is off: saving the game is too slow");
    ring.capacity = 0;
}

void rewind_init(int32_t fps)
{
    if (fps <= 0)
        fps = FALLBACK_FRAME_RATE;
    frame_rate = fps;
    frame_us = 1000000u / (uint64_t)fps;
    wanted = rewind_ring_capacity(REWIND_SECONDS, fps, REWIND_INTERVAL, 0, REWIND_MEMORY_CEILING);
    if (!platform_memory_folder(folder, sizeof folder)) {
        folder[0] = '\0';
        log_write("rewind is off: no folder for its states\n");
        return;
    }
    ring = RewindRing{wanted, 0, 0};
    log_write("rewind: up to %d states in %s\n", (int)wanted, folder);
}

bool rewind_step_back(bool held)
{
    stepping = ring.capacity > 0 && held;
    if (!stepping)
        return false;
    char path[PATH_BUFFER_SIZE];
    int32_t slot = rewind_ring_pop(ring);
    // At the oldest state kept the game holds still there.
    if (slot < 0 || !slot_file(path, sizeof path, slot))
        return true;
    if (!ox_state_load(path)) {
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

// Learns the state's size from the first file written and holds the ring under the ceiling.
static void fit_ring(const char *path)
{
    struct stat info;
    if (stat(path, &info) != 0 || info.st_size <= 0)
        return;
    int32_t fits = rewind_ring_capacity(REWIND_SECONDS, frame_rate, REWIND_INTERVAL,
                                        (uint64_t)info.st_size, REWIND_MEMORY_CEILING);
    if (fits < ring.capacity) {
        log_write("rewind: states of %lld bytes, %d kept\n", (long long)info.st_size, (int)fits);
        ring = RewindRing{fits, 1, 1};   // the first state, just written to file 0, stays
    }
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
    uint64_t t0 = SDL_GetPerformanceCounter();
    bool saved = ox_state_save(path);
    uint64_t us = (SDL_GetPerformanceCounter() - t0) * 1000000u / SDL_GetPerformanceFrequency();
    if (!saved) {
        log_write("rewind is off: the component refused to save its state\n");
        notice_show("Rewind is off: the game cannot save its state");
        ring.capacity = 0;
        return;
    }
    if (saves_timed == 0)
        fit_ring(path);
    // A running average over about the last eight saves, so one slow save is forgiven.
    save_us_average = saves_timed == 0 ? us : (save_us_average * 7 + us) / 8;
    if (++saves_timed >= REWIND_SLOW_AFTER && rewind_too_slow(save_us_average, frame_us))
        switch_off("saving a state takes too long");
}

void rewind_end(void)
{
    if (!folder[0])
        return;
    for (int32_t slot = 0; slot < wanted; slot++) {
        char path[PATH_BUFFER_SIZE];
        if (slot_file(path, sizeof path, slot))
            remove(path);
    }
    platform_remove_dir(folder);
    folder[0] = '\0';
    ring = RewindRing{0, 0, 0};
}
