#include "app/loop.h"

#include <SDL.h>

#include "app/events.h"
#include "app/forward.h"
#include "app/pacing.h"
#include "app/session_end.h"
#include "base/notice.h"
#include "config/settings.h"
#include "sound/audio.h"
#include "game/game.h"
#include "sound/menu_sounds.h"
#include "slots/resume.h"
#include "rewind/rewind.h"
#include "game/running.h"
#include "core_api/ox_core.h"
#include "input/input.h"
#include "input/devices.h"
#include "video/present.h"
#include "video/video.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "ui/page_widgets.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

#define LOOP_SPLASH_BURST 4

// The rewind control: its key, or its button on any pad in use.
static bool rewind_held(void)
{
    const Devices &devices = input_devices();
    if (devices.key[REWIND_KEY])
        return true;
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        const PadState &pad = devices.pad[slot];
        if (pad.joystick && pad.buttons > REWIND_PAD_BUTTON && pad.button[REWIND_PAD_BUTTON])
            return true;
    }
    return false;
}

void emulate_step(void)
{
    if (running_paused())
        return;
    // The splash's first pass runs a few frames so the picture behind it is not blank.
    if (video_splash_frames() == SPLASH_FRAMES) {
        for (int i = 0; i < LOOP_SPLASH_BURST; i++)
            ox_core_emulate();
    }
    if (video_splash_frames() != 0) {
        video_splash_count_down();
        return;
    }
    resume_continue();
    // Run-ahead and fast-forward (app/forward.cpp): the real frames and any beyond them.
    if (!rewind_step_back(rewind_held()))
        forward_step();
}

// One frame and its sound: the component's, or silence while it stands still.
static void emulate_frame(AudioStream *stream)
{
    emulate_step();
    if (!stream)
        return;
    bool mute = running_paused() || video_splash_frames() != 0 || rewind_active();
    audio_stream_follow(*stream);
    audio_stream_push(*stream, mute);
}

static void overlay_step(const LoopInput &in)
{
    xgui_update(in.pointer.x, in.pointer.y, in.pointer.clicked);
    if (!xgui_is_open())
        return;
    menu_react();
    if (!in.stream)
        return;
    if (xgui_hover_started() && menu_sound_hover().buffer)
        audio_stream_start_effect(*in.stream, menu_sound_hover());
    if (xgui_activated() && menu_sound_select().buffer)
        audio_stream_start_effect(*in.stream, menu_sound_select());
}

void loop_step(const LoopInput &in)
{
    menu_nav_pads(in.now_ms);
    // A capture that ended rebuilt the labels: the page shows them in this very pass.
    if (input_step(menu_hides_game()))
        keys_page_show_labels();
    for (int i = 0; i < in.frames; i++)
        emulate_frame(in.stream);
    overlay_step(in);
    notice_hold("Paused", running_paused() && !xgui_is_open());
}

double loop_pass(AudioStream &stream, double frame_deadline)
{
    int rate = game_frame_rate();
    double period = frame_period(rate);
    PacingStep step = pacing_step(frame_deadline, pacing_now(), period);

    // One reading of the devices serves the whole pass, taken with the events it goes with.
    SDL_PumpEvents();
    input_devices_read(input_devices());
    SDL_Event event;
    while (SDL_PollEvent(&event))
        handle_event(event);

    // A queue found dry raises the sound's target one step of the latency setting.
    stream.raise_ms = audio_next_latency(settings.latency_ms, MENU_LATENCY_MS, MENU_LATENCY_STEPS);
    loop_step(LoopInput{pointer_take(), SDL_GetTicks64(), step.frames, &stream});
    pacing_frames_run(step.frames);

    static bool slept;  // since the last present
    if (step.present) {
        forward_frame_update();   // run-ahead may have rendered the picture already
        video_present();
        pacing_presented(pacing_now(), slept);
        slept = false;
    }

    bool follow = pacing_follow(video_window(), rate);
    PacingWait wait = pacing_wait(step.deadline, pacing_now(), period, follow);
    if (wait.sleep_ms > 0) {
        SDL_Delay(wait.sleep_ms);
        slept = true;
    }
    return wait.deadline;
}

void main_loop(AudioStream &stream, double frame_deadline)
{
    do
        frame_deadline = loop_pass(stream, frame_deadline);
    while (!running_quit() && !session_end_asked());
}
