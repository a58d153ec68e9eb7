/* Preloaded into the player (bench/lag.sh, tests/e2e_audio_vsync.sh) before the simulated
 * display: how late a frame's sound is against its picture, and how long a key takes to reach
 * the picture, all on CLOCK_MONOTONIC.
 *   - The fake component (FAKE_CORE_MARK) gives every Nth frame's sound a distinct value and
 *     calls fake_core_frame_marked when it emulates such a frame; the present that follows is
 *     that frame's picture.
 *   - SDL's disk driver hands each device buffer to fwrite as it starts to play it; the first
 *     sample of a marked frame found in a buffer starts playing at the write's time plus its
 *     place in the buffer. Lag = that moment - the marked frame's present; negative when the
 *     sound starts before the picture (a present held to a display slower than the queue).
 *   - That driver waits whole milliseconds between buffers (11 for 11.6 ms of sound at 512
 *     sample frames), so on its own it plays 3 to 5 % fast, which no sound card does; each
 *     write here is held to a 44100 Hz clock instead, as a card's would be (a writer that
 *     falls behind by more than a buffer starts the clock afresh, as a card that ran dry).
 *   - With LAG_KEYS=1 (under an X server), a thread presses and releases "a" through XTest
 *     every 0.7 s, timed once XSync returns; the fake component calls
 *     fake_core_button_pressed when a button goes down, and the present after that is the
 *     first picture emulated with the key. Key-to-picture = that present - the press.
 *     With FAKE_CORE_INPUT_LAG set the component also calls fake_core_picture_pressed when it
 *     renders a picture that shows the key; the present after that is the first picture that
 *     shows it. Key-to-shown = that present - the press; frames-to-shown = the presents after
 *     the one of the pass that gave the component the key up to that one (the game's own lag
 *     less what run-ahead hides, whatever the machine's speed).
 *   - The fake component calls fake_core_frame_emulated for every frame it runs: the game's
 *     frames a second, and how many presents showed no new frame or skipped frames.
 *   LAG_OUT            file that gets at exit: "lag <median> <min> <max> <count> key <median>
 *                      <min> <max> <count> fps <presents a second> stall <longest time
 *                      between two presents> <device buffers written late> game <frames run a
 *                      second> repeated <presents of no new frame> skipped <frames never
 *                      presented> shown <median> <min> <max> <count> frames <median> <min>
 *                      <max> <count>", milliseconds but for the counts and frames,
 *                      leaving out the first LAG_SETTLE_S (a machine that stalls the player
 *                      longer than its queue holds makes gaps no player can avoid)
 *   SDL_DISKAUDIOFILE  the disk driver's file (only writes to it are looked at)
 *   FAKE_CORE_MARK_VALUE  the marked value, default 9000; a sample above half of it is marked
 *   LAG_DEVICE_FRAMES  if set, the device buffer the player asks for is replaced by this many
 *                      sample frames (to measure other sizes without another build) */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <limits.h>
#include <pthread.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#define LAG_SETTLE_S 2.0
#define LAG_MAX 100000
#define LAG_RATE 44100.0
#define LAG_KEY_PERIOD_US 700000
#define LAG_KEY_HOLD_US 100000
#define LAG_XK_A 0x61

typedef struct SDL_Window SDL_Window;
typedef struct SDL_Renderer SDL_Renderer;

static double first_ns = -1.0;
static volatile int frame_marked;       /* a marked frame was emulated, its present not yet seen */
static double marked_present_ns = -1.0; /* present of the last marked frame */
static double marked_sound_ns = -1.0;   /* a marked frame's sound heard before its present */
static int in_mark;                     /* the last sample written was marked */
static double lags[LAG_MAX];
static int lag_count;
static volatile double key_down_ns = -1.0;  /* the press sent, its picture not yet seen */
static volatile int key_reached;            /* the component saw the press */
static double keys[LAG_MAX];
static int key_count;
static volatile double shown_down_ns = -1.0; /* the press sent, no picture showing it yet */
static volatile int shown_reached;          /* a picture showing the press was rendered */
static double shown[LAG_MAX];
static int shown_count;
static long all_presents;                   /* from the start */
static volatile long reached_at = -1;       /* all_presents when the component got the press */
static double shown_frames[LAG_MAX];
static int shown_frames_count;
static long presents;                   /* after the settling */
static double last_present_ns;
static double longest_ns;               /* between two presents, after the settling */
static long late_writes;                /* device buffers written more than a buffer late */
static long frame_now;                  /* the last frame the component ran */
static long frame_shown;                /* the frame of the last present */
static long frames_first = -1;          /* the first frame run after the settling, and when */
static double frames_first_ns, frames_last_ns;
static long frames_last;
static long repeated, skipped;          /* after the settling */
static FILE *disk_file;                 /* the disk driver's stream once recognised */
static int16_t threshold = 4500;
static double clock_ns = -1.0;          /* when the sound written so far is due to end */

