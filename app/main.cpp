// The player's entry. Returning from main, like exit(1) during start-up, ends in the one
// shutdown routine.
#include "app/loop.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "host/audio.h"

// On Windows SDL's header renames main to the entry that SDL2main's WinMain calls.
#include <SDL.h>

int main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
    shutdown_register();
    AudioStream stream = {};
    double frame_deadline = startup(stream);
    main_loop(stream, frame_deadline);
    audio_stream_close(stream);
    return 0;
}
