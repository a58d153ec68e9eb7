// Preview pictures of the save slots: a frame written as a 24-bit BMP at screen size.
#pragma once

#include <stdio.h>

#include "record/frame_picture.h"

// Writes picture to out as a 24-bit BMP of its screen size, its raster stretched by
// nearest-pixel sampling. False (reason logged) when the picture could not be made or
// written; out stays open either way.
bool preview_write(const FramePicture &picture, FILE *out);
