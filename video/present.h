// Placement and presentation of the emulated picture.
#pragma once

#include <SDL.h>

// Where the picture goes in a window of W x H for a screen of screen_w x screen_h, in the
// screen's own shape or with tv 4:3 (picture_shape.h): the largest whole multiple of the
// screen's height that fits, or with stretch the full height (possibly wider than the
// window). A non-positive screen size gives an empty rect.
SDL_Rect picture_rect_for(int window_w, int window_h, int screen_w, int screen_h, bool stretch, bool tv);

// The same for the component's current screen size and the stretch and shape settings.
SDL_Rect picture_rect(int window_w, int window_h);

// What of picture a frame covers: all of it (the frame texture is drawn opaque), or nothing
// while there is no frame texture.
SDL_Rect shown_picture(SDL_Rect picture);

struct LogRate;

// Takes the component's screen size into video's screen_w, screen_h when a machine can
// have it (frame_size_usable); otherwise keeps the last good size and returns false. A change
// is logged, at most as often as rate allows (every time with rate null).
bool screen_size_take(LogRate *rate);

// What a frame does with the raster size the component reports against the one held: keep
// the held one (a side of 0 means "unchanged"), take the new one, or refuse it (a size no
// machine has; the last good one stays).
enum RasterStep { RASTER_KEEP, RASTER_TAKE, RASTER_REFUSE };
RasterStep raster_step(int reported_w, int reported_h, int held_w, int held_h);

// Per-frame picture update: follows a screen size change as screen_size_take does, and a
// raster size change (one no machine has is refused, logged and the last good one kept),
// renders into pixels and uploads.
void frame_update(void);
