// The cost of rewind's history: the game's frames run back to back (run, picture and sound
// of each, as a loop pass has them, without presenting or waiting), first with rewind off (the floor), then with a
// state kept every few frames, on the demo component. Then the same for a large state of
// the given size, written as the demo component writes its states (a new file beside the
// target, pushed to the disk, renamed over it), which is what any component's save costs.
//
//   bench_rewind [frames] [large state KiB]
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include <SDL.h>

#include "app/loop.h"
#include "bench/bench_support.h"
#include "sound/audio.h"
#include "rewind/rewind.h"
#include "rewind/rewind_ring.h"
#include "game/game.h"
#include "core_api/ox_core.h"
#include "video/video.h"
#include "video/video_state.h"

#define BENCH_DEFAULT_FRAMES 3600
#define BENCH_DEFAULT_LARGE_KIB 1024

// One frame of the game as a loop pass has it: run (or stepped back), picture, sound.
static void frame(void)
{
    static int16_t samples[44100 * 2];
    emulate_step();
    ox_video_render(video_state().pixels);
    ox_audio_render(samples, 44100);
}

static BenchCost run_frames(int frames)
{
    double wall0 = bench_wall_ms(), cpu0 = bench_thread_cpu_ms();
    for (int i = 0; i < frames; i++)
        frame();
    return BenchCost{(bench_thread_cpu_ms() - cpu0) / frames, (bench_wall_ms() - wall0) / frames};
}

static void print(const char *what, BenchCost c, BenchCost floor)
{
    printf("%-44s CPU %.4f ms, wall %.4f ms per frame (%+.4f / %+.4f over the floor)\n", what,
           c.cpu_ms, c.wall_ms, c.cpu_ms - floor.cpu_ms, c.wall_ms - floor.wall_ms);
}

int main(int argc, char **argv)
{
    const int frames = bench_count_arg(argc, argv, 1, BENCH_DEFAULT_FRAMES);
    const int large_kib = bench_count_arg(argc, argv, 2, BENCH_DEFAULT_LARGE_KIB);
    AudioStream stream = {};
    if (!bench_start_player("scale=3\nfullscreen=0\n", stream))
        return 1;
    run_frames(60);   // warm-up

    rewind_end();
    BenchCost floor = run_frames(frames);
    rewind_init(game_frame_rate());
    BenchCost demo = run_frames(frames);
    long long bytes = (long long)rewind_bytes_kept();
    printf("%d frames of the demo game, a state every %d frames, %d s kept\n", frames, REWIND_INTERVAL,
           REWIND_SECONDS);
    print("floor (rewind off)", floor, floor);
    print("rewind on, demo component", demo, floor);
    printf("memory of the demo's history: %lld bytes\n", bytes);
    // The save alone, many times over, for a figure finer than the two runs' difference.
    const int saves = 2000;
    double save0 = bench_thread_cpu_ms(), save_wall0 = bench_wall_ms();
    for (int i = 0; i < saves; i++)
        ox_state_save("/dev/shm/bench-rewind-demo");
    printf("one demo state save: CPU %.4f ms, wall %.4f ms; per frame (1 in %d): %.4f ms CPU\n",
           (bench_thread_cpu_ms() - save0) / saves, (bench_wall_ms() - save_wall0) / saves,
           REWIND_INTERVAL, (bench_thread_cpu_ms() - save0) / saves / REWIND_INTERVAL);
    unlink("/dev/shm/bench-rewind-demo");

    // A large state: the same frames, plus its save every REWIND_INTERVAL frames.
    rewind_end();
    size_t size = (size_t)large_kib * 1024;
    std::vector<char> data(size, 0x5a);
    int32_t files = rewind_ring_capacity(REWIND_SECONDS, game_frame_rate(), REWIND_INTERVAL);
    if (size > 0 && (uint64_t)files > REWIND_MEMORY_CEILING / size)
        files = (int32_t)(REWIND_MEMORY_CEILING / size);
    const char *path = "/dev/shm/bench-rewind-large";
    double wall0 = bench_wall_ms(), cpu0 = bench_thread_cpu_ms(), save_ms = 0;
    int saved = 0;
    for (int i = 0; i < frames; i++) {
        frame();
        if (i % REWIND_INTERVAL != 0)
            continue;
        double t0 = bench_thread_cpu_ms();
        bench_save_like_a_component(path, data);
        save_ms += bench_thread_cpu_ms() - t0;
        saved++;
    }
    BenchCost large = {(bench_thread_cpu_ms() - cpu0) / frames, (bench_wall_ms() - wall0) / frames};
    unlink(path);
    char what[64];
    snprintf(what, sizeof what, "rewind on, %d KiB states", large_kib);
    print(what, large, floor);
    printf("one %d KiB state save: CPU %.4f ms; per frame (1 in %d): %.4f ms CPU\n", large_kib,
           save_ms / saved, REWIND_INTERVAL, save_ms / frames);
    printf("memory of that history: %d states, %lld bytes (ceiling %llu)\n", (int)files,
           (long long)files * (long long)size, (unsigned long long)REWIND_MEMORY_CEILING);
    audio_stream_close(stream);
    return 0;
}
