// The running state of the player that is not settings or bindings.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "base/sound_file.h"

#define MAX_JOYSTICKS 4
#define SPLASH_FRAMES 300       // frames the splash stays over the picture after start-up
#define FALLBACK_FRAME_RATE 60  // frames per second assumed when the component reports none
#define MAX_FRAME_RATE 240      // no display shows more frames a second; a higher rate is held here

class GameState {
public:
    SDL_Window *window;
    SDL_Renderer *renderer;
    SDL_Texture *frame_texture;    // streaming ABGR8888, raster_w x raster_h
    SDL_Texture *back_texture;     // res/back, drawn behind the picture; may be null
    SDL_Texture *splash_texture;   // res/splash, drawn over the picture at start; may be null
    int32_t splash_frames;         // SPLASH_FRAMES after a splash loaded, counted down by the main loop
    int32_t screen_w, screen_h;    // component's screen size, read at init, after loading, every frame
    int32_t raster_w, raster_h;    // size of pixels' picture and of frame_texture
    int32_t pointer_x, pointer_y;  // pointer in overlay space (1920 x 1080), set by the events
    int32_t pointer_clicked;       // left press since the last xgui_update
    int32_t window_w, window_h;    // drawing area of the window, set by the window modes
    UiSound hover_sound;           // res/s_hover, played when the overlay reports a new hover
    UiSound select_sound;          // res/s_select, played on an activation
    bool quit;                     // leave the main loop
    bool paused;                   // emulation stopped (menu open or Pause key)
    int32_t frame_rate;            // component's frames per second (frame_rate_held); read at init and after loading
    SDL_Joystick *joysticks[MAX_JOYSTICKS];         // by device index at the time it was added
    SDL_GameController *controllers[MAX_JOYSTICKS];
    uint8_t *pixels;               // frame buffer the component renders into, bytes R, G, B, A
    uint32_t pixels_size;          // capacity of pixels in bytes; only grows
    int32_t default_program;       // GL program current when the GL path was set up
    uint32_t crt_program;          // program built from res/crtv and res/crtf
    bool gl_path;                  // frames are presented by present_gl
    bool core_started;             // set by init once ox_core_init ran, cleared when it is shut

    // Creates window, renderer, frame texture and buffer, loads pictures and sounds, applies
    // the window mode. Always reports success; its errors are logged.
    bool init();
    // (Re)creates frame_texture for raster_w x raster_h, linear only with smoothing on the
    // renderer path; grows and clears pixels.
    void recreate_frame_texture();
    // Draws background, picture, splash and overlay through the SDL renderer, then presents.
    void present_sdl();
    // Draws the same through OpenGL with the CRT shader, then presents.
    void present_gl();
    // Frame texture (scaled as smoothing says), window size = screen size x scale, window mode.
    void apply_video_settings();
    // Releases what init created: component, textures, renderer, window, sounds, buffer.
    // Called once by the shutdown routine, before SDL_Quit.
    void release();
};

// The one instance: zero before main runs, filled by init, released by the shutdown routine.
// The operations above are performed by the video layer, which defines them; this header
// only describes the data.
extern GameState gamestate;

// The component's frame rate as the loop keeps it: a rate of 0 or below gives
// FALLBACK_FRAME_RATE, one above MAX_FRAME_RATE gives MAX_FRAME_RATE, each with a log line.
int32_t frame_rate_held(int32_t reported);
