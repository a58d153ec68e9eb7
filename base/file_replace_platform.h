// What whole-file replacement asks of the platform: one source file per platform beside the
// shared file_replace.cpp. Each routine that can fail returns null on success, else the
// reason to log.
#pragma once

#include <stdint.h>
#include <stdio.h>

// A name part that differs between processes and between calls of one process.
uint32_t replace_unique_number(void);

// Creates temp_path, which must not exist (not even as a link), and opens it for binary
// writing as *file. *taken is set when the name exists already.
const char *replace_create(const char *temp_path, FILE **file, bool *taken);

// Writes out, pushes to the disk and closes file.
const char *replace_close_to_disk(FILE *file);

// Pushes a file that another party wrote (and closed) to the disk.
const char *replace_sync_written(const char *path);

// Renames from over to in one step, replacing to.
const char *replace_rename(const char *from, const char *to);

// Removes path; nothing when it does not exist.
void replace_remove(const char *path);

// Takes the lock of the file at path without waiting, creating the file when missing (never
// through a link): *handle holds it until replace_unlock. *busy is set when another holder
// has it.
const char *replace_lock_try(const char *path, intptr_t *handle, bool *busy);
void replace_unlock(intptr_t handle);
