// Shared set-up for benchmarks that run the real player in process.
#pragma once

#include <stdint.h>

// Makes a private res/ beside the benchmark executable from dist/res (the build's shipped
// resources) with the given settings lines, so nothing of the user's dist is touched.
bool bench_prepare_res(const char *conf_text);

// CPU time of the whole process and of the calling thread, in milliseconds.
double bench_process_cpu_ms(void);
double bench_thread_cpu_ms(void);
double bench_wall_ms(void);
