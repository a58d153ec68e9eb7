// Runs the real player in process with SDL's disk audio driver, which drains the queue in
// real time like a sound card, and prints the frame rate the loop held and the audio queue's
// level: minimum, median and maximum in milliseconds after the first second, and how many
// passes found it empty.
//
//   bench_audio [seconds]
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <SDL.h>

#include "app/loop.h"
#include "app/startup.h"
#include "bench/bench_support.h"
#include "sound/audio.h"
#include "game/game.h"
#include "game/running.h"
#include "video/video.h"
#include "video/video_state.h"

#define BENCH_DEFAULT_SECONDS 30
#define BENCH_SETTLE_MS 1000.0

int main(int argc, char **argv)
{
    int seconds = argc > 1 ? atoi(argv[1]) : BENCH_DEFAULT_SECONDS;
    if (seconds <= 1)
        seconds = BENCH_DEFAULT_SECONDS;
    std::string raw = std::string("/tmp/bench_audio_") + std::to_string(getpid()) + ".raw";
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", raw.c_str(), 1);
    if (!bench_prepare_res("scale=2\nfullscreen=0\nsmoothing=0\n"))
        return 1;

    AudioStream stream = {};
    double deadline = 0.0;
    if (!startup(stream, &deadline))
        return 1;
    if (stream.device == 0) {
        fprintf(stderr, "no audio device: %s\n", SDL_GetError());
        return 1;
    }
    video_state().splash_frames = 0;

    std::vector<unsigned> levels;
    long passes = 0, settled_passes = 0, empty = 0;
    double start = bench_wall_ms(), settled_at = 0.0;
    for (;;) {
        deadline = loop_pass(stream, deadline);
        passes++;
        double now = bench_wall_ms() - start;
        if (now >= seconds * 1000.0 || running_quit())
            break;
        if (now < BENCH_SETTLE_MS)
            continue;
        if (settled_passes++ == 0)
            settled_at = now;
        unsigned queued = audio_stream_queued_frames(stream);
        levels.push_back(queued);
        if (queued == 0)
            empty++;
    }
    double wall = bench_wall_ms() - start;
    int rate = stream.spec.freq > 0 ? stream.spec.freq : 44100;
    audio_stream_close(stream);
    remove(raw.c_str());
    if (levels.empty())
        return 1;

    std::sort(levels.begin(), levels.end());
    double ms_per_frame = 1000.0 / rate;
    printf("%d s, component rate %d fps\n", seconds, game_frame_rate());
    printf("frames per second held: %.2f overall, %.2f after the first second\n",
           passes * 1000.0 / wall, settled_passes * 1000.0 / (wall - settled_at));
    printf("audio queue after the first second: min %.1f ms, median %.1f ms, max %.1f ms\n",
           levels.front() * ms_per_frame, levels[levels.size() / 2] * ms_per_frame,
           levels.back() * ms_per_frame);
    printf("passes that found the queue empty: %ld of %ld\n", empty, settled_passes);
    return 0;
}
