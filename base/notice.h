// On-screen notices: one short line over the game (a save, a load, a pad, a pause), shown at
// full strength for NOTICE_SHOW_MS, then fading out over NOTICE_FADE_MS. Any layer may show
// one; the overlay draws it (xgui/notice_draw.h) only when a frame is presented, over everything
// else, so the preview pictures, made from the component's frame buffer, never hold it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#define NOTICE_SHOW_MS 1500
#define NOTICE_FADE_MS 500
#define NOTICE_TEXT_SIZE 160

// Alpha (0..255) of a notice shown age_ms ago: 255 until NOTICE_SHOW_MS, then falling
// evenly to 0 at NOTICE_SHOW_MS + NOTICE_FADE_MS.
int32_t notice_alpha(uint64_t age_ms);

// The drawn form of a UTF-8 text: the dash "—" the font lacks becomes '-'; other bytes stay.
// Always NUL-terminated (size > 0).
void notice_glyph_text(const char *text, char *out, size_t size);

// Shows text from now on (replacing any notice) and logs "notice: <text>".
void notice_show(const char *text);
// held true: text stays at full strength until a call with held false, which starts its
// fade. A notice of another text that is still showing is left to finish first.
void notice_hold(const char *text, bool held);

// The line shown now ("" once faded out) and its alpha; what the drawing routines draw.
const char *notice_text(void);
int32_t notice_current_alpha(void);
