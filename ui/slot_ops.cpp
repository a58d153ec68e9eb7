#include "ui/slot_ops.h"

#include <stdio.h>
#include <unistd.h>

#include "base/notice.h"
#include "base/paths.h"
#include "slots/slots.h"
#include "ui/pages.h"
#include "video/video.h"

bool slot_op_noticed(int slot, bool save)
{
    if (slot < 0 || slot >= SLOTS_COUNT)
        return false;
    char path[PATH_BUFFER_SIZE];
    bool empty = !save && slots_path(path, sizeof path, slot, 'S') && access(path, F_OK) != 0;
    FramePicture picture;
    const bool shown = save && video_frame_picture(picture);
    const char *why = nullptr;
    bool ok = slots_op(slot, save, shown ? &picture : nullptr, &why);
    char text[NOTICE_TEXT_SIZE];
    if (ok && !empty)
        snprintf(text, sizeof text, save ? "Saved to slot %d" : "Loaded slot %d", slot + 1);
    else if (empty)
        snprintf(text, sizeof text, "Slot %d is empty", slot + 1);
    else
        snprintf(text, sizeof text, "Cannot %s slot %d: %s", save ? "save" : "load", slot + 1,
                 why ? why : "unknown error");
    notice_show(text);
    if (save)
        slot_rows_refresh();
    return ok;
}
