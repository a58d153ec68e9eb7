// The cost of run-ahead ("Less lag"): the game's frames run back to back as loop passes have
// them (run, picture, sound, without presenting or waiting), first without run-ahead (the
// floor), then with 1 and 2 frames run ahead on the demo component, then the same with a
// large state of the given size saved and loaded back every pass, written as the demo
// component writes its states (a new file beside the target, pushed to the disk, renamed
// over it) and read whole, which is what any component's save and load cost.
//
//   bench_runahead [frames] [large state KiB]
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

#include "app/forward.h"
#include "app/loop.h"
#include "bench/bench_support.h"
#include "config/settings.h"
#include "sound/audio.h"
#include "rewind/runahead.h"
#include "sound/sound_hold.h"
#include "video/video.h"

#define BENCH_DEFAULT_FRAMES 1800
#define BENCH_DEFAULT_LARGE_KIB 1024

static const char *LARGE_PATH = "/dev/shm/bench-runahead-large";
static std::vector<char> large;   // the large state; empty: none

// One save of the large state as the demo component writes one, and its load: read whole.
static void save_and_load_large(void)
{
    if (!bench_save_like_a_component(LARGE_PATH, large))
        return;
    static std::vector<char> back;
    back.resize(large.size());
    int fd = open(LARGE_PATH, O_RDONLY);
    if (fd < 0)
        return;
    if (read(fd, back.data(), back.size()) != (ssize_t)back.size())
        fprintf(stderr, "short read of the large state\n");
    close(fd);
}

// One frame of the game as a loop pass has it: run (and run ahead), picture, sound.
static void frame(int32_t capacity)
{
    static int16_t samples[44100 * 2];
    emulate_step();
    if (!large.empty() && settings.runahead > 0)
        save_and_load_large();
    forward_frame_update();
    sound_hold_render(samples, capacity);
}

static BenchCost run_frames(int frames, int32_t capacity)
{
    double wall0 = bench_wall_ms(), cpu0 = bench_thread_cpu_ms();
    for (int i = 0; i < frames; i++)
        frame(capacity);
    return BenchCost{(bench_thread_cpu_ms() - cpu0) / frames, (bench_wall_ms() - wall0) / frames};
}

static void measure(const char *what, int32_t runahead, int frames, const AudioStream &stream, BenchCost floor)
{
    forward_end();
    forward_init(stream.capacity);
    settings.runahead = runahead;
    BenchCost c = run_frames(frames, stream.capacity);
    printf("%-36s CPU %.4f ms, wall %.4f ms per frame (%+.4f / %+.4f over the floor)%s\n", what, c.cpu_ms,
           c.wall_ms, c.cpu_ms - floor.cpu_ms, c.wall_ms - floor.wall_ms,
           runahead_off() ? ", switched itself off" : "");
}

int main(int argc, char **argv)
{
    const int frames = bench_count_arg(argc, argv, 1, BENCH_DEFAULT_FRAMES);
    const int large_kib = bench_count_arg(argc, argv, 2, BENCH_DEFAULT_LARGE_KIB);
    AudioStream stream = {};
    if (!bench_start_player("scale=3\nfullscreen=0\n", stream))
        return 1;
    run_frames(60, stream.capacity);   // warm-up

    settings.runahead = 0;
    BenchCost floor = run_frames(frames, stream.capacity);
    printf("%d frames of the demo game; the floor: CPU %.4f ms, wall %.4f ms per frame\n", frames, floor.cpu_ms,
           floor.wall_ms);
    measure("run-ahead 1, demo component", 1, frames, stream, floor);
    measure("run-ahead 2, demo component", 2, frames, stream, floor);
    large.assign((size_t)large_kib * 1024, 0x5a);
    char what[64];
    snprintf(what, sizeof what, "run-ahead 1, %d KiB states", large_kib);
    measure(what, 1, frames, stream, floor);
    snprintf(what, sizeof what, "run-ahead 2, %d KiB states", large_kib);
    measure(what, 2, frames, stream, floor);
    unlink(LARGE_PATH);
    forward_end();
    audio_stream_close(stream);
    return 0;
}
