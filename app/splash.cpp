#include "app/splash.h"

#include "video/video.h"

bool splash_skips(int32_t splash_frames, bool repeat)
{
    return splash_frames > 0 && splash_frames <= SPLASH_FRAMES - SPLASH_SKIP_AFTER && !repeat;
}

void splash_event(const SDL_Event &event)
{
    bool press = event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_JOYBUTTONDOWN ||
                 event.type == SDL_CONTROLLERBUTTONDOWN || event.type == SDL_KEYDOWN;
    bool repeat = event.type == SDL_KEYDOWN && event.key.repeat != 0;
    if (press && splash_skips(video_splash_frames(), repeat))
        video_splash_end();
}
