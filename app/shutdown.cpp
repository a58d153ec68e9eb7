#include "app/shutdown.h"

#include <stdlib.h>

#include <SDL.h>

#include "base/log.h"
#include "record/gamestate.h"
#include "xgui/xgui.h"

void shutdown_register(void)
{
    atexit(shutdown);
}

void shutdown(void)
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // The overlay's and the running state's textures belong to the renderer, so both go
    // before the renderer and the window, and all of it before SDL_Quit.
    xgui_free();
    gamestate.release();
    SDL_Quit();
    log_close();
}
