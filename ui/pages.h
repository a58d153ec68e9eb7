// The overlay's two pages: the menu (page 0) and the change-keys page (page 1). Their widget
// indices live here so the reactions, the tests and the benchmarks can find each item.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "host/state.h"
#include "config/binding.h"

#define MENU_PAGE 0
#define KEYS_PAGE 1
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
// top and bottom; and a line under the preview kept free for a short text about the slot.
struct SlotPlaces {
    SDL_Rect preview;
    int32_t load_x, load_y;
    int32_t save_x, save_y;
    SDL_Rect text_line;
};
SlotPlaces slot_places(int slot);

// Widget indices of page 0, set by pages_build; -1 before it (or when the table was full).
struct MenuWidgets {
    int32_t play, reset, quit;
    int32_t fullscreen;
    int32_t window[MENU_WINDOW_SCALES];   // scales 2, 3, 4
    int32_t smooth;                       // "TV effect" on the GL path
    int32_t stretch;
    int32_t change_keys;
    int32_t latency[MENU_LATENCY_STEPS];  // the sound latencies of MENU_LATENCY_MS
    int32_t slot_picture[STATE_SLOTS];
    int32_t slot_load[STATE_SLOTS];
    int32_t slot_save[STATE_SLOTS];
    int32_t focus_pause;                  // "Pause in background"
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
};
extern KeysWidgets keys_widgets;
// Group of rows on show (0 = rows 0..14); changed by "More keys", back to 0 when the page opens.
extern int32_t keys_group;

// Builds every widget of both pages (start-up, after xgui_init): empties the table, page 0,
// page 1, no capture, player 1 shown, the cell labels.
void pages_build(void);

// Sets the save slots' preview pictures and shows each slot's "Load" only when its state
// file exists.
void slot_rows_refresh(void);

// ---------------------------------------------------------------------------------------
// The pieces menu_react runs in its order; each acts only on activations it takes.
// ---------------------------------------------------------------------------------------

void menu_page_build(void);
void keys_page_build(void);
// Window mode and picture options, Play, Reset, Quit, then Save and Load of each slot.
void menu_page_react(void);
// "Player 1" / "Player 2" (two-player games only).
void keys_page_react_players(void);
// "Change keys": page 1, no capture, labels rebuilt.
void keys_page_open(void);
// "Back": page 0, no capture, labels rebuilt.
void keys_page_back(void);
// Ends a pending capture without storing anything; the cell shows its binding again.
void keys_page_cancel_capture(void);
// "Back", "Preset", " Clear", "Guide", "More keys", then the binding cells.
void keys_page_react(void);
// Check marks from the settings.
void pages_sync_checks(void);
// Copies the binding labels into the cells: after the page rebuilds them, and after an input
// step whose capture ended (input_step true).
void keys_page_show_labels(void);
