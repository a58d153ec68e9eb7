#include "host/game.h"

#include "base/file_read.h"
#include "base/log.h"
#include "base/paths.h"
#include "base/sound_file.h"
#include "config/gameinfo.h"
#include "record/ox_core.h"

static bool core_started;   // set once ox_core_init ran, cleared when it is shut
static int32_t frame_rate;

void game_core_init(void)
{
    ox_core_init(AUDIO_RATE, gameinfo.nosram ? OX_OPTION_NOSRAM : 0);
    core_started = true;
    frame_rate = frame_rate_held(ox_video_get_framerate());
}

void game_core_shut(void)
{
    if (core_started)
        ox_core_shut();
    core_started = false;
}

bool game_load(void)
{
    char path[GAME_PATH_SIZE];
    if (!data_path(path, sizeof path, RES_DIR "game")) {
        log_write("cannot load the game: its path is longer than %i bytes: %s" RES_DIR "game\n", GAME_PATH_SIZE - 1,
                  exe_dir);
        return false;
    }
    // The component opens the file itself; a FIFO or an endless device there would stall it.
    if (!read_check(path, READ_NO_LIMIT))
        return false;
    if (!ox_core_load(path)) {
        log_write("the component refused %s\n", path);
        return false;
    }
    return true;
}

void game_start(void)
{
    ox_core_reset();
    frame_rate = frame_rate_held(ox_video_get_framerate());
}

int32_t frame_rate_held(int32_t reported)
{
    // Read at start-up and again after loading: a rate already told of is not logged again.
    static int32_t told = FALLBACK_FRAME_RATE;
    int32_t held = reported;
    if (reported <= 0)
        held = FALLBACK_FRAME_RATE;
    if (reported > MAX_FRAME_RATE)
        held = MAX_FRAME_RATE;
    if (held == reported || reported == told)
        return held;
    told = reported;
    if (reported <= 0)
        log_write("frame rate %i is no rate, %i is used\n", reported, held);
    else
        log_write("frame rate %i is more than a display shows, %i is used\n", reported, held);
    return held;
}

int32_t game_frame_rate(void)
{
    return frame_rate;
}
