// The three save slots: res/<n>S holds the component's state, res/<n>P its preview picture.
#pragma once

#include <stddef.h>

#define STATE_SLOTS 3

// Forms the file name of slot's state ('S') or preview ('P') into out; false (and nothing
// formed) for a slot outside 0..2 or a name that does not fit.
bool state_slot_path(char *out, size_t size, int slot, char kind);

// save: the component writes the slot's state, then the preview picture of the frame on
// screen is written. load: the component reads the slot's state. Results are not examined;
// a slot outside 0..2 does nothing.
void state_slot_op(int slot, bool save);
