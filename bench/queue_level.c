/* Preloaded into the player by bench/latency.sh: the audio queue level the player reads, from
 * one second after its first read until it exits.
 *   QUEUE_LEVEL_OUT  file that gets one line at exit: the median, minimum and maximum level in
 *                    milliseconds of sound (stereo 16-bit at 44100 Hz) and how many times the
 *                    level fell to empty (a run of empty reads counts once), then the
 *                    passes per second (sound pushes) over the same span and the times the
 *                    player topped a nearly dry queue up with silence (a second push right
 *                    after the first, with no read between: a short gap in the sound)
 * The player's own calls are caught; SDL's internal ones go through its table and are not. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#define LEVEL_SLOTS 65536          /* histogram of sample frames; higher levels land in the last */
#define SETTLE_NS 1000000000.0
#define FRAME_BYTES 4
#define RATE_PER_MS 44.1

static unsigned long long histogram[LEVEL_SLOTS];
static double first_ns = -1.0;
static int was_empty;
static long empties;
static long pushes;            /* SDL_QueueAudio calls after the first second: one a pass */
static long top_ups;           /* pushes that followed a push with no level read between */
static int pushed_last;        /* the player's last call here was a push */
static double last_push_ns;

static double now_ns(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e9 + ts.tv_nsec;
}

unsigned SDL_GetQueuedAudioSize(unsigned device)
{
    static unsigned (*real)(unsigned);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_GetQueuedAudioSize");
    unsigned bytes = real(device);
    pushed_last = 0;
    double now = now_ns();
    if (first_ns < 0.0)
        first_ns = now;
    if (now - first_ns >= SETTLE_NS) {
        unsigned frames = bytes / FRAME_BYTES;
        histogram[frames < LEVEL_SLOTS ? frames : LEVEL_SLOTS - 1]++;
        if (frames == 0 && !was_empty)
            empties++;
        was_empty = frames == 0;
    }
    return bytes;
}

int SDL_QueueAudio(unsigned device, const void *data, unsigned len)
{
    static int (*real)(unsigned, const void *, unsigned);
    if (!real)
        *(void **)&real = dlsym(RTLD_NEXT, "SDL_QueueAudio");
    double now = now_ns();
    if (first_ns >= 0.0 && now - first_ns >= SETTLE_NS) {
        if (pushed_last)
            top_ups++;
        else
            pushes++;
        last_push_ns = now;
    }
    pushed_last = 1;
    return real(device, data, len);
}

__attribute__((destructor)) static void report(void)
{
    const char *out = getenv("QUEUE_LEVEL_OUT");
    if (!out)
        return;
    unsigned long long total = 0;
    int min = 0, max = 0, median = 0;
    for (int i = 0; i < LEVEL_SLOTS; i++)
        if (histogram[i]) {
            if (total == 0)
                min = i;
            total += histogram[i];
            max = i;
        }
    unsigned long long seen = 0;
    for (int i = 0; i < LEVEL_SLOTS; i++) {
        seen += histogram[i];
        if (total && seen * 2 >= total) {
            median = i;
            break;
        }
    }
    /* Every process started with the preload (timeout too) ends here: only the one that read
     * the queue writes. */
    if (total == 0)
        return;
    FILE *f = fopen(out, "w");
    if (!f)
        return;
    double span_s = (last_push_ns - first_ns - SETTLE_NS) / 1e9;
    fprintf(f, "%.0f %.0f %.0f %ld %.2f %ld\n", median / RATE_PER_MS, min / RATE_PER_MS,
            max / RATE_PER_MS, empties, span_s > 0.0 ? (pushes - 1) / span_s : 0.0, top_ups);
    fclose(f);
}
