// Window modes: a window of screen size x scale, centred, or desktop full screen; the
// frame texture's filtering; the mouse cursor. GameState::apply_video_settings lives here too.
#pragma once

// Cursor, then full screen or the windowed size, centred; sets window_w, window_h.
void apply_window_mode(void);
// Stores the full-screen setting, writes the settings file, then applies the video settings.
void set_fullscreen(bool on);
// Hides the cursor exactly while the overlay is closed and full screen is on.
void update_cursor(void);
