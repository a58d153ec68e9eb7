#include "app/loop.h"

#include <SDL.h>

#include "app/events.h"
#include "app/pacing.h"
#include "host/audio.h"
#include "host/resume.h"
#include "host/rewind.h"
#include "record/ox_core.h"
#include "input/input.h"
#include "record/gamestate.h"
#include "video/present.h"
#include "ui/menu.h"
#include "ui/menu_nav.h"
#include "xgui/notice.h"
#include "xgui/xgui.h"

#define LOOP_SPLASH_BURST 4

void emulate_step(void)
{
    GameState &g = gamestate;
    if (g.paused)
        return;
    // The splash's first pass runs a few frames so the picture behind it is not blank.
    if (g.splash_frames == SPLASH_FRAMES) {
        for (int i = 0; i < LOOP_SPLASH_BURST; i++)
            ox_core_emulate();
    }
    if (g.splash_frames != 0) {
        g.splash_frames--;
        return;
    }
    resume_continue();
    if (!rewind_step_back()) {
        ox_core_emulate();
        rewind_record();
    }
}

static void overlay_step(AudioStream &stream)
{
    GameState &g = gamestate;
    xgui_update(g.window_w, g.window_h, g.pointer_x, g.pointer_y, g.pointer_clicked != 0);
    g.pointer_clicked = 0;
    if (!xgui_is_open())
        return;
    menu_react();
    if (xgui_hover_started() && g.hover_sound.buffer)
        audio_stream_start_effect(stream, g.hover_sound);
    if (xgui_activated() && g.select_sound.buffer)
        audio_stream_start_effect(stream, g.select_sound);
}

double loop_pass(AudioStream &stream, double frame_deadline)
{
    GameState &g = gamestate;
    double period = frame_period(g.frame_rate);
    frame_deadline += period;

    SDL_Event event;
    while (SDL_PollEvent(&event))
        handle_event(event);
    menu_nav_pads(SDL_GetTicks64());

    input_step(menu_hides_game());
    emulate_step();
    overlay_step(stream);
    bool mute = g.paused || g.splash_frames != 0 || rewind_active();
    notice_hold("Paused", g.paused && !xgui_is_open());

    frame_update();
    if (g.gl_path)
        g.present_gl();
    else
        g.present_sdl();

    audio_stream_follow(stream);
    audio_stream_push(stream, mute);

    PacingWait wait = pacing_wait(frame_deadline, pacing_now(), period);
    if (wait.sleep_ms > 0)
        SDL_Delay(wait.sleep_ms);
    return wait.deadline;
}

void main_loop(AudioStream &stream, double frame_deadline)
{
    do
        frame_deadline = loop_pass(stream, frame_deadline);
    while (!gamestate.quit);
}
