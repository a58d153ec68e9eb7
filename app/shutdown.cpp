#include "app/shutdown.h"

#include <SDL.h>

#include "app/forward.h"
#include "base/log.h"
#include "gfx/prefetch.h"
#include "sound/audio.h"
#include "game/game.h"
#include "sound/menu_sounds.h"
#include "slots/resume.h"
#include "rewind/rewind.h"
#include "video/video.h"
#include "xgui/xgui.h"

void shutdown(void)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // A start-up cut short may leave the picture worker running or pictures untaken. The
    // overlay's and video's textures belong to the renderer, so both go before
    // the renderer and the window, and all of it before SDL_Quit.
    picture_prefetch_end();
    xgui_free();
    game_core_shut();
    video_release();
    menu_sounds_release();
    SDL_Quit();
    log_close();
}

void shutdown_keeping_game(AudioStream &stream)
{
    FramePicture picture;
    const bool shown = video_frame_picture(picture);
    resume_save(shown ? &picture : nullptr);
    forward_end();
    rewind_end();
    audio_stream_close(stream);
    shutdown();
}
