#include "game/game.h"

#include "base/file_read.h"
#include "base/log.h"
#include "base/paths.h"
#include "base/sound_file.h"
#include "config/gameinfo.h"
#include "core_api/ox_core.h"

static bool core_started;   // set once ox_core_init ran, cleared when it is shut
static int32_t frame_rate;
// The last rate reported that had to be held, logged then; read again after every reset, it
// is not logged again. The fallback is never held off, so it stands for none yet.
static int32_t rate_logged = FALLBACK_FRAME_RATE;

static void read_frame_rate(void)
{
    const int32_t reported = ox_video_get_framerate();
    frame_rate = frame_rate_held(reported);
    if (frame_rate == reported || reported == rate_logged)
        return;
    rate_logged = reported;
    if (reported <= 0)
        log_write("frame rate %i is no rate, %i is used\n", reported, frame_rate);
    else
        log_write("frame rate %i is more than a display shows, %i is used\n", reported, frame_rate);
}

void game_core_init(void)
{
    ox_core_init(AUDIO_RATE, gameinfo.nosram ? OX_OPTION_NOSRAM : 0);
    core_started = true;
    read_frame_rate();
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

void game_reset(void)
{
    ox_core_reset();
    read_frame_rate();
}

int32_t frame_rate_held(int32_t reported)
{
    if (reported <= 0)
        return FALLBACK_FRAME_RATE;
    return reported > MAX_FRAME_RATE ? MAX_FRAME_RATE : reported;
}

int32_t game_frame_rate(void)
{
    return frame_rate;
}
