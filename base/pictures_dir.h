// The user's pictures folder, where screenshots go: XDG_PICTURES_DIR from the environment or
// from the user's folder list (~/.config/user-dirs.dirs), else ~/Pictures; the system's
// Pictures folder on Windows (platform_pictures_dir).
#pragma once

#include <stddef.h>

// The pictures folder from what a desktop other than Windows gives, without a trailing
// separator: env (XDG_PICTURES_DIR's value, null when unset) when it is an absolute path;
// else the XDG_PICTURES_DIR="..." line of user_dirs (the folder list's text, null when
// there is none), an absolute path or one starting with $HOME; else home/Pictures. False
// (out "") when none is absolute or the name does not fit.
bool pictures_dir_for(char *out, size_t size, const char *env, const char *user_dirs, const char *home);

// The pictures folder of this platform's user, as above; false when there is none.
bool platform_pictures_dir(char *out, size_t size);
