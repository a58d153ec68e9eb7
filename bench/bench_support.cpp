#include "bench/bench_support.h"

#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <SDL.h>

#include "app/startup.h"
#include "sound/audio.h"
#include "video/video.h"

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

int bench_count_arg(int argc, char **argv, int index, int fallback)
{
    const int n = argc > index ? atoi(argv[index]) : fallback;
    return n > 0 ? n : fallback;
}

bool bench_start_player(const char *conf_text, AudioStream &stream)
{
    if (!getenv("DISPLAY"))
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!bench_prepare_res(conf_text))
        return false;
    double deadline = 0;
    if (!startup(stream, &deadline))
        return false;
    video_splash_end();
    return true;
}

bool bench_save_like_a_component(const char *path, const std::vector<char> &data)
{
    char temp[300];
    snprintf(temp, sizeof temp, "%s.tmp", path);
    int fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    bool ok = write(fd, data.data(), data.size()) == (ssize_t)data.size() && fsync(fd) == 0;
    close(fd);
    return ok && rename(temp, path) == 0;
}
