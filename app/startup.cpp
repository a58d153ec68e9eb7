#include "app/startup.h"

#include <stdio.h>

#include <string>

#include <SDL.h>

#include "app/display_lost.h"
#include "app/events.h"
#include "base/log.h"
#include "base/paths.h"
#include "base/platform.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "gfx/prefetch.h"
#include "host/audio.h"
#include "host/game.h"
#include "input/defaults.h"
#include "record/gamestate.h"
#include "ui/pages.h"
#include "xgui/xgui.h"

// The start-up's pictures are decoded on a worker while SDL makes the window, under the
// names their loaders will be given.
static void start_picture_prefetch(void)
{
    char names[PREFETCH_MAX][PATH_BUFFER_SIZE];
    PrefetchRequest requests[PREFETCH_MAX];
    int count = 0;
    if (data_path(names[count], sizeof names[count], RES_DIR "splash")) {
        requests[count] = {names[count], PREFETCH_PNG};
        count++;
    }
    if (data_path(names[count], sizeof names[count], RES_DIR "back")) {
        requests[count] = {names[count], PREFETCH_PICTURE};
        count++;
    }
    // xgui_init is given exe_dir and forms these names the same way.
    for (const char *file : {XGUI_OVERLAY_FILE, XGUI_FONT_FILE}) {
        if (data_path(names[count], sizeof names[count], file)) {
            requests[count] = {names[count], PREFETCH_PNG};
            count++;
        }
    }
    if (platform_decode_beside_window())
        picture_prefetch_start(requests, count);
}

// A start-up step that cannot go on. The reader or loader that failed has logged the file
// and the reason as the last line since the step's own line; that reason is logged again as
// one line a user can act on and shown in a message box, since no window shows anything yet.
// With PLAYER_MESSAGE_BOX_TEXT set the box's text goes to standard error instead, so a test
// sees it without a click. Always false.
static bool startup_fail(const char *step_line, const char *fallback, const char *then_line)
{
    std::string reason = log_last_line();
    if (reason.empty() || reason == step_line)
        reason = fallback;
    if (then_line)
        log_write("%s\n", then_line);
    std::string text = "Error: the game cannot start: " + reason;
    log_write("%s\n", text.c_str());
    const char *no_box = SDL_getenv("PLAYER_MESSAGE_BOX_TEXT");
    if (no_box && *no_box)
        fprintf(stderr, "message box: %s\n", text.c_str());
    else
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, gameinfo.title, text.c_str(), nullptr);
    return false;
}

bool startup(AudioStream &stream, double *frame_deadline)
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
    start_picture_prefetch();

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
    if (exe_dir[0] == '\0')
        return startup_fail("xgui_init", "the executable's folder is unknown", nullptr);
    if (!xgui_init(exe_dir, gamestate.renderer))
        return startup_fail("xgui_init", "res/overlay or res/font cannot be read", nullptr);
    pages_build();
    picture_prefetch_end();

    log_write("loading game\n");
    if (!game_load())
        return startup_fail("loading game", "res/game cannot be loaded", "couldn't load game");

    log_write("sound init\n");
    stream = AudioStream{};
    audio_stream_open(stream);
    slot_rows_refresh();

    *frame_deadline = (double)SDL_GetTicks64();
    log_write("entering loop\n");
    return true;
}
