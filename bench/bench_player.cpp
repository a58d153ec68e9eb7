// Runs the real player in process for a fixed number of frames without a display and prints
// the frame rate it held and the player's CPU time per frame, the component's own share
// measured apart and taken out.
//
//   bench_player [frames] [fullscreen 0|1] [smoothing 0|1]
#include <stdio.h>
#include <stdlib.h>

#include <SDL.h>

#include "app/loop.h"
#include "app/startup.h"
#include "config/settings.h"
#include "bench/bench_support.h"
#include "sound/audio.h"
#include "game/game.h"
#include "game/running.h"
#include "core_api/ox_core.h"
#include "video/video.h"
#include "video/video_state.h"

#define BENCH_DEFAULT_FRAMES 600

int main(int argc, char **argv)
{
    int frames = argc > 1 ? atoi(argv[1]) : BENCH_DEFAULT_FRAMES;
    if (frames <= 0)
        frames = BENCH_DEFAULT_FRAMES;
    char conf[64];
    snprintf(conf, sizeof conf, "scale=3\nfullscreen=%d\nsmoothing=%d\n",
             argc > 2 ? atoi(argv[2]) != 0 : 0, argc > 3 ? atoi(argv[3]) != 0 : 1);
    // With a display (or under xvfb-run) the window gets its real size; the offscreen driver
    // keeps the drawing surface at the 0 x 0 the player creates its window with.
    if (!getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!bench_prepare_res(conf))
        return 1;

    AudioStream stream = {};
    double deadline = 0.0;
    if (!startup(stream, &deadline))
        return 1;
    // Past the splash, so that every pass runs the component exactly once.
    video_state().splash_frames = 0;
    SDL_RendererInfo info = {};
    SDL_GetRendererInfo(video_state().renderer, &info);

    double wall0 = bench_wall_ms(), proc0 = bench_process_cpu_ms(), thr0 = bench_thread_cpu_ms();
    for (int i = 0; i < frames && !running_quit(); i++)
        deadline = loop_pass(stream, deadline);
    double wall = bench_wall_ms() - wall0;
    double proc = bench_process_cpu_ms() - proc0;
    double thr = bench_thread_cpu_ms() - thr0;

    // The component's own cost for the same number of frames, measured alone.
    static int16_t samples[44100 * 2];
    double comp0 = bench_thread_cpu_ms();
    for (int i = 0; i < frames; i++) {
        ox_core_emulate();
        ox_video_render(video_state().pixels);
        ox_audio_render(samples, 44100);
    }
    double comp = bench_thread_cpu_ms() - comp0;

    printf("renderer: %s%s, window %dx%d, TV effect path %s, smoothing %d, %d frames\n",
           info.name, getenv("DISPLAY") ? "" : " (offscreen)", video_state().window_w,
           video_state().window_h, video_state().gl_path ? "on" : "off", (int)settings.smoothing, frames);
    printf("frames per second held: %.2f (component rate %d)\n", frames * 1000.0 / wall,
           game_frame_rate());
    printf("component CPU per frame: %.3f ms\n", comp / frames);
    printf("player CPU per frame, main thread, without the component: %.3f ms\n",
           (thr - comp) / frames);
    printf("player CPU per frame, all threads (renderer workers too), without the component: %.3f ms\n",
           (proc - comp) / frames);
    audio_stream_close(stream);
    return 0;
}