/* The head of SDL_AudioSpec, enough to reach its buffer size. */
typedef struct {
    int freq;
    uint16_t format;
    uint8_t channels;
    uint8_t silence;
    uint16_t samples;
} SpecHead;

unsigned SDL_OpenAudioDevice(const char *device, int capture, const SpecHead *desired, SpecHead *obtained,
                             int allowed_changes)
{
    static unsigned (*real)(const char *, int, const SpecHead *, SpecHead *, int);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_OpenAudioDevice");
    const char *frames = getenv("LAG_DEVICE_FRAMES");
    if (!frames || !desired)
        return real(device, capture, desired, obtained, allowed_changes);
    char copy[64];   /* the whole SDL_AudioSpec is 32 bytes on 64-bit machines */
    memcpy(copy, desired, 32);
    ((SpecHead *)(void *)copy)->samples = (uint16_t)atoi(frames);
    return real(device, capture, (const SpecHead *)(void *)copy, obtained, allowed_changes);
}

static double now_ns(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

static int settled(double t) { return first_ns >= 0.0 && t - first_ns >= LAG_SETTLE_S * 1e9; }

void fake_core_frame_marked(void) { frame_marked = 1; }
void fake_core_button_pressed(void)
{
    key_reached = 1;
    if (reached_at < 0)
        reached_at = all_presents;
}
void fake_core_picture_pressed(void) { shown_reached = 1; }

void fake_core_frame_emulated(long frame)
{
    double t = now_ns();
    frame_now = frame;
    if (!settled(t))
        return;
    if (frames_first < 0) {
        frames_first = frame;
        frames_first_ns = t;
    }
    frames_last = frame;
    frames_last_ns = t;
}

/* Presses "a" on the player's display again and again, through libX11 and libXtst loaded here
 * (their headers are not needed for four calls). */
static void *key_thread(void *unused)
{
    (void)unused;
    void *x11 = dlopen("libX11.so.6", RTLD_NOW);
    void *xtst = dlopen("libXtst.so.6", RTLD_NOW);
    if (!x11 || !xtst)
        return NULL;
    void *(*open_display)(const char *) = (void *(*)(const char *))dlsym(x11, "XOpenDisplay");
    unsigned char (*keycode)(void *, unsigned long) =
        (unsigned char (*)(void *, unsigned long))dlsym(x11, "XKeysymToKeycode");
    int (*sync)(void *, int) = (int (*)(void *, int))dlsym(x11, "XSync");
    int (*fake_key)(void *, unsigned, int, unsigned long) =
        (int (*)(void *, unsigned, int, unsigned long))dlsym(xtst, "XTestFakeKeyEvent");
    void *display = open_display ? open_display(NULL) : NULL;
    if (!display || !keycode || !sync || !fake_key)
        return NULL;
    unsigned code = keycode(display, LAG_XK_A);
    for (;;) {
        usleep(LAG_KEY_PERIOD_US);
        key_reached = 0;
        shown_reached = 0;
        reached_at = -1;
        fake_key(display, code, 1, 0);
        sync(display, 0);
        key_down_ns = now_ns();
        shown_down_ns = key_down_ns;
        usleep(LAG_KEY_HOLD_US);
        fake_key(display, code, 0, 0);
        sync(display, 0);
    }
    return NULL;
}

static void presented(void)
{
    double t = now_ns();
    all_presents++;
    if (first_ns < 0.0) {
        first_ns = t;
        const char *keys_on = getenv("LAG_KEYS");
        pthread_t thread;
        if (keys_on && strcmp(keys_on, "1") == 0 && pthread_create(&thread, NULL, key_thread, NULL) == 0)
            pthread_detach(thread);
    }
    if (settled(t)) {
        if (presents > 0 && t - last_present_ns > longest_ns)
            longest_ns = t - last_present_ns;
        presents++;
        last_present_ns = t;
        if (frame_now == frame_shown)
            repeated++;
        else if (frame_now > frame_shown + 1 && frame_shown > 0)
            skipped += frame_now - frame_shown - 1;
    }
    frame_shown = frame_now;
    if (frame_marked) {
        frame_marked = 0;
        marked_present_ns = t;
        if (marked_sound_ns >= 0.0 && settled(t) && lag_count < LAG_MAX) {
            lags[lag_count++] = (marked_sound_ns - t) / 1e6;
            marked_present_ns = -1.0;
        }
        marked_sound_ns = -1.0;
    }
    double down = key_down_ns;
    if (key_reached && down >= 0.0) {
        key_reached = 0;
        key_down_ns = -1.0;
        if (settled(t) && key_count < LAG_MAX)
            keys[key_count++] = (t - down) / 1e6;
    }
    double shown_down = shown_down_ns;
    if (shown_reached && shown_down >= 0.0) {
        shown_reached = 0;
        shown_down_ns = -1.0;
        if (settled(t) && shown_count < LAG_MAX)
            shown[shown_count++] = (t - shown_down) / 1e6;
        if (settled(t) && reached_at >= 0 && shown_frames_count < LAG_MAX)
            shown_frames[shown_frames_count++] = (double)(all_presents - reached_at - 1);
    }
}

void SDL_GL_SwapWindow(SDL_Window *window)
{
    static void (*real)(SDL_Window *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    presented();
}

void SDL_RenderPresent(SDL_Renderer *renderer)
{
    static void (*real)(SDL_Renderer *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_RenderPresent");
    real(renderer);
    presented();
}

/* True when stream writes to SDL_DISKAUDIOFILE, looked up once per new stream. */
static int is_disk_file(FILE *stream)
{
    static FILE *checked;
    if (stream == disk_file)
        return 1;
    if (disk_file || stream == checked)
        return 0;
    checked = stream;
    const char *want = getenv("SDL_DISKAUDIOFILE");
    char link[64], path[PATH_MAX], real_want[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fileno(stream));
    ssize_t n = readlink(link, path, sizeof path - 1);
    if (!want || n <= 0 || !realpath(want, real_want))
        return 0;
    path[n] = '\0';
    if (strcmp(path, real_want) != 0)
        return 0;
    disk_file = stream;
    const char *value = getenv("FAKE_CORE_MARK_VALUE");
    if (value)
        threshold = (int16_t)(atoi(value) / 2);
    return 1;
}

size_t fwrite(const void *data, size_t size, size_t count, FILE *stream)
{
    static size_t (*real)(const void *, size_t, size_t, FILE *);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "fwrite");
    if (is_disk_file(stream)) {
        double t = now_ns();
        size_t frames = size * count / 4;
        if (clock_ns >= 0.0 && t < clock_ns) {
            struct timespec due = {(time_t)(clock_ns / 1e9), (long)(clock_ns - (time_t)(clock_ns / 1e9) * 1e9)};
            while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, NULL) != 0)
                ;
            t = clock_ns;
        }
        int late = t - clock_ns > frames * 1e9 / LAG_RATE;
        if (late && clock_ns >= 0.0 && settled(t))
            late_writes++;
        clock_ns = (late ? t : clock_ns) + frames * 1e9 / LAG_RATE;
        const int16_t *s = (const int16_t *)data;
        for (size_t i = 0; i < frames; i++) {
            int mark = s[2 * i] > threshold;
            if (mark && !in_mark && frame_marked)
                marked_sound_ns = t + i * 1e9 / LAG_RATE;
            else if (mark && !in_mark && marked_present_ns >= 0.0 && settled(t) && lag_count < LAG_MAX) {
                double plays = t + i * 1e9 / LAG_RATE;
                lags[lag_count++] = (plays - marked_present_ns) / 1e6;
                marked_present_ns = -1.0;
            }
            in_mark = mark;
        }
    }
    return real(data, size, count, stream);
}

