// The player's entry. Every way out of a started player (Quit, the window closed, a
// termination signal or the session's end, a start-up step that fails) passes through
// shutdown here, before the process's exit routines: those destroy the component's own
// static objects, and a component shut down after them may crash or lose what it saves at
// shutdown.
#include <signal.h>

#include "app/loop.h"
#include "app/session_end.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "sound/audio.h"

// On Windows SDL's header renames main to the entry that SDL2main's WinMain calls.
#include <SDL.h>

int main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
#ifdef SIGPIPE
    // A standard output nobody reads any more (a launcher gone, `player | head -1`) makes the
    // log's writes fail instead of ending the player.
    signal(SIGPIPE, SIG_IGN);
#endif
    session_end_watch();
    AudioStream stream = {};
    double frame_deadline = 0.0;
    if (!startup(stream, &frame_deadline)) {
        shutdown();
        return 1;
    }
    session_end_window(stream);
    main_loop(stream, frame_deadline);
    shutdown_keeping_game(stream);
    return 0;
}
