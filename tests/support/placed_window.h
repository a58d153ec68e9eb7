// A window as the windowed mode leaves it and as a user then handles it, for the tests of its
// placing: SDL's video, the component and its screen size must be set up first.
#pragma once

#include <SDL.h>

#include "config/settings.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/window_mode.h"

#define PLACED_WINDOW_MOVED 5   // where the user moves the window by hand

// What became of the window: the drawing area right after the report, the window's size at
// the end, and whether it left the place it was moved to.
struct PlacedAgain {
    int32_t area_w = 0;
    int32_t area_h = 0;
    int w = 0;
    int h = 0;
    bool placed = false;
};

// A new window placed windowed at 3x in the screen's own shape, moved by hand, reported by
// the window manager as reported_w x reported_h, then given scale, fullscreen and shape;
// false (SDL's error set) when no window could be made. The window stays video's window.
inline bool window_placed_again(int reported_w, int reported_h, int32_t scale, bool fullscreen, bool shape,
                                PlacedAgain *out)
{
    // The windowed mode knows the window it placed by its address: video's window (the one
    // made before, if any) goes only once this one is made, so the two never share one.
    SDL_Window *window = SDL_CreateWindow("", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 0, 0, 0);
    if (!window)
        return false;
    if (video_state().window)
        SDL_DestroyWindow(video_state().window);
    video_state().window = window;
    settings.scale = 3;
    settings.fullscreen = false;
    settings.shape = false;
    video_apply_settings();
    SDL_SetWindowPosition(window, PLACED_WINDOW_MOVED, PLACED_WINDOW_MOVED);
    window_size_changed(reported_w, reported_h);
    video_window_size(&out->area_w, &out->area_h);
    settings.scale = scale;
    settings.fullscreen = fullscreen;
    settings.shape = shape;
    video_apply_settings();
    int x = 0;
    int y = 0;
    SDL_GetWindowSize(window, &out->w, &out->h);
    SDL_GetWindowPosition(window, &x, &y);
    out->placed = x != PLACED_WINDOW_MOVED || y != PLACED_WINDOW_MOVED;
    return true;
}