static int compare(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

static void summary(FILE *f, const char *name, double *v, int n)
{
    if (n == 0) {
        fprintf(f, "%s - - - 0 ", name);
        return;
    }
    qsort(v, (size_t)n, sizeof *v, compare);
    fprintf(f, "%s %.1f %.1f %.1f %d ", name, v[n / 2], v[0], v[n - 1], n);
}

__attribute__((destructor)) static void report(void)
{
    const char *out = getenv("LAG_OUT");
    /* Every process started with the preload ends here: only the one that presented writes. */
    if (!out || first_ns < 0.0)
        return;
    FILE *f = fopen(out, "w");
    if (!f)
        return;
    summary(f, "lag", lags, lag_count);
    summary(f, "key", keys, key_count);
    double span_s = (last_present_ns - first_ns) / 1e9 - LAG_SETTLE_S;
    double game_s = (frames_last_ns - frames_first_ns) / 1e9;
    fprintf(f, "fps %.2f stall %.1f %ld game %.2f repeated %ld skipped %ld ",
            span_s > 0.0 ? (presents - 1) / span_s : 0.0, longest_ns / 1e6, late_writes,
            game_s > 0.0 ? (frames_last - frames_first) / game_s : 0.0, repeated, skipped);
    summary(f, "shown", shown, shown_count);
    summary(f, "frames", shown_frames, shown_frames_count);
    fputc('\n', f);
    fclose(f);
}
