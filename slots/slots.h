// The three save slots: res/<n>S holds the component's state, res/<n>P its preview picture
// (in the user folder instead while res/ cannot be written, see base/user_dir.h).
#pragma once

#include <stddef.h>

#include "core_api/frame_picture.h"

#define SLOTS_COUNT 3

// Forms the file name of slot's state ('S') or preview ('P') to read into out (the preview
// beside its state, see user_load_path); false (and nothing formed) for a slot outside 0..2
// or a name that does not fit, and for a preview of another save than its state (logged).
bool slots_path(char *out, size_t size, int slot, char kind);

// save: the preview of picture (the frame on screen) and the component's state go to
// temporary files beside the slot's files, both are flushed to the disk, and only then are
// they renamed into place, back to back; when either is missing (see state_save_refusal; no
// picture makes no preview) the slot keeps its old pair. load: the component reads a private
// copy of the slot's state, which must be a regular file (a missing one is still handed
// over, by its name); picture is not used. False (reason logged with the slot named from 1,
// and given in *why when asked, in a notice's few words) when the save or load failed; a
// slot outside 0..2 does nothing.
bool slots_op(int slot, bool save, const FramePicture *picture, const char **why = nullptr);

// The two halves of slots_op for any pair of files (a slot's, or another feature's):
// each returns null on success, else the reason, for the caller to log (the system's own
// when it gave one; valid until the next call). A failed save leaves both files as they
// were. A load's copy is made where the player writes (user_copy_path).
const char *state_pair_save(const char *state_path, const char *preview_path, const FramePicture *picture);
const char *state_file_load(const char *path);

// Whether a preview belongs to the state beside it: its mark (see preview_mark_write) is the
// state's, or it has none (a preview saved before marks).
bool state_pair_whole(const char *state_path, const char *preview_path);

// Why a save must keep the slot's old pair, or null when the new pair may replace it.
// preview_written: the preview's temporary file is complete on the disk; component_saved:
// ox_state_save's answer; state_bytes: the size of the state's temporary file afterwards
// (-1 when it is gone).
const char *state_save_refusal(bool preview_written, bool component_saved, long long state_bytes);

// True when slot has a state to load: its file is there and is a regular file, checked
// without waiting (anything else in its place is logged).
bool slots_stored(int slot);
