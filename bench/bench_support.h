// Shared set-up for benchmarks that run the real player in process.
#pragma once

#include <stdint.h>

#include <vector>

struct AudioStream;

// Makes a private res/ beside the benchmark executable from dist/res (the build's shipped
// resources) with the given settings lines, so nothing of the user's dist is touched.
bool bench_prepare_res(const char *conf_text);

// CPU time of the whole process and of the calling thread, in milliseconds.
double bench_process_cpu_ms(void);
double bench_thread_cpu_ms(void);
double bench_wall_ms(void);

// Cost of one frame.
struct BenchCost {
    double cpu_ms, wall_ms;
};

// Argument index as a count above 0, else fallback.
int bench_count_arg(int argc, char **argv, int index, int fallback);
// Starts the player in process on a private res/ with conf_text, its splash over: the
// benchmarks of the game's frames begin from there. False when it could not start.
bool bench_start_player(const char *conf_text, AudioStream &stream);
// One save of data to path the way the demo component writes a state: a new file beside it,
// pushed to the disk, renamed over it. False when any step failed.
bool bench_save_like_a_component(const char *path, const std::vector<char> &data);
