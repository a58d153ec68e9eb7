#include "app/forward.h"

#include <SDL.h>

#include "base/notice.h"
#include "config/settings.h"
#include "game/game.h"
#include "rewind/rewind.h"
#include "rewind/runahead.h"
#include "sound/sound_hold.h"
#include "input/devices.h"
#include "input/fixed_controls.h"
#include "core_api/ox_core.h"
#include "video/kept_picture.h"
#include "video/present.h"

static bool fast;        // fast-forward ran this pass
static bool pictured;    // run-ahead rendered this pass's picture

static uint64_t since_us(uint64_t start)
{
    return (SDL_GetPerformanceCounter() - start) * 1000000u / SDL_GetPerformanceFrequency();
}

// The frames beyond the real one: their picture shown, their sound and state undone.
static void run_ahead(int32_t frames)
{
    sound_hold_take();
    video_keep_frame_picture();
    uint64_t start = SDL_GetPerformanceCounter();
    if (!runahead_save())
        return;
    for (int32_t i = 0; i < frames; i++)
        ox_core_emulate();
    sound_hold_drop();
    uint64_t ahead_us = since_us(start);
    frame_update();
    pictured = true;
    start = SDL_GetPerformanceCounter();
    runahead_load();
    runahead_account(ahead_us + since_us(start));
}

void forward_step(void)
{
    fast = fast_forward_held(input_devices());
    ForwardPlan plan = forward_plan(settings.runahead, fast, runahead_off());
    for (int32_t i = 0; i < plan.real; i++) {
        ox_core_emulate();
        rewind_record();
    }
    if (fast)
        sound_hold_drop();
    else if (plan.ahead > 0)
        run_ahead(plan.ahead);
}

void forward_frame_update(void)
{
    if (!pictured) {
        frame_update();
        video_forget_frame_picture();
    }
    notice_hold("Fast forward", fast);
    pictured = false;
    fast = false;
}

void forward_init(int capacity)
{
    runahead_init(game_frame_rate());
    sound_hold_init(capacity);
}

void forward_end(void)
{
    runahead_end();
    sound_hold_end();
}
