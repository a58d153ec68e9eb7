#include "ui/slot_time.h"

#include <stdint.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>

#include "base/log.h"
#include "base/paths.h"
#include "slots/slots.h"
#include "ui/page_widgets.h"
#include "xgui/xgui.h"

static const char *const MONTH_NAMES[12] = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec",
};

// Days since 1 March of year 0 of the proleptic Gregorian calendar: consecutive days give
// consecutive numbers across months and years.
static int64_t day_number(const struct tm &t)
{
    int64_t y = (int64_t)t.tm_year + 1900;
    int64_t m = t.tm_mon + 1;
    if (m <= 2) {
        y -= 1;
        m += 12;
    }
    return 365 * y + y / 4 - y / 100 + y / 400 + (153 * (m - 3) + 2) / 5 + t.tm_mday;
}

void slot_time_text(char *out, size_t size, const struct tm &saved, const struct tm &now)
{
    const int64_t days_ago = day_number(now) - day_number(saved);
    if (days_ago == 0 || days_ago == 1)
        snprintf(out, size, "%s %02d:%02d", days_ago == 0 ? "Today" : "Yesterday", saved.tm_hour, saved.tm_min);
    else
        snprintf(out, size, "%d %s %d", saved.tm_mday, MONTH_NAMES[(saved.tm_mon % 12 + 12) % 12],
                 saved.tm_year + 1900);
}

// The slot's text now: its state file's time, or "Empty".
static void slot_time_now(int slot, char *out, size_t size)
{
    char path[PATH_BUFFER_SIZE];
    struct stat info;
    const time_t now = time(nullptr);
    struct tm saved_tm, now_tm;
    const struct tm *local = nullptr;
    snprintf(out, size, "Empty");
    if (!slots_stored(slot) || !slots_path(path, sizeof path, slot, 'S') || stat(path, &info) != 0)
        return;
    local = localtime(&info.st_mtime);
    if (!local)
        return;
    saved_tm = *local;
    local = localtime(&now);
    if (!local)
        return;
    now_tm = *local;
    slot_time_text(out, size, saved_tm, now_tm);
}

void slot_times_refresh(void)
{
    static char shown[SLOTS_COUNT][SLOT_TIME_TEXT_SIZE];   // the texts last set, to log changes
    for (int n = 0; n < SLOTS_COUNT; n++) {
        char text[SLOT_TIME_TEXT_SIZE];
        slot_time_now(n, text, sizeof text);
        if (strcmp(text, shown[n]) != 0)
            log_write("slot %d: %s\n", n + 1, text);
        memcpy(shown[n], text, sizeof text);
        xgui_set_text(menu_widgets.slot_time[n], text);
    }
}
