// The real frame's picture while run-ahead shows one ahead of it: previews and the resume
// file keep the game's real frame, so its picture is rendered into a buffer of its own right
// after that frame and stands for the frame buffer until the loop renders the game again.
#pragma once

#include "core_api/frame_picture.h"

// Renders the component's frame now into the kept buffer; false (nothing kept) when its
// raster size is not usable or the buffer cannot grow.
bool video_keep_frame_picture(void);
// The frame buffer is the game's picture again.
void video_forget_frame_picture(void);
// The kept picture at its preview size, while one is kept.
bool kept_frame_picture(FramePicture &picture);
// Frees the buffer.
void kept_picture_release(void);
