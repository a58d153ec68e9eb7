// Window modes: a window of screen size x scale, centred, or desktop full screen; the
// frame texture's filtering; the mouse cursor. video_apply_settings lives here too.
#pragma once

#include <stdint.h>

// The scale of the window: the setting, or the largest whole multiple below it at which a
// screen_w x screen_h picture, in its shape (tv: 4:3), fits room_w x room_h (no screen size
// does not count), but at least 1x; a setting below 1 is kept.
int32_t window_fit_scale(int32_t setting, int64_t room_w, int64_t room_h, int screen_w, int screen_h, bool tv);
// Whether a window sized at scale for setting is news to tell: it does not fit (scale is not
// the setting) and that pair is not the one told last (told_setting, told_scale, updated).
// A window that fits forgets the pair, so choosing the mode again later is told again.
bool fit_news(int32_t setting, int32_t scale, int32_t *told_setting, int32_t *told_scale);
// Cursor, then full screen or the windowed size, centred; sets window_w, window_h.
void apply_window_mode(void);
// Stores the full-screen setting, writes the settings file, then applies the video settings.
void set_fullscreen(bool on);
// Hides the cursor exactly while the overlay is closed and full screen is on.
void update_cursor(void);
// The window's drawing area has become w x h, whoever changed it (the desktop, the window
// manager, a mode change taking effect): the picture, the overlay and the pointer follow it.
void window_size_changed(int w, int h);
