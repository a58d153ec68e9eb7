// Prints the cost per frame of the overlay (xgui_update and one draw) with both real pages
// built from the shipped font and backdrop: with the menu closed and faded out, with the menu
// open on page 0, and on the change-keys page with 32 rows, through the software renderer and
// through the OpenGL renderer of an offscreen window. Draws are flushed and finished so the
// figures include the rendering itself, not only the queuing. Last, the cost of one focus
// move (the nearest-widget search an arrow or a pad makes) on the change-keys page.
//
//   bench_overlay [frames]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <SDL.h>
#include <SDL_opengl.h>

#include "base/paths.h"
#include "bench/bench_support.h"
#include "config/binding.h"
#include "core_api/ox_core.h"
#include "video/video.h"
#include "video/video_state.h"
#include "ui/menu.h"
#include "ui/page_widgets.h"
#include "xgui/focus.h"
#include "xgui/xgui_internal.h"

#define BENCH_DEFAULT_FRAMES 300
#define BENCH_WINDOW_W 1280
#define BENCH_WINDOW_H 720

// The component reports every button the table holds: replaced at link time.
int ox_button_get_count(void) { return MAX_BUTTONS; }

struct Figures {
    double cpu_ms;    // main thread CPU per frame
    double wall_ms;   // elapsed per frame, the renderer's work finished
};

// clear: a clear and a flush around each draw, as a presented frame has; without it only the
// overlay's own calls are timed.
static Figures run(SDL_Renderer *renderer, bool gl, bool clear, int frames)
{
    double cpu0 = bench_thread_cpu_ms(), wall0 = bench_wall_ms();
    for (int i = 0; i < frames; i++) {
        // The pointer sweeps the items so hover changes are part of the cost.
        xgui_update(500 + i % 400, 250 + (i * 7) % 700, 0);
        if (clear) {
            SDL_RenderClear(renderer);
            SDL_RenderFlush(renderer);
        }
        if (gl)
            xgui_draw_gl(renderer, BENCH_WINDOW_W, BENCH_WINDOW_H);
        else
            xgui_draw(renderer, BENCH_WINDOW_W, BENCH_WINDOW_H);
        if (clear) {
            SDL_RenderFlush(renderer);
            if (gl)
                glFinish();
        }
    }
    Figures f;
    f.cpu_ms = (bench_thread_cpu_ms() - cpu0) / frames;
    f.wall_ms = (bench_wall_ms() - wall0) / frames;
    return f;
}

static void report(const char *what, const Figures &f)
{
    printf("  %-38s %9.4f ms CPU  %9.4f ms elapsed per frame\n", what, f.cpu_ms, f.wall_ms);
}

// One focus move per frame, round the page in all four directions, on the page now shown.
static Figures run_focus(int frames)
{
    static const int32_t STEPS[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    xgui_focus = -1;
    xgui_focus_move(0, 1, -1);
    double cpu0 = bench_thread_cpu_ms(), wall0 = bench_wall_ms();
    for (int i = 0; i < frames; i++)
        xgui_focus_move(STEPS[i / 3 % 4][0], STEPS[i / 3 % 4][1], -1);
    Figures f;
    f.cpu_ms = (bench_thread_cpu_ms() - cpu0) / frames;
    f.wall_ms = (bench_wall_ms() - wall0) / frames;
    return f;
}

static bool bench_renderer(const char *name, Uint32 flags, bool gl, int frames)
{
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, name);
    SDL_Window *window = SDL_CreateWindow("bench", 0, 0, BENCH_WINDOW_W, BENCH_WINDOW_H,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    SDL_Renderer *renderer = window ? SDL_CreateRenderer(window, -1, flags) : nullptr;
    if (!renderer || !xgui_init(exe_dir, renderer)) {
        fprintf(stderr, "%s renderer: %s\n", name, SDL_GetError());
        if (window)
            SDL_DestroyWindow(window);
        return false;
    }
    video_state().renderer = renderer;
    video_state().window = window;
    video_state().gl_path = gl;
    pages_build();
    slot_rows_refresh();

    printf("%s renderer, %dx%d window, %d frames each:\n", name, BENCH_WINDOW_W,
           BENCH_WINDOW_H, frames);
    for (int i = 0; i < 40; i++)
        xgui_update(0, 0, 0);
    report("menu closed, faded out (overlay only)", run(renderer, gl, false, frames));
    report("menu closed, with clear and flush", run(renderer, gl, true, frames));
    menu_toggle();
    for (int i = 0; i < 40; i++)
        xgui_update(0, 0, 0);
    report("menu open, page 0", run(renderer, gl, true, frames));
    keys_page_open();
    report("change-keys page, 32 rows shown 15", run(renderer, gl, true, frames));
    report("focus move, change-keys page", run_focus(frames));
    menu_toggle();

    xgui_reset();
    xgui_free();
    video_state().renderer = nullptr;
    video_state().window = nullptr;
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return true;
}

int main(int argc, char **argv)
{
    int frames = argc > 1 ? atoi(argv[1]) : BENCH_DEFAULT_FRAMES;
    if (frames <= 0)
        frames = BENCH_DEFAULT_FRAMES;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (!bench_prepare_res("scale=3\nfullscreen=0\n"))
        return 1;
    char *base = SDL_GetBasePath();
    if (!base)
        return 1;
    snprintf(exe_dir, sizeof exe_dir, "%s", base);
    SDL_free(base);
    SDL_Init(SDL_INIT_VIDEO);

    bool ok = bench_renderer("software", SDL_RENDERER_SOFTWARE, false, frames);
    ok = bench_renderer("opengl", SDL_RENDERER_ACCELERATED, true, frames) && ok;
    SDL_Quit();
    return ok ? 0 : 1;
}
