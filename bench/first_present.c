/* Preloaded into the player by bench/table.sh: the time from exec to the first present.
 *   BENCH_EXEC_T0            wall-clock time of the exec in seconds ($EPOCHREALTIME)
 *   BENCH_FIRST_PRESENT_OUT  file that gets the milliseconds from exec to the end of the
 *                            first present; the process then ends at once
 *   BENCH_START_TRACE        when set, each start-up call below is written to stderr with
 *                            the time it took and the time since exec
 * SDL's own internal calls go through its dynamic table and are not caught. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double wall_ms(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

static double since_exec_ms(void)
{
    const char *t0 = getenv("BENCH_EXEC_T0");
    return t0 ? wall_ms() - atof(t0) * 1000.0 : -1.0;
}

static void first_present_done(void)
{
    static int done;
    if (done++)
        return;
    const char *out = getenv("BENCH_FIRST_PRESENT_OUT");
    if (!out)
        return;
    double ms = since_exec_ms();
    FILE *f = fopen(out, "w");
    if (f) {
        fprintf(f, "%.1f\n", ms);
        fclose(f);
    }
    _exit(0);
}

static void trace(const char *name, double start)
{
    if (getenv("BENCH_START_TRACE"))
        fprintf(stderr, "trace %-26s %8.1f ms, done at %8.1f ms after exec\n", name,
                wall_ms() - start, since_exec_ms());
}

#define REAL(name) \
    static void *real; \
    if (!real) \
        real = dlsym(RTLD_NEXT, name)

/* Every wrapped call is a plain pass-through of up to six pointer-sized arguments, which
 * covers these signatures on the x86-64 and AArch64 calling conventions. */
typedef long (*Call6)(long, long, long, long, long, long);

#define WRAP(name) \
    long name(long a, long b, long c, long d, long e, long f) \
    { \
        REAL(#name); \
        double start = wall_ms(); \
        long result = ((Call6)real)(a, b, c, d, e, f); \
        trace(#name, start); \
        return result; \
    }

WRAP(SDL_Init)
WRAP(SDL_CreateWindow)
WRAP(SDL_CreateRenderer)
WRAP(SDL_SetWindowSize)
WRAP(SDL_SetWindowPosition)
WRAP(SDL_SetWindowFullscreen)
WRAP(SDL_GL_SetSwapInterval)
WRAP(SDL_LoadWAV_RW)
WRAP(SDL_OpenAudioDevice)
WRAP(IMG_Load)
WRAP(IMG_Load_RW)
WRAP(ox_core_init)
WRAP(ox_core_load)

/* The two ways a frame is presented: each notes its first present. */
#define WRAP_PRESENT(name) \
    void name(void *target) \
    { \
        REAL(#name); \
        double start = wall_ms(); \
        ((void (*)(void *))real)(target); \
        static int traced; \
        if (!traced++) \
            trace(#name " (first)", start); \
        first_present_done(); \
    }

WRAP_PRESENT(SDL_GL_SwapWindow)
WRAP_PRESENT(SDL_RenderPresent)
