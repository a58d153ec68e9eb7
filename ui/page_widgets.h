// The widget tables of the overlay's two pages and the pieces menu_react runs in its order: for
// the files of ui/ and their tests (which find each item through the tables) only.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <SDL.h>

#include "config/binding.h"
#include "slots/slots.h"
#include "ui/pages.h"

#define MENU_WINDOW_SCALES 3        // "Window 2x", "3x", "4x"
#define MENU_FIRST_WINDOW_SCALE 2
#define MENU_LATENCY_STEPS 4        // "Sound 32 ms" to "Sound 250 ms"
// The sound latencies the menu offers, milliseconds, shortest first; the first is the default.
extern const int32_t MENU_LATENCY_MS[MENU_LATENCY_STEPS];

// Rows of the change-keys page shown at once. The font is too wide for a second column of
// label and two cells beside the first, so rows beyond these come in further groups at the
// same places, one group at a time, switched by "More keys".
#define KEYS_ROWS_PER_GROUP 15
#define KEYS_GROUPS ((MAX_BUTTONS + KEYS_ROWS_PER_GROUP - 1) / KEYS_ROWS_PER_GROUP)

// The font's line height in overlay units: the menu keeps its lines this far apart at least.
#define MENU_LINE_H 48

// Where one save slot's items go on page 0, in overlay units: the box its preview (256 x 224,
// the demo's size) is centred in; the pen start of "Load" and of "Save", beside the preview's
// top and bottom; and a line under the preview for when the slot was saved.
struct SlotPlaces {
    SDL_Rect preview;
    int32_t load_x, load_y;
    int32_t save_x, save_y;
    SDL_Rect text_line;
};
SlotPlaces slot_places(int slot);

// Widget indices of page 0, set by pages_build; -1 before it (or when the table was full). Every
// field of both tables is a widget index or a count of them (page_widgets_unset).
struct MenuWidgets {
    int32_t play, reset, quit;
    int32_t fullscreen;
    int32_t window[MENU_WINDOW_SCALES];   // scales 2, 3, 4
    int32_t smooth;                       // "TV effect" on the GL path
    int32_t stretch;
    int32_t shape;                        // "TV shape"
    int32_t change_keys;
    int32_t latency[MENU_LATENCY_STEPS];  // the sound latencies of MENU_LATENCY_MS
    int32_t slot_picture[SLOTS_COUNT];
    int32_t slot_load[SLOTS_COUNT];
    int32_t slot_save[SLOTS_COUNT];
    int32_t slot_time[SLOTS_COUNT];       // when the slot was saved, or "Empty" (ui/slot_time.h)
    int32_t focus_pause;                  // "Pause in background"
    int32_t less_lag;                     // "Less lag": run-ahead
};
extern MenuWidgets menu_widgets;

// Widget indices of page 1, set by pages_build.
struct KeysWidgets {
    int32_t player[MAX_PLAYERS];          // "Player 2" only in a game of two players
    int32_t rows;                         // rows built: the component's buttons, at most 32
    int32_t row_label[MAX_BUTTONS];
    int32_t cell[MAX_BUTTONS][MAX_SLOTS];
    int32_t back, preset, clear, guide;
    int32_t more;                         // "More keys", only with more rows than one group
    int32_t pad_controls;                 // the pad's fixed controls (rewind, fast-forward)
};
extern KeysWidgets keys_widgets;
// Group of rows on show (0 = rows 0..14); changed by "More keys", back to 0 when the page opens.
extern int32_t keys_group;

// Every field of both tables -1, as before the first build: a field added later needs no line
// here, so it can never read as widget 0 (the "OK?" prompt). pages_build starts with it.
void page_widgets_unset(void);

// ---------------------------------------------------------------------------------------
// The pieces menu_react runs in its order; each acts only on activations it takes.
// ---------------------------------------------------------------------------------------

void menu_page_build(void);
void keys_page_build(void);
// A row's label in text (size bytes): the button's name and "..", the name cut one letter at a
// time, and a space left at the cut with it, until the label is at most room overlay units wide.
void keys_row_label(char *text, size_t size, const char *name, int32_t room);
// Window mode and picture options, Play, Reset, Quit, then Save and Load of each slot.
void menu_page_react(void);
// "Player 1" / "Player 2" (two-player games only).
void keys_page_react_players(void);
// "Change keys": page 1, no capture, labels rebuilt.
void keys_page_open(void);
// "Back": page 0, no capture, labels rebuilt.
void keys_page_back(void);
// "Back", "Preset", " Clear", "Guide", "More keys", then the binding cells.
void keys_page_react(void);
// Check marks from the settings.
void pages_sync_checks(void);
