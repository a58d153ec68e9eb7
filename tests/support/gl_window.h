// The OpenGL presentation path on Mesa's software OpenGL through SDL's offscreen driver:
// one set-up for every test of the GL path.
#pragma once

#include <stdlib.h>
#include <string.h>

#include <SDL.h>

#include "core_api/ox_core.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/gl_path.h"

// A w x h window with SDL's OpenGL renderer in the running state and the GL path set up on
// it, and the frame texture for the component's screen, as the start-up does; false (SDL's
// error set) when any of it fails. The offscreen drawing surface keeps its first size, so a
// test that resizes starts at its largest. The component must be started first.
inline bool gl_window_open(int w, int h)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    VideoState &g = video_state();
    g.window = SDL_CreateWindow("", 0, 0, w, h, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    g.renderer = g.window ? SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info;
    if (!g.renderer || SDL_GetRendererInfo(g.renderer, &info) != 0 || strcmp(info.name, "opengl") != 0)
        return false;
    gl_path_setup();
    g.screen_w = g.raster_w = ox_video_get_screen_width();
    g.screen_h = g.raster_h = ox_video_get_screen_height();
    video_recreate_frame_texture();
    return g.gl_path && g.frame_texture;
}
