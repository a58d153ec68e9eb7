// Video's own state: the window, the renderer, the textures, the frame buffer and the GL
// objects. Kept inside video/: the other layers reach the picture through video/video.h.
#pragma once

#include <stdint.h>

#include <SDL.h>

struct VideoState {
    SDL_Window *window;
    SDL_Renderer *renderer;
    SDL_Texture *frame_texture;    // streaming ABGR8888, raster_w x raster_h
    SDL_Texture *back_texture;     // res/back, drawn behind the picture; may be null
    SDL_Texture *splash_texture;   // res/splash, drawn over the picture at start; may be null
    int32_t splash_frames;         // SPLASH_FRAMES after a splash loaded, counted down by the main loop
    int32_t screen_w, screen_h;    // component's screen size at start-up; never changed after
    int32_t raster_w, raster_h;    // size of pixels' picture and of frame_texture
    int32_t window_w, window_h;    // drawing area of the window, set by the window modes
    int32_t window_scale;          // scale of the windowed size last set: the setting or what fits
    uint8_t *pixels;               // frame buffer the component renders into, bytes R, G, B, A
    uint32_t pixels_size;          // capacity of pixels in bytes; only grows
    int32_t default_program;       // GL program current when the GL path was set up
    uint32_t crt_program;          // program built from res/crtv and res/crtf
    bool gl_path;                  // frames are presented by video_present_gl
    bool shown;                    // the window was shown, by video_present after its first frame
};

// The one record: zero before main runs, filled by video_init, released by video_release.
VideoState &video_state(void);

// The frame texture's scaling: linear only with smoothing on the renderer path; on the GL
// path smoothing is the TV effect, which reads the picture's own pixels.
SDL_ScaleMode frame_scale_mode(bool smoothing, bool gl_path);

// (Re)creates frame_texture for raster_w x raster_h, linear only with smoothing on the
// renderer path; grows and clears pixels.
void video_recreate_frame_texture(void);
