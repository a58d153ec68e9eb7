// Scratch folders: private folders for files the player keeps only while it runs (rewind's
// states). Each is made fresh under a name nobody can guess, in a place only its user can
// reach: $XDG_RUNTIME_DIR when there is a usable one, else /dev/shm (memory), else the
// temporary folder; on Windows the user's temporary folder. An existing entry is never
// reused and a link is never followed. The name keeps the process id, so that a later start
// can tell the folders of players that have gone (a kill, a crash, a power cut) and remove
// them.
#pragma once

#include <stddef.h>

#if !defined(_WIN32)
#include <sys/types.h>
#endif

#define SCRATCH_PREFIX "player-rewind-"

// Makes a new scratch folder and forms its path with the trailing separator into out; false
// (logged) when none could be made.
bool scratch_folder_make(char *out, size_t size);
// Removes a folder made by scratch_folder_make with the files in it, following no link.
void scratch_folder_remove(const char *path);
// Removes the scratch folders of this user whose process is gone, with their files; any
// other entry (another user's, a link, a live player's) stays. Returns how many went.
int scratch_sweep(void);

// The process id in a scratch folder's name: "player-rewind-<pid>-<random>", or
// "player-rewind-<pid>" as earlier players named theirs; 0 when name is neither.
long scratch_name_pid(const char *name);

#if !defined(_WIN32)
// Whether a folder of that mode and owner may hold this user's (me) scratch folders: a
// folder; a private one (the runtime folder) owned by me and closed to everyone else; a
// shared one writable by others only with the sticky bit, so nobody can move our entries.
bool scratch_base_fits(mode_t mode, uid_t owner, uid_t me, bool private_only);
// A folder named by the environment (value may be null), taken only as an absolute path: a
// relative one would put the folder wherever the player was started. Else fallback.
const char *scratch_env_folder(const char *value, const char *fallback);
// scratch_folder_make inside base (no separator at its end).
bool scratch_folder_make_in(const char *base, char *out, size_t size);
// scratch_sweep inside base, for the folders of user me.
int scratch_sweep_in(const char *base, uid_t me);
#endif
