#include "app/shutdown.h"

#include <SDL.h>

#include "base/log.h"
#include "gfx/prefetch.h"
#include "record/gamestate.h"
#include "xgui/xgui.h"

void shutdown(void)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // A start-up cut short may leave the picture worker running or pictures untaken. The
    // overlay's and the running state's textures belong to the renderer, so both go before
    // the renderer and the window, and all of it before SDL_Quit.
    picture_prefetch_end();
    xgui_free();
    gamestate.release();
    SDL_Quit();
    log_close();
}
