#include "host/game.h"

#include <SDL.h>

#include "base/file_read.h"
#include "base/log.h"
#include "base/paths.h"
#include "config/gameinfo.h"
#include "record/ox_core.h"
#include "record/gamestate.h"
#include "video/present.h"

bool game_load(void)
{
    if (gamestate.window)
        SDL_SetWindowTitle(gamestate.window, gameinfo.title);
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
    // The loaded game decides the screen size; one no machine has could be neither shown nor
    // saved as a preview.
    if (!screen_size_take(nullptr))
        return false;
    gamestate.apply_video_settings();
    ox_core_reset();
    gamestate.frame_rate = frame_rate_held(ox_video_get_framerate());
    return true;
}
