// Replacing a whole file so that a reader only ever finds the old content or the new one:
// the new content goes to a temporary file beside the target, reaches the disk, and is then
// renamed over the target in one step. The temporary file gets a name of its own, created
// exclusively and never through an existing name or link, so a planted link cannot redirect
// the write and two copies of the player in one folder never write into the same file.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include "base/paths.h"

#define REPLACE_TEMP_SIZE (PATH_BUFFER_SIZE + 16)   // target name + "." + unique part
#define REPLACE_REASON_SIZE 128

struct FileReplace {
    FILE *file;                          // the temporary file while open for writing, else null
    char path[PATH_BUFFER_SIZE];         // the file to replace
    char temp_path[REPLACE_TEMP_SIZE];   // the temporary file; "" when none exists
    bool on_disk;                        // set by replace_flush: the temporary file is complete on the disk
    char reason[REPLACE_REASON_SIZE];    // set by a failing routine: why, in a notice's words; else ""
};

// The system's reason for a failure as a notice gives it, after a colon: its first letter
// small unless the word is all capitals, no closing full stop ("Access is denied." gives
// "access is denied"). Always NUL-terminated (size > 0).
void reason_words(const char *system_reason, char *out, size_t size);

// Each routine returns false on failure, with the reason logged and kept in r->reason and the
// temporary file removed; the target is then untouched.

// Creates a new temporary file beside path and opens it for writing as r->file.
bool replace_begin(FileReplace *r, const char *path);
// Closes r->file unwritten, leaving r->temp_path for another writer (the component, which
// writes a state file by name) to fill before replace_commit.
void replace_hand_over(FileReplace *r);
// Writes out and closes r->file (when still open) and pushes the temporary file to the disk,
// leaving the rename to replace_commit: files that must change together are all flushed
// first, then renamed back to back.
bool replace_flush(FileReplace *r);
// Flushes as replace_flush does (unless done already) and renames the temporary file over
// the target.
bool replace_commit(FileReplace *r);
// Closes and removes the temporary file; the target is untouched. Safe to call twice.
void replace_discard(FileReplace *r);

// A lock on files that change together (a slot's pair), held through a lock file of its own
// at path, which stays: two copies of the player then change them one after the other. The
// system lets go of it when the process ends, however it ends.
#define FILE_LOCK_WAIT_MS 1000   // how long file_lock waits for another holder

struct FileLock {
    intptr_t handle;                     // while held
    bool held;                           // set by file_lock, cleared by file_unlock
    char reason[REPLACE_REASON_SIZE];    // set by a failing file_lock: why, in a notice's words
};

// Takes the lock, waiting up to FILE_LOCK_WAIT_MS for another holder; false (reason logged
// and kept) when it could not.
bool file_lock(FileLock *lock, const char *path);
// Lets go of a held lock; nothing otherwise.
void file_unlock(FileLock *lock);
