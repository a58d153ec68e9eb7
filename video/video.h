// The picture on screen: window and renderer, the frame's texture and buffer, the background
// and splash pictures, and the two ways of presenting them (SDL renderer, OpenGL).
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "core_api/frame_picture.h"

#define SPLASH_FRAMES 300       // frames the splash stays over the picture after start-up

// Creates the window (hidden, with the game's title), renderer, frame texture and buffer and
// loads the pictures, for the running component's screen size. Its errors are logged; the
// player runs on without what failed. video_apply_settings then sizes the window.
void video_init(void);
// Releases what video_init created: textures, renderer, window, frame buffer; video's record
// is then as before video_init. Called once by the shutdown routine, before SDL_Quit.
void video_release(void);

// Frame texture (scaled as smoothing says), window size = screen size x scale, window mode.
void video_apply_settings(void);

// Draws background, picture, splash and overlay, then presents: through OpenGL with the CRT
// shader on the GL path, else through the SDL renderer. The window, made hidden, shows once
// its first frame is drawn.
void video_present(void);
void video_present_sdl(void);
void video_present_gl(void);

// The window mode in use, as the menu ticks it: the scale the window was last sized at (the
// setting, or the largest that fits the display); 0 in full screen.
int32_t video_window_scale(void);

// Whether frames are presented through OpenGL; chosen once, by video_init.
bool video_gl_path(void);

// The window (null when it could not be made), its renderer, and its drawing area.
SDL_Window *video_window(void);
SDL_Renderer *video_renderer(void);
void video_window_size(int32_t *w, int32_t *h);

// The picture the loop last rendered (the frame buffer, laid out by the raster size) at its
// preview_size, for a save's preview. False (logged) when the frame buffer does not hold the
// raster; the picture is valid until the next frame.
bool video_frame_picture(FramePicture &picture);

// The size of a preview of a screen_w x screen_h screen: that size, scaled down to keep its
// aspect where a side is above what reading a preview accepts (PICTURE_PREVIEW_MAX_SIDE).
void preview_size(int screen_w, int screen_h, int *out_w, int *out_h);

// Frames the splash still stays over the picture: SPLASH_FRAMES after a splash loaded, 0 once
// it is over (or without a splash). Each count down takes one (splash_left).
int32_t video_splash_frames(void);
void video_splash_count_down(void);
// The frames a splash with frames left has after one count down: one fewer, and 0 stays 0.
int32_t splash_left(int32_t frames);
// Whether the splash is drawn over the picture: while it has frames left, and not under the
// menu (which stops its count while it shows).
bool splash_drawn(int32_t splash_frames, bool menu_open);
// Ends the splash at once (a press that skips it).
void video_splash_end(void);
