// The executable's directory and the data file names formed from it.
#pragma once

#include <stddef.h>

#include "base/platform.h"

#define PATH_BUFFER_SIZE 1024

// Directory of the running executable with its trailing separator (whole path when it has
// none); "" while unknown. Filled once by main at start-up; read-only afterwards.
extern char exe_dir[PATH_BUFFER_SIZE];

// Fills exe_dir from the platform's executable path, cut after its last '\' or '/'.
void exe_dir_init(void);

// Cuts path directly after its last '\' or '/'; a path with neither stays whole.
void cut_after_last_separator(char *path);

// Stores the path of length bytes into out (size bytes) whole, or makes out "" and returns
// false when it is empty or does not fit: a path cut short would name another file.
bool path_store(char *out, size_t size, const char *path, size_t length);

// Forms exe_dir + name into out (size bytes). A name that would not fit, or any name while
// exe_dir is unknown, is not formed at all: out becomes "" and the result is false, so the
// player never addresses a file outside its own folder.
bool data_path(char *out, size_t size, const char *name);
