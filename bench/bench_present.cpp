// Cost of presenting one frame: present_gl with the TV effect on and off, next to present_sdl
// on the same OpenGL renderer, in a window at scale 3 (768 x 672) and in a 1920 x 1080 window
// (the full-screen size), with the menu closed and open. Runs on whatever OpenGL the offscreen
// video driver finds (Mesa's software rasteriser on a machine without a GPU) and names it.
// Presents are not paced (vsync off) and each is followed by glFinish, so the figures are the
// whole drawing cost of a frame, not the wait for a display.
//
//   bench_present [frames]
#include <stdio.h>
#include <stdlib.h>

#include <initializer_list>

#include <SDL.h>
#include <SDL_opengl.h>

#include "base/log.h"
#include "bench/bench_support.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/gl_path.h"
#include "xgui/xgui.h"

#define BENCH_DEFAULT_FRAMES 120
#define BENCH_WARM_UP 10

enum BenchPath { BENCH_SDL, BENCH_GL_PLAIN, BENCH_GL_TV };
static const char *const BENCH_PATH_NAMES[] = {"present_sdl", "present_gl, effect off",
                                               "present_gl, TV effect"};

struct Figures {
    double wall, thread, process;  // milliseconds per frame
};

static void present(BenchPath path)
{
    settings.smoothing = path == BENCH_GL_TV;
    if (path == BENCH_SDL)
        video_present_sdl();
    else
        video_present_gl();
    glFinish();
}

static Figures measure(BenchPath path, int frames)
{
    for (int i = 0; i < BENCH_WARM_UP; i++)
        present(path);
    double wall0 = bench_wall_ms(), thr0 = bench_thread_cpu_ms(), proc0 = bench_process_cpu_ms();
    for (int i = 0; i < frames; i++)
        present(path);
    Figures f;
    f.wall = (bench_wall_ms() - wall0) / frames;
    f.thread = (bench_thread_cpu_ms() - thr0) / frames;
    f.process = (bench_process_cpu_ms() - proc0) / frames;
    return f;
}

// A picture with detail in it: the component's first frames of the shipped game.
static void fill_frame(void)
{
    VideoState &g = video_state();
    for (int i = 0; i < 30; i++)
        ox_core_emulate();
    ox_video_render(g.pixels);
    SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
}

// The window, renderer and GL path as start-up makes them, at a fixed size. The offscreen
// driver's surface keeps the size the window was created with, so each size gets its own.
static bool open_window(int w, int h, const char *dir)
{
    VideoState &g = video_state();
    g.window = SDL_CreateWindow("", 0, 0, w, h, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    g.renderer = g.window ? SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    if (!g.renderer) {
        fprintf(stderr, "no renderer: %s\n", SDL_GetError());
        return false;
    }
    SDL_RendererInfo info;
    SDL_GetRendererInfo(g.renderer, &info);
    if (SDL_strncmp(info.name, "opengl", 6) != 0) {
        fprintf(stderr, "renderer %s is not an OpenGL one\n", info.name);
        return false;
    }
    gl_path_setup();
    SDL_GL_SetSwapInterval(0);
    if (!g.gl_path || !crt_program_usable()) {
        fprintf(stderr, "the CRT program could not be built\n");
        return false;
    }
    g.window_w = w;
    g.window_h = h;
    video_recreate_frame_texture();
    fill_frame();
    if (!xgui_init(dir, g.renderer)) {
        fprintf(stderr, "no overlay resources\n");
        return false;
    }
    return true;
}

static void close_window(void)
{
    VideoState &g = video_state();
    xgui_free();
    SDL_DestroyTexture(g.frame_texture);
    g.frame_texture = nullptr;
    SDL_DestroyRenderer(g.renderer);
    g.renderer = nullptr;
    SDL_DestroyWindow(g.window);
    g.window = nullptr;
    g.gl_path = false;
}

// The menu faded fully in: the overlay picture and a page of text.
static void open_menu(bool open)
{
    xgui_reset();
    if (open) {
        static const char *const LINES[] = {"Resume", "Save state", "Load state", "Scale 3x",
                                            "Full screen", "TV effect", "Change keys", "Quit"};
        int y = 200;
        for (const char *line : LINES) {
            xgui_add(XGUI_BUTTON, 0, 700, y, line, 0);
            y += 80;
        }
    }
    xgui_set_open(open);
    for (int i = 0; i < 32; i++)
        xgui_update(0, 0, 0);
}

int main(int argc, char **argv)
{
    int frames = argc > 1 ? atoi(argv[1]) : BENCH_DEFAULT_FRAMES;
    if (frames <= 0)
        frames = BENCH_DEFAULT_FRAMES;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!bench_prepare_res("scale=3\nfullscreen=0\n"))
        return 1;
    char *base = SDL_GetBasePath();
    if (!base || SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;

    // The player's log stays closed: nothing is written while the windows are made.
    ox_core_init(44100, 0);
    char game[1024];
    snprintf(game, sizeof game, "%sres/game", base);
    if (!ox_core_load(game))
        fprintf(stderr, "no game at %s: the picture stays black\n", game);
    video_state().screen_w = video_state().raster_w = ox_video_get_screen_width();
    video_state().screen_h = video_state().raster_h = ox_video_get_screen_height();
    settings.scale = 3;
    settings.stretch = false;
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");

    const int sizes[][2] = {{768, 672}, {1920, 1080}};
    bool named = false;
    for (const auto &size : sizes) {
        if (!open_window(size[0], size[1], base))
            return 1;
        if (!named) {
            printf("renderer: opengl on %s (%s), %d frames each, screen %dx%d\n",
                   (const char *)glGetString(GL_RENDERER), (const char *)glGetString(GL_VERSION),
                   frames, video_state().screen_w, video_state().screen_h);
            printf("%-10s %-6s %-24s %10s %12s %14s\n", "window", "menu", "path", "wall ms",
                   "main CPU ms", "all CPU ms");
            named = true;
        }
        for (bool menu : {false, true}) {
            open_menu(menu);
            for (BenchPath path : {BENCH_SDL, BENCH_GL_PLAIN, BENCH_GL_TV}) {
                Figures f = measure(path, frames);
                printf("%4dx%-5d %-6s %-24s %10.3f %12.3f %14.3f\n", size[0], size[1],
                       menu ? "open" : "closed", BENCH_PATH_NAMES[path], f.wall, f.thread,
                       f.process);
            }
        }
        close_window();
    }
    ox_core_shut();
    SDL_free(base);
    return 0;
}
