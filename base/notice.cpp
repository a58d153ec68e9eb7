#include "base/notice.h"

#include <stdio.h>
#include <string.h>

#include <SDL.h>

#include "base/log.h"

static char notice[NOTICE_TEXT_SIZE];
static uint64_t shown_at;
static bool held;

int32_t notice_alpha(uint64_t age_ms)
{
    if (age_ms <= NOTICE_SHOW_MS)
        return 255;
    uint64_t fading = age_ms - NOTICE_SHOW_MS;
    if (fading >= NOTICE_FADE_MS)
        return 0;
    return (int32_t)(255 - fading * 255 / NOTICE_FADE_MS);
}

void notice_glyph_text(const char *text, char *out, size_t size)
{
    static const char DASH[] = "\xE2\x80\x94";
    size_t n = 0;
    for (const char *p = text ? text : ""; *p && n + 1 < size;) {
        if (strncmp(p, DASH, 3) == 0) {
            out[n++] = '-';
            p += 3;
        } else {
            out[n++] = *p++;
        }
    }
    if (size > 0)
        out[n] = '\0';
}

void notice_show(const char *text)
{
    snprintf(notice, sizeof notice, "%s", text ? text : "");
    shown_at = SDL_GetTicks64();
    held = false;
    log_write("notice: %s\n", notice);
}

void notice_hold(const char *text, bool hold)
{
    bool same = strcmp(notice, text) == 0;
    if (!hold) {
        // The fade starts now, not after a full showing: the reason for it has gone.
        uint64_t now = SDL_GetTicks64();
        if (held && same)
            shown_at = now > NOTICE_SHOW_MS ? now - NOTICE_SHOW_MS : 0;
        if (same)
            held = false;
        return;
    }
    if ((held && same) || (!held && !same && notice_current_alpha() > 0))
        return;
    if (!same || notice_current_alpha() == 0)
        notice_show(text);
    held = true;
}

int32_t notice_current_alpha(void)
{
    if (!notice[0])
        return 0;
    return held ? 255 : notice_alpha(SDL_GetTicks64() - shown_at);
}

const char *notice_text(void)
{
    return notice_current_alpha() > 0 ? notice : "";
}
