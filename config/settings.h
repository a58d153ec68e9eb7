// The user's settings and bindings, stored in res/conf.
#pragma once

#include "base/paths.h"
#include "config/binding.h"

#define SETTINGS_FILE RES_DIR "conf"
// The settings without a res/conf. An existing file that lacks a key gives the same value,
// except smoothing: files written before that key existed meant it off.
#define SETTINGS_DEFAULT_SCALE 3
#define SETTINGS_DEFAULT_SMOOTHING true
#define SETTINGS_DEFAULT_STRETCH false
#define SETTINGS_DEFAULT_SHAPE false     // square pixels; "shape=1" draws the picture 4:3
#define SETTINGS_DEFAULT_FULLSCREEN true
#define SETTINGS_DEFAULT_GUIDE true
#define SETTINGS_DEFAULT_FOCUS_PAUSE true
#define SETTINGS_DEFAULT_RUNAHEAD 0    // frames run ahead ("Less lag"); a value outside 0..2 reads as 0
#define SETTINGS_MAX_RUNAHEAD 2
#define SETTINGS_MISSING_SMOOTHING false
#define SETTINGS_MIN_SCALE 1        // a scale read from res/conf outside these reads as the default
#define SETTINGS_MAX_SCALE 8
#define SETTINGS_DEFAULT_LATENCY_MS 32 // sound held ahead of the device, milliseconds
#define SETTINGS_MIN_LATENCY_MS 16     // a latency read from res/conf is brought into this range
#define SETTINGS_MAX_LATENCY_MS 250
// Files before latency_ms held "latency=20" (video frames) without the user choosing it: that
// value reads as the new default, any other as that many frames at 60 frames a second.
#define SETTINGS_OLD_LATENCY_DEFAULT 20
#define SETTINGS_OLD_LATENCY_FRAME_RATE 60

struct Settings {
    int32_t scale;       // window = screen size x scale (menu offers 2, 3, 4)
    bool smoothing;      // linear scaling, or the TV effect on the GL path
    bool stretch;        // fill the height without keeping whole multiples
    bool shape;          // "TV shape": the picture drawn 4:3 whatever the screen's size
    bool fullscreen;
    bool guide;          // joystick button 10 toggles the menu
    bool focus_pause;    // the game pauses while the window has no keyboard focus
    int32_t latency_ms;  // sound queued ahead of the device, milliseconds
    int32_t runahead;    // frames run ahead of the game's real frame, 0..SETTINGS_MAX_RUNAHEAD
    Binding bindings[MAX_PLAYERS][MAX_BUTTONS][MAX_SLOTS];  // player, button, slot

    Settings();          // all-zero binding table, the default latency
};

// The one instance: all-zero table before main; defaults and res/conf written by start-up,
// changed by the menu, the hotkeys and the change-keys page, each followed by settings_save.
extern Settings settings;

// Stores the defaults used when there is no res/conf: scale 3, smoothing on, stretch off,
// square pixels, full screen on, guide on, the default latency. The binding table is left alone.
void settings_set_defaults(void);
// Reads res/conf into settings (keys missing from an existing file take their defaults, a
// scale outside 1..8 too; a latency outside its range is taken to the nearer end, with a log
// line; see SETTINGS_OLD_LATENCY_DEFAULT for files without latency_ms). Without the file (or
// with one that is not a regular file of at most READ_LIMIT_CONF bytes), settings keep what
// they hold. A file with any binding line sets the whole binding table from it, 0 for each
// key it lacks; a file without one keeps the table.
void settings_load(void);
// Rewrites res/conf whole from settings; the old file stays intact until the new one is
// complete on the disk. A failure is logged with its reason. Binding lines of the file last
// loaded for players and buttons that are not bound now are written again as they were.
void settings_save(void);

// The binding lines ("btn_<player>_<button>_<slot>_<field>") of the file being read
// (conf_open), for the game's players and the component's buttons (at most MAX_PLAYERS x
// MAX_BUTTONS): sets every field of those bindings, 0 for each key the file lacks.
void bindings_load(void);
