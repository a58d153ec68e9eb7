// When each save slot was saved, as the slot's row on the menu says it.
#pragma once

#include <stddef.h>
#include <time.h>

#define SLOT_TIME_TEXT_SIZE 32

// The text for a slot saved at saved, seen at now (both local times): "Today 18:02" on now's
// day, "Yesterday 09:15" on the day before, else the date, "3 Dec 2026" (a time on a later
// day than now's too: a clock set back).
void slot_time_text(char *out, size_t size, const struct tm &saved, const struct tm &now);

// Sets each slot row's time from its state file's modification time, "Empty" without one;
// a text that changed is logged ("slot 2: Today 18:02").
void slot_times_refresh(void);
