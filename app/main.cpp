// The player's entry. Every way out of a started player (Quit, the window closed, SIGTERM or
// SIGINT through SDL's quit event, a start-up step that fails) passes through shutdown here,
// before the process's exit routines: those destroy the component's own static objects, and
// a component shut down after them may crash or lose what it saves at shutdown.
#include <signal.h>

#include "app/forward.h"
#include "app/loop.h"
#include "app/shutdown.h"
#include "app/startup.h"
#include "host/audio.h"
#include "host/resume.h"
#include "host/rewind.h"
#include "video/video.h"

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
    AudioStream stream = {};
    double frame_deadline = 0.0;
    if (!startup(stream, &frame_deadline)) {
        shutdown();
        return 1;
    }
    main_loop(stream, frame_deadline);
    FramePicture picture;
    const bool shown = video_frame_picture(picture);
    resume_save(shown ? &picture : nullptr);
    forward_end();
    rewind_end();
    audio_stream_close(stream);
    shutdown();
    return 0;
}
