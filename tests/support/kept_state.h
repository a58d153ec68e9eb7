// State put back as a test found it: one copy taken when the keeper is made and restored when
// it goes, in place of resetting each field a test may have changed. What the fields point to
// (windows, textures, buffers) is still the test's to release.
#pragma once

#include "game/running.h"
#include "video/video_state.h"

// Video's record: window, renderer, textures, frame buffer, sizes, GL path.
struct KeptVideo {
    const VideoState saved = video_state();
    ~KeptVideo() { video_state() = saved; }
};

// Whether the game is paused and the player asked to quit.
struct KeptRunning {
    const bool paused = running_paused();
    const bool quit = running_quit();
    ~KeptRunning()
    {
        running_set_paused(paused);
        running_set_quit(quit);
    }
};
