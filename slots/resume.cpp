#include "slots/resume.h"

#include <stdio.h>
#include <unistd.h>

#include "base/log.h"
#include "base/user_dir.h"
#include "game/game.h"
#include "slots/slots.h"
#include "core_api/ox_core.h"
#include "base/notice.h"

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
    const char *why = state_file_load(path);
    if (!why) {
        log_write("continued from %s\n", path);
        notice_show("Continued \xE2\x80\x94 Reset starts over");
        return;
    }
    // A state loaded in part is no game to play: the game starts over instead.
    log_write("cannot continue from %s: %s\n", path, why);
    game_reset();
    char text[NOTICE_TEXT_SIZE];
    snprintf(text, sizeof text, "Cannot continue the last game (%s): it starts anew", why);
    notice_show(text);
}

void resume_save(const FramePicture *picture)
{
    if (waiting)
        return;
    char path[PATH_BUFFER_SIZE], preview[PATH_BUFFER_SIZE];
    if (!user_save_path(path, sizeof path, RESUME_STATE_FILE) ||
        !user_save_path(preview, sizeof preview, RESUME_PREVIEW_FILE)) {
        log_write("cannot save the game to continue it: no folder to save it in\n");
        user_dir_save_failed("no folder to save in");
        return;
    }
    const char *why = state_pair_save(path, preview, picture);
    if (why) {
        log_write("cannot save the game to continue it: %s\n", why);
        user_dir_save_failed(why);
    } else {
        log_write("saved the game to continue it: %s\n", path);
    }
}
