#include "rewind/runahead.h"

#include <stdio.h>

#include "base/log.h"
#include "base/notice.h"
#include "base/paths.h"
#include "base/scratch.h"
#include "game/game.h"
#include "core_api/ox_core.h"

static char folder[PATH_BUFFER_SIZE];   // the memory folder with its separator; "" without
static char path[PATH_BUFFER_SIZE];     // the scratch state in it
static bool off;
static int32_t passes_timed;
static uint64_t ahead_us_average;
static uint64_t frame_us;

ForwardPlan forward_plan(int32_t setting, bool fast, bool switched_off)
{
    if (fast)
        return ForwardPlan{FAST_FORWARD_FRAMES, 0};
    if (switched_off || setting < 0)
        return ForwardPlan{1, 0};
    return ForwardPlan{1, setting > RUNAHEAD_MAX_FRAMES ? RUNAHEAD_MAX_FRAMES : setting};
}

bool runahead_too_slow(uint64_t ahead_us, uint64_t frame_us)
{
    return ahead_us * 2 > frame_us;
}

static void switch_off(const char *why, const char *notice)
{
    log_write("run-ahead is off: %s\n", why);
    notice_show(notice);
    off = true;
}

void runahead_init(int32_t fps)
{
    frame_us = 1000000u / (uint64_t)(fps > 0 ? fps : FALLBACK_FRAME_RATE);
    off = false;
    passes_timed = 0;
    int n = -1;
    if (scratch_folder_make(folder, sizeof folder))
        n = snprintf(path, sizeof path, "%sahead", folder);
    if (n <= 0 || (size_t)n >= sizeof path) {
        folder[0] = '\0';
        off = true;
        log_write("run-ahead is off: no folder for its state\n");
    }
}

bool runahead_off(void)
{
    return off;
}

void runahead_rearm(void)
{
    if (!folder[0])
        return;
    off = false;
    passes_timed = 0;
}

bool runahead_save(void)
{
    if (off)
        return false;
    if (ox_state_save(path))
        return true;
    switch_off("the component refused to save its state", "Less lag is off: the game cannot save its state");
    return false;
}

bool runahead_load(void)
{
    if (ox_state_load(path))
        return true;
    // The game stays where the extra frames left it: ahead by a frame or two, still playable.
    switch_off("the component refused its own state", "Less lag is off: the game cannot load its state");
    return false;
}

void runahead_account(uint64_t us)
{
    if (off)
        return;
    // A running average over about the last eight passes, so one slow pass is forgiven.
    ahead_us_average = passes_timed == 0 ? us : (ahead_us_average * 7 + us) / 8;
    if (++passes_timed >= RUNAHEAD_SLOW_AFTER && runahead_too_slow(ahead_us_average, frame_us)) {
        log_write("run-ahead takes %llu us of a %llu us frame\n", (unsigned long long)ahead_us_average,
                  (unsigned long long)frame_us);
        switch_off("running ahead takes too long", "Less lag is off: the game is too slow for it");
    }
}

void runahead_end(void)
{
    if (!folder[0])
        return;
    remove(path);
    scratch_folder_remove(folder);
    folder[0] = '\0';
}
