#include "app/startup.h"

#include <stdio.h>

#include <string>

#include <SDL.h>

#include "app/display_lost.h"
#include "app/events.h"
#include "app/forward.h"
#include "app/pacing.h"
#include "base/file_read.h"
#include "base/log.h"
#include "base/paths.h"
#include "base/platform.h"
#include "base/user_dir.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "gfx/prefetch.h"
#include "sound/audio.h"
#include "game/game.h"
#include "sound/menu_sounds.h"
#include "slots/resume.h"
#include "rewind/rewind.h"
#include "input/defaults.h"
#include "ui/pages.h"
#include "video/present.h"
#include "video/video.h"
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

// Why a start-up step failed: the line its reader or loader logged last, or, when it logged
// none (a missing file is not logged, as optional files may be missing), the first of the
// step's files that is missing.
static std::string failure_reason(const char *step_line, const char *const *names, int count)
{
    std::string line = log_last_line();
    if (line.compare(0, 7, "Error: ") == 0)
        line.erase(0, 7);
    if (!line.empty() && line != step_line)
        return line;
    if (exe_dir[0] == '\0')
        return "the executable's folder is unknown";
    char path[PATH_BUFFER_SIZE];
    for (int i = 0; i < count; i++)
        if (data_path(path, sizeof path, names[i]) && !file_present(path))
            return std::string("missing file ") + path;
    return std::string("cannot read ") + names[0];
}

// A start-up step that cannot go on: after its own lines, one more says why, and a message
// box shows the same words, alone (the window stays hidden until a first frame is drawn).
// With PLAYER_MESSAGE_BOX_TEXT set the box's text goes to standard error instead, so a test
// sees it without a click.
// Always false.
static bool startup_fail(const std::string &reason)
{
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
    // Where the log goes depends on the game's title (the user folder is named after it), so
    // the lines of reading the title wait for the log file.
    std::string early;
    log_defer(&early);
    gameinfo_load();
    log_defer(nullptr);
    user_dir_init(gameinfo.folder);
    char log_path[PATH_BUFFER_SIZE];
    if (user_save_path(log_path, sizeof log_path, RES_DIR "log"))
        log_open(log_path);

    log_write("loading configs\n");
    log_write("working directory: %s\n", exe_dir);
    if (exe_dir[0] == '\0')
        log_write("Error: the executable's folder is unknown, no file of res/ is read or written\n");
    log_write("%s", early.c_str());
    user_dir_log();
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
    game_core_init();
    video_init();
    menu_sounds_load();
    video_apply_settings();

    log_write("xgui_init\n");
    // An unknown folder would make the toolkit read its pictures from the current one.
    const char *const toolkit_files[] = {XGUI_OVERLAY_FILE, XGUI_FONT_FILE};
    if (exe_dir[0] == '\0' || !xgui_init(exe_dir, video_renderer()))
        return startup_fail(failure_reason("xgui_init", toolkit_files, 2));
    pages_build();
    picture_prefetch_end();

    log_write("loading game\n");
    // The loaded game decides the screen size; one no machine has could be neither shown nor
    // saved as a preview.
    if (!game_load() || !screen_size_take(nullptr)) {
        const char *const game_file[] = {RES_DIR "game"};
        std::string reason = failure_reason("loading game", game_file, 1);
        log_write("couldn't load game\n");
        return startup_fail(reason);
    }
    video_apply_settings();
    game_reset();

    log_write("sound init\n");
    stream = AudioStream{};
    audio_stream_open(stream);
    slot_rows_refresh();
    resume_prepare();
    rewind_init(game_frame_rate());
    forward_init(stream.capacity);

    *frame_deadline = pacing_now();
    log_write("entering loop\n");
    return true;
}
