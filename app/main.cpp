// The player's entry. Returning from main lets the exit routines release everything:
// GameState's destructor first, then sdl_cleanup.
#include "app/loop.h"
#include "app/startup.h"
#include "host/audio.h"

int main(int argc, char **argv)
{
    (void)argc;
    (void)argv;
    AudioStream stream = {};
    double frame_deadline = startup(stream);
    main_loop(stream, frame_deadline);
    audio_stream_close(stream);
    return 0;
}
