// The picture's shape on screen: the emulated screen's own, with square pixels, or the 4:3 of
// the television a game was made for, whatever its raster ("TV shape").
#pragma once

#include <stdint.h>

#define SHAPE_TV_W 4   // the television's aspect, width to height
#define SHAPE_TV_H 3

// Width of the picture drawn h pixels high for a screen_w x screen_h screen: the screen's own
// aspect, or 4:3 with tv; truncated. 0 for a screen with a side that is not positive.
int64_t shaped_width(int screen_w, int screen_h, int64_t h, bool tv);

// The largest whole multiple k of the screen's height whose picture (k x screen_h high,
// shaped_width wide) fits room_w x room_h; 0 when not even 1x fits or the screen has a side
// that is not positive.
int64_t shaped_fit(int screen_w, int screen_h, int64_t room_w, int64_t room_h, bool tv);
