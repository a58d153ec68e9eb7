#include "app/display_lost.h"

#include <dlfcn.h>
#include <string.h>
#include <unistd.h>

#include <SDL.h>

#include "base/log.h"
#include "game/game.h"

// Xlib's own types, declared here so that the build needs no X11 headers: the library is
// the one SDL has already loaded, looked up at run time.
struct _XDisplay;
typedef int (*XIOErrorHandler)(struct _XDisplay *);
typedef XIOErrorHandler (*SetIOErrorHandlerFn)(XIOErrorHandler);

// Xlib ends the process when this returns, so it never does. Nothing here may touch the
// display. The component is shut so that it can keep whatever it stores; the settings and
// slots are written whole at the moment they change, so nothing else is pending.
static int display_lost(struct _XDisplay *)
{
    log_write("Error: the connection to the display was lost\n");
    game_core_shut();
    log_close();
    _exit(1);
}

void display_lost_handler_install(void)
{
    const char *driver = SDL_GetCurrentVideoDriver();
    if (!driver || strcmp(driver, "x11") != 0)
        return;
    void *x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!x11) {
        log_write("Error: no X library to watch the display connection with\n");
        return;
    }
    SetIOErrorHandlerFn set = (SetIOErrorHandlerFn)dlsym(x11, "XSetIOErrorHandler");
    if (set)
        set(display_lost);
    else
        log_write("Error: no XSetIOErrorHandler to watch the display connection with\n");
    // SDL keeps its own reference, so the handler's library stays loaded.
    dlclose(x11);
}
