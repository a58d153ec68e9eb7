// The overlay's two pages: the menu and the change-keys page.
#pragma once

// Builds every widget of both pages (start-up, after xgui_init).
void pages_build(void);

// Sets the save slots' preview pictures and shows each slot's "Load" only when its state
// file exists.
void slot_rows_refresh(void);

