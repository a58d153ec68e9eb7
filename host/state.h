// The three save slots: res/<n>S holds the component's state, res/<n>P its preview picture.
#pragma once

#include <stddef.h>

#define STATE_SLOTS 3
// Largest state file handed to the component: far above what our component writes, and
// roomy for the whole memory of a bigger machine.
#define STATE_READ_LIMIT (64 * 1024 * 1024)

// Forms the file name of slot's state ('S') or preview ('P') into out; false (and nothing
// formed) for a slot outside 0..2 or a name that does not fit.
bool state_slot_path(char *out, size_t size, int slot, char kind);

// save: the preview picture of the frame on screen and the component's state go to
// temporary files beside the slot's files; only when the component saved the state are both
// renamed into place (a preview that cannot be made leaves the old one). load: the component
// reads the slot's state, which must be a regular file of at most STATE_READ_LIMIT bytes.
// False (reason logged) when the save or load failed; a slot outside 0..2 does nothing.
bool state_slot_op(int slot, bool save);

// True when slot has a state to load: its file is there and is a regular file of at most
// STATE_READ_LIMIT bytes, checked without waiting (anything else in its place is logged).
bool state_slot_stored(int slot);
