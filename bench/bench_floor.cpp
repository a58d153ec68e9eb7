// The floor every player figure is put next to: the least a program can do to show a
// 256 x 224 picture. Each frame it uploads the picture, clears, copies it scaled into the
// window with SDL's renderer (the largest whole multiple that fits, centred) and presents,
// paced to 60 frames per second like the player. It links SDL alone.
//
//   bench_floor [frames] [fullscreen 0|1] [scale]
//
// Prints the frames per second held, the CPU time per frame of the whole process (the
// renderer's worker threads too) and, when BENCH_EXEC_T0 holds the wall-clock time of the
// exec (seconds, as bash's $EPOCHREALTIME gives it), the time from exec to the first present.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <SDL.h>

#define FLOOR_W 256
#define FLOOR_H 224
#define FLOOR_RATE 60
#define FLOOR_WARM_UP 30
#define FLOOR_DEFAULT_FRAMES 600

static double clock_ms(clockid_t id)
{
    struct timespec ts;
    clock_gettime(id, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

// Milliseconds since the exec, or a negative value when the caller gave no exec time.
static double since_exec_ms(void)
{
    const char *t0 = getenv("BENCH_EXEC_T0");
    if (!t0)
        return -1.0;
    return clock_ms(CLOCK_REALTIME) - atof(t0) * 1000.0;
}

// A picture that changes every frame, so each upload carries new pixels.
static void fill(uint32_t *pixels, int frame)
{
    for (int y = 0; y < FLOOR_H; y++)
        for (int x = 0; x < FLOOR_W; x++)
            pixels[y * FLOOR_W + x] = 0xff000000u | (uint32_t)((x + frame) & 0xff) << 8 |
                                      (uint32_t)(y & 0xff);
}

int main(int argc, char **argv)
{
    int frames = argc > 1 ? atoi(argv[1]) : FLOOR_DEFAULT_FRAMES;
    if (frames <= 0)
        frames = FLOOR_DEFAULT_FRAMES;
    bool fullscreen = argc > 2 && atoi(argv[2]) != 0;
    int scale = argc > 3 ? atoi(argv[3]) : 3;
    if (scale < 1)
        scale = 3;

    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    Uint32 flags = SDL_WINDOW_SHOWN | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SDL_Window *window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          FLOOR_W * scale, FLOOR_H * scale, flags);
    SDL_Renderer *renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_Texture *texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                                        SDL_TEXTUREACCESS_STREAMING, FLOOR_W, FLOOR_H)
                                    : nullptr;
    if (!texture) {
        fprintf(stderr, "no window, renderer or texture: %s\n", SDL_GetError());
        return 1;
    }
    static uint32_t pixels[FLOOR_W * FLOOR_H];

    double first_present = -1.0, wall0 = 0.0, cpu0 = 0.0;
    double deadline = clock_ms(CLOCK_MONOTONIC);
    int w = 0, h = 0;
    for (int i = 0; i < FLOOR_WARM_UP + frames; i++) {
        if (i == FLOOR_WARM_UP) {
            wall0 = clock_ms(CLOCK_MONOTONIC);
            cpu0 = clock_ms(CLOCK_PROCESS_CPUTIME_ID);
        }
        deadline += 1000.0 / FLOOR_RATE;
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        fill(pixels, i);
        SDL_UpdateTexture(texture, nullptr, pixels, FLOOR_W * 4);
        SDL_GetRendererOutputSize(renderer, &w, &h);
        int k = SDL_min(w / FLOOR_W, h / FLOOR_H);
        SDL_Rect dst = {(w - k * FLOOR_W) / 2, (h - k * FLOOR_H) / 2, k * FLOOR_W, k * FLOOR_H};
        SDL_RenderClear(renderer);
        SDL_RenderCopy(renderer, texture, nullptr, &dst);
        SDL_RenderPresent(renderer);
        if (i == 0)
            first_present = since_exec_ms();
        double remaining = deadline - clock_ms(CLOCK_MONOTONIC);
        if (remaining < 0.0)
            deadline -= remaining;
        else
            SDL_Delay((Uint32)remaining);
    }
    double wall = clock_ms(CLOCK_MONOTONIC) - wall0;
    double cpu = clock_ms(CLOCK_PROCESS_CPUTIME_ID) - cpu0;

    SDL_RendererInfo info;
    SDL_GetRendererInfo(renderer, &info);
    printf("renderer: %s, window %dx%d, %d frames\n", info.name, w, h, frames);
    printf("frames per second held: %.2f\n", frames * 1000.0 / wall);
    printf("CPU per frame, all threads: %.3f ms\n", cpu / frames);
    if (first_present >= 0.0)
        printf("first present after exec: %.1f ms\n", first_present);
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
