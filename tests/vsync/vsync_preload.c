/* Preloaded into the player, makes presenting wait for the next tick of a simulated display
 * clock, as vertical sync does on a real display (Xvfb and the offscreen driver never wait).
 *   FAKE_VSYNC_HZ   refresh rate of the simulated display, e.g. 59.94; unset or 0: no wait
 *   FAKE_VSYNC_REPORT  "0": the display modes the player asks SDL for say no refresh rate (as
 *                   some drivers do); otherwise they say the simulated one, rounded as SDL does
 * The ticks count from the first present. SDL's own calls go through its internal table and
 * are not caught, so a frame waits once. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdlib.h>
#include <time.h>

#define NS_PER_S 1000000000.0

typedef struct SDL_Window SDL_Window;
typedef struct SDL_Renderer SDL_Renderer;
typedef struct {
    unsigned format;
    int w, h;
    int refresh_rate;
    void *driverdata;
} DisplayMode;

static double tick_ns = -1.0;   /* display period; 0 when no display rate was given */
static double first_ns = -1.0;  /* time of the first present */

static double now_ns(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * NS_PER_S + ts.tv_nsec;
}

static void wait_for_tick(void)
{
    if (tick_ns < 0.0) {
        const char *hz = getenv("FAKE_VSYNC_HZ");
        double rate = hz ? atof(hz) : 0.0;
        tick_ns = rate > 0.0 ? NS_PER_S / rate : 0.0;
    }
    if (tick_ns == 0.0)
        return;
    double now = now_ns();
    if (first_ns < 0.0) {
        first_ns = now;
        return;
    }
    double ticks = (double)(long long)((now - first_ns) / tick_ns) + 1.0;
    double at = first_ns + ticks * tick_ns;
    struct timespec ts;
    ts.tv_sec = (time_t)(at / NS_PER_S);
    ts.tv_nsec = (long)(at - ts.tv_sec * NS_PER_S);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, NULL) == EINTR)
        ;
}

void SDL_GL_SwapWindow(SDL_Window *window)
{
    static void (*real)(SDL_Window *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    wait_for_tick();
    real(window);
}

void SDL_RenderPresent(SDL_Renderer *renderer)
{
    static void (*real)(SDL_Renderer *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_RenderPresent");
    wait_for_tick();
    real(renderer);
}

/* The simulated display's rate in a mode SDL filled in. */
static int report_rate(int result, DisplayMode *mode)
{
    const char *hz = getenv("FAKE_VSYNC_HZ");
    const char *report = getenv("FAKE_VSYNC_REPORT");
    if (result != 0 || !mode || !hz || atof(hz) <= 0.0)
        return result;
    mode->refresh_rate = report && report[0] == '0' ? 0 : (int)(atof(hz) + 0.5);
    return result;
}

int SDL_GetWindowDisplayMode(SDL_Window *window, DisplayMode *mode)
{
    static int (*real)(SDL_Window *, DisplayMode *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_GetWindowDisplayMode");
    return report_rate(real(window, mode), mode);
}

int SDL_GetCurrentDisplayMode(int index, DisplayMode *mode)
{
    static int (*real)(int, DisplayMode *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_GetCurrentDisplayMode");
    return report_rate(real(index, mode), mode);
}
