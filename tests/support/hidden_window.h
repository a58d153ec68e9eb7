// A hidden window with SDL's software renderer, for tests that need a renderer to make
// textures: one set-up for every such test. SDL's video must be initialised first.
#pragma once

#include <SDL.h>

struct TestWindow {
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    bool open(int w, int h)  // replaces the window opened before
    {
        close();
        window = SDL_CreateWindow("test", 0, 0, w, h, SDL_WINDOW_HIDDEN);
        renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        return renderer != nullptr;
    }
    void close()
    {
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        renderer = nullptr;
        window = nullptr;
    }
    ~TestWindow() { close(); }
};
