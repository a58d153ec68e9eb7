// The log: every progress and error line of the player goes through log_write.
#pragma once

#include <stdio.h>

// Open log file, or null. While null, log_write writes nothing at all (not even to stdout).
// Opened by main at start-up, closed by sdl_cleanup at process exit.
extern FILE *log_file;

// printf-style; the caller supplies the trailing "\n". Writes to stdout and the log file.
void log_write(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Opens (replacing) the log file at path; false when it cannot be created.
bool log_open(const char *path);

// Exit routine: SDL_Quit, then the log file is closed.
void sdl_cleanup(void);
