// The overlay's two pages: the menu (page 0) and the change-keys page (page 1), as the rest of
// the player sees them. Their widget tables and the pieces menu_react runs are the overlay's
// own (ui/page_widgets.h).
#pragma once

#define MENU_PAGE 0
#define KEYS_PAGE 1

// Builds every widget of both pages (start-up, after xgui_init): empties the table, page 0,
// page 1, no capture, player 1 shown, the cell labels.
void pages_build(void);

// Sets the save slots' preview pictures and times, and shows each slot's "Load" only when
// its state file exists.
void slot_rows_refresh(void);

// Ends a pending capture without storing anything; the cell shows its binding again.
void keys_page_cancel_capture(void);
// Copies the binding labels into the cells: after the page rebuilds them, and after an input
// step whose capture ended (input_step true).
void keys_page_show_labels(void);
