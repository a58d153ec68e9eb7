#include "host/slot_notice.h"

#include <stdio.h>
#include <unistd.h>

#include "base/log.h"
#include "base/paths.h"
#include "host/state.h"
#include "xgui/notice.h"

std::string slot_failure_reason(const std::string &lines)
{
    std::string reason;
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find('\n', start);
        if (end == std::string::npos)
            end = lines.size();
        std::string line = lines.substr(start, end - start);
        size_t colon = line.rfind(": ");
        if (colon != std::string::npos)
            reason = line.substr(colon + 2);
        start = end + 1;
    }
    return reason;
}

bool slot_op_noticed(int slot, bool save)
{
    if (slot < 0 || slot >= STATE_SLOTS)
        return state_slot_op(slot, save);
    char path[PATH_BUFFER_SIZE];
    bool empty = !save && state_slot_path(path, sizeof path, slot, 'S') && access(path, F_OK) != 0;
    // The operation's log lines are taken aside, so the notice can name the reason they give.
    std::string lines;
    log_defer(&lines);
    bool ok = state_slot_op(slot, save);
    log_defer(nullptr);
    if (!lines.empty())
        log_write("%s", lines.c_str());
    std::string reason = slot_failure_reason(lines);
    char text[NOTICE_TEXT_SIZE];
    if (ok)
        snprintf(text, sizeof text, save ? "Saved to slot %d" : "Loaded slot %d", slot + 1);
    else if (empty)
        snprintf(text, sizeof text, "Slot %d is empty", slot + 1);
    else
        snprintf(text, sizeof text, "Cannot %s slot %d: %s", save ? "save" : "load", slot + 1,
                 reason.empty() ? "unknown error" : reason.c_str());
    notice_show(text);
    return ok;
}
