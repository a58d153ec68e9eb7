// Time of settings_load on the largest res/conf (two players, 32 buttons, 645 keys), then on
// the same file padded to the size limit.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "base/file_read.h"
#include "base/paths.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "config/binding.h"
#include "core_api/ox_core.h"

#define BENCH_RUNS 25

// The component reports every button the table holds: replaced at link time.
int ox_button_get_count(void) { return MAX_BUTTONS; }

// BENCH_RUNS reads of res/conf, in milliseconds, sorted.
static std::vector<double> time_settings_load(void)
{
    std::vector<double> ms;
    for (int i = 0; i < BENCH_RUNS; i++) {
        auto start = std::chrono::steady_clock::now();
        settings_load();
        auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

int main(void)
{
    char dir[] = "/tmp/bench_settings_XXXXXX";
    if (!mkdtemp(dir)) {
        perror("mkdtemp");
        return 1;
    }
    snprintf(exe_dir, sizeof exe_dir, "%s/", dir);
    char res[PATH_BUFFER_SIZE];
    data_path(res, sizeof res, "res");
    mkdir(res, 0755);

    gameinfo.players = MAX_PLAYERS;
    settings_set_defaults();
    for (int p = 0; p < MAX_PLAYERS; p++)
        for (int b = 0; b < MAX_BUTTONS; b++)
            for (int s = 0; s < MAX_SLOTS; s++)
                settings.bindings[p][b][s] = Binding{BIND_BUTTON, 0, b % 10, p, 0};
    settings_save();

    char path[PATH_BUFFER_SIZE];
    data_path(path, sizeof path, SETTINGS_FILE);
    FILE *f = fopen(path, "rb");
    int lines = 0;
    for (int c; f && (c = fgetc(f)) != EOF;)
        lines += c == '\n';
    if (f)
        fclose(f);

    std::vector<double> ms = time_settings_load();
    printf("settings_load, %d players x %d buttons, %d lines: median %.2f ms, min %.2f ms, max %.2f ms (%d runs)\n",
           MAX_PLAYERS, MAX_BUTTONS, lines, ms[ms.size() / 2], ms.front(), ms.back(), BENCH_RUNS);

    // The same file padded to the size limit with lines no key matches.
    f = fopen(path, "ab");
    for (long size = f ? ftell(f) : READ_LIMIT_CONF; f && size + 32 <= READ_LIMIT_CONF; size += 32)
        fputs("# padding that no key matches.\n", f);
    if (f)
        fclose(f);
    ms = time_settings_load();
    printf("settings_load, the same padded to %d bytes: median %.2f ms, min %.2f ms, max %.2f ms (%d runs)\n",
           READ_LIMIT_CONF, ms[ms.size() / 2], ms.front(), ms.back(), BENCH_RUNS);

    unlink(path);
    rmdir(res);
    rmdir(dir);
    return 0;
}
