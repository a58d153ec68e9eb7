#include "video/screenshot.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/file_replace_platform.h"
#include "base/log.h"
#include "base/notice.h"
#include "base/paths.h"
#include "base/pictures_dir.h"
#include "base/platform.h"
#include "base/user_dir.h"
#include "config/gameinfo.h"
#include "gfx/png_write.h"
#include "video/frame_buffer.h"
#include "video/video_state.h"

void screenshot_name(char *out, size_t size, const struct tm &when, int n)
{
    char suffix[16] = "";
    if (n > 1)
        snprintf(suffix, sizeof suffix, " (%d)", n);
    snprintf(out, size, "%04d-%02d-%02d %02d-%02d-%02d%s.png", when.tm_year + 1900, when.tm_mon + 1,
             when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec, suffix);
}

// The picture at its screen size, bytes R, G, B: each pixel the raster's nearest.
static void sample_rgb(const FramePicture &p, uint8_t *rgb)
{
    for (int64_t y = 0; y < p.screen_h; y++) {
        const uint8_t *row = p.pixels + (size_t)(y * p.raster_h / p.screen_h) * (size_t)p.raster_w * 4;
        for (int64_t x = 0; x < p.screen_w; x++)
            memcpy(rgb + (size_t)(y * p.screen_w + x) * 3, row + (size_t)(x * p.raster_w / p.screen_w) * 4, 3);
    }
}

// Creates the first free name of when in folder; path gets it. Null and the open file, or
// the reason.
static const char *create_free(const char *folder, const struct tm &when, char *path, size_t size, FILE **file)
{
    for (int n = 1; n <= SCREENSHOT_MAX_TRIES; n++) {
        char name[64];
        screenshot_name(name, sizeof name, when, n);
        int length = snprintf(path, size, "%s%s", folder, name);
        if (length < 0 || (size_t)length >= size)
            return "the name does not fit";
        bool taken = false;
        const char *reason = replace_create(path, file, &taken);
        if (!reason || !taken)
            return reason;
    }
    return "every name of this second is taken";
}

bool screenshot_write(const FramePicture &picture, const char *folder, const struct tm &when, char *path,
                      size_t size, const char **why)
{
    *why = nullptr;
    if (!picture.pixels || picture.raster_w <= 0 || picture.raster_h <= 0 || picture.screen_w <= 0 ||
        picture.screen_h <= 0)
        *why = "no picture";
    uint8_t *rgb = *why ? nullptr : (uint8_t *)malloc((size_t)picture.screen_w * (size_t)picture.screen_h * 3);
    if (!*why && !rgb)
        *why = "out of memory";
    FILE *file = nullptr;
    if (!*why)
        *why = create_free(folder, when, path, size, &file);
    if (!*why) {
        sample_rgb(picture, rgb);
        bool written = png_write_rgb(file, path, rgb, picture.screen_w, picture.screen_h);
        const char *closed = replace_close_to_disk(file);
        if (!written || closed) {
            *why = closed ? closed : "the picture could not be written";
            replace_remove(path);
        }
    }
    free(rgb);
    if (*why)
        log_write("cannot save screenshot in %s: %s\n", folder, *why);
    return !*why;
}

// The title's folder of the pictures folder, created; false (logged) when there is none.
static bool screenshot_folder(char *out, size_t size)
{
    char pictures[PATH_BUFFER_SIZE];
    if (!platform_pictures_dir(pictures, sizeof pictures)) {
        log_write("cannot save screenshot: no pictures folder\n");
        return false;
    }
#if defined(_WIN32)
    const bool windows = true;
#else
    const bool windows = false;
#endif
    // The user folder's rule for a title's folder, given the pictures folder as its base.
    if (!user_dir_for(out, size, windows, pictures, pictures, nullptr, gameinfo.title)) {
        log_write("cannot save screenshot: no folder for the title in %s\n", pictures);
        return false;
    }
    // Either may exist already; a folder still missing shows when the file is created.
    platform_make_dir(pictures);
    char made[PATH_BUFFER_SIZE];
    snprintf(made, sizeof made, "%s", out);
    made[strlen(made) - 1] = '\0';   // without its trailing separator
    platform_make_dir(made);
    return true;
}

bool screenshot_take(void)
{
    const VideoState &v = video_state();
    const FramePicture picture = {v.pixels, v.raster_w, v.raster_h, v.screen_w, v.screen_h};
    const char *why = "no picture";
    char folder[PATH_BUFFER_SIZE];
    char path[PATH_BUFFER_SIZE];
    bool saved = false;
    if (!screenshot_folder(folder, sizeof folder)) {
        why = "no pictures folder";
    } else if (frame_buffer_fits(v.pixels_size, v.raster_w, v.raster_h)) {
        const time_t now = time(nullptr);
        const struct tm *local = localtime(&now);
        saved = local && screenshot_write(picture, folder, *local, path, sizeof path, &why);
    }
    char text[NOTICE_TEXT_SIZE];
    if (saved) {
        log_write("screenshot saved: %s\n", path);
        snprintf(text, sizeof text, "Screenshot saved");
    } else {
        snprintf(text, sizeof text, "Cannot save screenshot: %s", why);
    }
    notice_show(text);
    return saved;
}
