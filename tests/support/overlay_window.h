// The overlay drawn in process: SDL's video and pads, a hidden window with the software
// renderer, and the toolkit on it with the shipped font, handed to video as its window. Video's
// record is put back when it goes.
#pragma once

#include <SDL.h>

#include "support/kept_state.h"
#include "support/res_dir.h"
#include "support/hidden_window.h"
#include "video/video_state.h"
#include "xgui/xgui_internal.h"

struct OverlayWindow {
    KeptVideo video;
    TestWindow win;
    // False, with SDL's error, when SDL, the window or the toolkit could not start.
    bool open()
    {
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0 || !win.open(64, 64))
            return false;
        if (!xgui_init(source_file("").c_str(), win.renderer))
            return false;
        video_state().window = win.window;
        video_state().renderer = win.renderer;
        return true;
    }
    ~OverlayWindow()
    {
        xgui_reset();
        xgui_free();
        win.close();
        SDL_Quit();
    }
};
