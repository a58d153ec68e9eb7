#include "host/resume.h"

#include <unistd.h>

#include "base/file_read.h"
#include "base/file_replace.h"
#include "base/log.h"
#include "base/user_dir.h"
#include "host/state.h"
#include "record/ox_core.h"
#include "video/screenshot.h"
#include "xgui/notice.h"

static bool waiting;   // a resume file is there and not yet continued from

void resume_prepare(void)
{
    char path[PATH_BUFFER_SIZE];
    waiting = user_load_path(path, sizeof path, RESUME_STATE_FILE) && access(path, F_OK) == 0;
}

void resume_continue(void)
{
    if (!waiting)
        return;
    waiting = false;
    char path[PATH_BUFFER_SIZE];
    if (!user_load_path(path, sizeof path, RESUME_STATE_FILE))
        return;
    if (read_check(path, STATE_READ_LIMIT) && ox_state_load(path)) {
        log_write("continued from %s\n", path);
        notice_show("Continued \xE2\x80\x94 Reset starts over");
        return;
    }
    // A state loaded in part is no game to play: the game starts over instead.
    log_write("cannot continue from %s: the component refused it\n", path);
    ox_core_reset();
    notice_show("Cannot continue the last game: it starts anew");
}

void resume_save(void)
{
    if (waiting)
        return;
    char path[PATH_BUFFER_SIZE], preview_path[PATH_BUFFER_SIZE];
    FileReplace state, preview = {};
    if (!user_save_path(path, sizeof path, RESUME_STATE_FILE) || !replace_begin(&state, path)) {
        log_write("cannot save the game to continue it\n");
        return;
    }
    bool with_preview = user_save_path(preview_path, sizeof preview_path, RESUME_PREVIEW_FILE) &&
                        replace_begin(&preview, preview_path) && screenshot_write_frame(preview.file);
    replace_hand_over(&state);
    if (!ox_state_save(state.temp_path) || !replace_commit(&state)) {
        log_write("cannot save the game to continue it: the component refused to save its state\n");
        replace_discard(&state);
        replace_discard(&preview);
        return;
    }
    if (with_preview)
        replace_commit(&preview);
    else
        replace_discard(&preview);
    log_write("saved the game to continue it: %s\n", path);
}
