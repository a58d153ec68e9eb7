// Preview pictures of the save slots: a frame written as a 24-bit BMP at screen size.
#pragma once

#include <stdint.h>
#include <stdio.h>

#include "core_api/frame_picture.h"

// Writes picture to out as a 24-bit BMP of its screen size, its raster stretched by
// nearest-pixel sampling. False (reason logged) when the picture could not be made or
// written; out stays open either way.
bool preview_write(const FramePicture &picture, FILE *out);

// The mark a preview carries of its state (a fingerprint of the state's bytes), appended
// after the picture, where picture readers never look: a tag and 8 bytes, least significant
// first. False when it could not be written.
bool preview_mark_write(FILE *out, uint64_t mark);
// The mark at the end of the preview file at path; false when it has none (a preview saved
// before marks) or cannot be read.
bool preview_mark_read(const char *path, uint64_t *mark);
