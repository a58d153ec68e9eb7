// Continuing where the player left off: on quitting, the game is saved into a resume file
// of its own (res/resumeS, its preview res/resumeP, beside the slots, which it never
// touches); on the next start, once the splash is over, the game continues from it.
#pragma once

#include "base/platform.h"
#include "core_api/frame_picture.h"

#define RESUME_STATE_FILE RES_DIR "resumeS"
#define RESUME_PREVIEW_FILE RES_DIR "resumeP"

// At start-up: notes whether a resume file waits.
void resume_prepare(void);
// Called on each pass that runs the game: the first time, continues from the waiting file
// (notice "Continued — Reset starts over"); a file the component refuses or that is not a
// usable state file starts the game anew, with a notice that gives the reason.
void resume_continue(void);
// On quitting: saves the game and the preview of picture (the frame on screen) into the
// resume file, unless a waiting file was never continued from (a quit during the splash
// keeps it).
void resume_save(const FramePicture *picture);
