// The user's own folder for what the player writes (settings, save slots, the resume file,
// the log) when the folder res/ beside the executable cannot be written, as in an install
// under Program Files: %APPDATA%\<title>\ on Windows, $XDG_DATA_HOME/<title>/ elsewhere
// (~/.local/share/<title>/ without it). A writable res/ keeps everything where it was.
#pragma once

#include <stddef.h>

#include "base/paths.h"

// The user folder with its trailing separator while it is in use; "" while res/ is written.
extern char user_dir[PATH_BUFFER_SIZE];

// The user folder of a game, formed into out from its folder name (the title made safe, see
// gameinfo_folder_name): on Windows appdata\name\, elsewhere xdg/name/ when xdg is an
// absolute path, else home/.local/share/name/. False (out "") when the base it needs is
// missing or the name does not fit.
bool user_dir_for(char *out, size_t size, bool windows, const char *appdata, const char *xdg,
                  const char *home, const char *name);

// At start-up, once exe_dir and the folder name are known: when a file cannot be created in
// res/, forms the user folder from the environment and creates it.
void user_dir_init(const char *name);
// Logs where the files go when that is not res/ (once the log is open, which may be there);
// when nothing can be kept there either, says so on screen too (user_dir_save_failed).
void user_dir_log(void);
// A save failed that no other notice tells of (the settings, the game kept at quitting, the
// log): the first time in a run, shows "Cannot save: <reason>" (reason in a notice's words).
void user_dir_save_failed(const char *reason);

// Where a file of res/ (name starts with RES_DIR) the player writes is written: in the user
// folder while it is in use, else beside the executable (as data_path).
bool user_save_path(char *out, size_t size, const char *name);
// Where it is read: the newer of the user folder's file and res/'s, so the files of an install
// that was writable before, or is writable again, stay in use.
bool user_load_path(char *out, size_t size, const char *name);
// That choice: true for the user folder's file (times in seconds; a tie keeps the user's).
bool user_load_pick(bool in_user, long long user_time, bool in_res, long long res_time);
// Where a private copy of the file at path is made (as a new temporary file beside that
// name): in the user folder while it is in use, since res/ may refuse new files; else beside
// path itself.
bool user_copy_path(char *out, size_t size, const char *path);
