#include "app/startup.h"

#include <stdlib.h>

#include <SDL.h>

#include "app/display_lost.h"
#include "app/events.h"
#include "base/log.h"
#include "base/paths.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/audio.h"
#include "host/game.h"
#include "input/defaults.h"
#include "record/gamestate.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

double startup(AudioStream &stream)
{
    // The log file needs the executable's directory, so that is found first.
    exe_dir_init();
    char log_path[PATH_BUFFER_SIZE];
    if (data_path(log_path, sizeof log_path, RES_DIR "log"))
        log_open(log_path);

    log_write("loading configs\n");
    log_write("working directory: %s\n", exe_dir);
    if (exe_dir[0] == '\0')
        log_write("Error: the executable's folder is unknown, no file of res/ is read or written\n");
    gameinfo_load();
    bindings_set_defaults(-1);
    settings_set_defaults();
    settings_load();

    log_write("sdl_init\n");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_TIMER_RESOLUTION, "1");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "1");
    SDL_Init(SDL_INIT_EVERYTHING);
    display_lost_handler_install();

    log_write("gamestate init\n");
    gamestate.init();

    log_write("xgui_init\n");
    // An unknown folder would make the toolkit read its pictures from the current one.
    if (exe_dir[0] == '\0' || !xgui_init(exe_dir, gamestate.renderer))
        exit(1);
    pages_build();

    log_write("loading game\n");
    if (!game_load()) {
        log_write("couldn't load game\n");
        exit(1);
    }

    log_write("sound init\n");
    stream = AudioStream{};
    audio_stream_open(stream);
    slot_rows_refresh();

    double frame_deadline = (double)SDL_GetTicks64();
    log_write("entering loop\n");
    SDL_GetCurrentDisplayMode(0, &display_mode);
    return frame_deadline;
}
