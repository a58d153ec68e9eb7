#include "bench/bench_support.h"

#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <SDL.h>

static const char *const BENCH_RES_FILES[] = {
    "game", "data", "donf", "font", "overlay", "splash", "back", "s_hover", "s_select", "crtv", "crtf",
};

static bool copy_file(const char *from, const char *to)
{
    FILE *in = fopen(from, "rb");
    if (!in)
        return false;
    FILE *out = fopen(to, "wb");
    if (!out) {
        fclose(in);
        return false;
    }
    char buf[65536];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, in)) > 0)
        fwrite(buf, 1, n, out);
    fclose(in);
    return fclose(out) == 0;
}

bool bench_prepare_res(const char *conf_text)
{
    char *base = SDL_GetBasePath();
    if (!base)
        return false;
    char dir[1024], from[1024], to[1024];
    snprintf(dir, sizeof dir, "%sres", base);
    mkdir(dir, 0755);
    for (const char *name : BENCH_RES_FILES) {
        snprintf(from, sizeof from, "%s../dist/res/%s", base, name);
        snprintf(to, sizeof to, "%sres/%s", base, name);
        copy_file(from, to);  // optional files may be missing
    }
    snprintf(to, sizeof to, "%sres/conf", base);
    // The shader files are looked up under the current directory.
    bool entered = chdir(base) == 0;
    SDL_free(base);
    if (!entered)
        return false;
    FILE *conf = fopen(to, "wb");
    if (!conf)
        return false;
    fputs(conf_text, conf);
    return fclose(conf) == 0;
}

static double clock_ms(clockid_t id)
{
    struct timespec ts;
    clock_gettime(id, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double bench_process_cpu_ms(void) { return clock_ms(CLOCK_PROCESS_CPUTIME_ID); }
double bench_thread_cpu_ms(void) { return clock_ms(CLOCK_THREAD_CPUTIME_ID); }
double bench_wall_ms(void) { return clock_ms(CLOCK_MONOTONIC); }
