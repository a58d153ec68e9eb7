// Screenshots: the emulated picture at its own screen size (not the window's, nor the TV
// shape) as a PNG in the user's pictures folder (base/pictures_dir.h), in a folder named
// after the game's title as the user folder is, named by the date and time of the shot.
#pragma once

#include <stddef.h>
#include <time.h>

#include "core_api/frame_picture.h"

#define SCREENSHOT_MAX_TRIES 100   // names of one second tried before giving up

// The file name of a shot taken at when, the n-th of that second: "2026-12-07 18-02-05.png"
// for n 1, "2026-12-07 18-02-05 (2).png" for n 2 on.
void screenshot_name(char *out, size_t size, const struct tm &when, int n);

// Writes picture at its screen size (its raster sampled to the nearest pixel) as a PNG into
// folder (which ends in a separator) under the first name of when that is free: never over
// a file. path gets the file's name. False, with nothing left behind and the reason in *why
// (also logged), when it could not.
bool screenshot_write(const FramePicture &picture, const char *folder, const struct tm &when, char *path,
                      size_t size, const char **why);

// The screenshot control: the frame last rendered into the title's folder of the pictures
// folder, now; the notice "Screenshot saved" or "Cannot save screenshot: <reason>". False
// when nothing was saved.
bool screenshot_take(void);
