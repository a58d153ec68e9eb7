// The three loaders over arbitrary res/data, res/donf and res/conf content, followed by the
// labels of every binding and a save/load round trip that must reproduce the settings.
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/paths.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "input/capture.h"
#include "input/defaults.h"
#include "input/labels.h"

extern int fuzz_button_count;

static bool write_whole(const char *name, const uint8_t *data, size_t size)
{
    char path[PATH_BUFFER_SIZE];
    if (!data_path(path, sizeof path, name))
        return false;
    FILE *f = fopen(path, "wb");
    if (!f)
        return false;
    bool ok = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

// Removes the working folder when the run ends.
static void remove_work_dir(void)
{
    const char *names[] = { GAMEINFO_FILE, DEFAULT_BINDINGS_FILE, SETTINGS_FILE, "res", "" };
    char path[PATH_BUFFER_SIZE];
    for (const char *name : names)
        if (data_path(path, sizeof path, name))
            remove(path);
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    char dir[] = "/dev/shm/player_fuzz_XXXXXX";
    char alt[] = "/tmp/player_fuzz_XXXXXX";
    const char *made = mkdtemp(dir);
    if (!made)
        made = mkdtemp(alt);
    if (!made)
        abort();
    snprintf(exe_dir, sizeof exe_dir, "%s/", made);
    char res[PATH_BUFFER_SIZE];
    data_path(res, sizeof res, "res");
    mkdir(res, 0755);
    atexit(remove_work_dir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the component's button count, including counts beyond the table.
    fuzz_button_count = (int)(data[0] % 44) - 4;
    data++;
    size--;
    if (!write_whole(GAMEINFO_FILE, data, size) || !write_whole(DEFAULT_BINDINGS_FILE, data, size) ||
        !write_whole(SETTINGS_FILE, data, size))
        abort();

    settings = Settings();
    gameinfo_load();
    bindings_set_defaults(-1);
    settings_set_defaults();
    settings_load();
    if (gameinfo.players > MAX_PLAYERS || strlen(gameinfo.title) >= GAMEINFO_TITLE_SIZE)
        __builtin_trap();

    for (int p = 0; p < MAX_PLAYERS; p++) {
        capture_show_player(p);
        bindings_refresh_labels();
        for (int b = 0; b < MAX_BUTTONS; b++)
            for (int s = 0; s < MAX_SLOTS; s++)
                if (strlen(binding_label_shown(b, s)) >= BINDING_LABEL_SIZE)
                    __builtin_trap();
    }

    Settings loaded = settings;
    settings_save();
    settings = Settings();
    settings_load();
    if (loaded.scale != settings.scale || loaded.smoothing != settings.smoothing ||
        loaded.stretch != settings.stretch || loaded.fullscreen != settings.fullscreen ||
        loaded.guide != settings.guide ||
        memcmp(loaded.bindings, settings.bindings, sizeof loaded.bindings) != 0)
        __builtin_trap();
    return 0;
}
