// The overlay toolkit: one fixed table of widgets laid out in a 1920 x 1080 overlay space,
// drawn with a bitmap font over a background picture, faded in and out, and driven by the
// pointer and by a focus that keys and pads move (xgui/focus.h). Everything here runs on the
// main thread. This is what the toolkit's callers use; its state and the drawing pieces its
// back ends share are in xgui/xgui_internal.h, for the toolkit and its tests.
#pragma once

#include <stdint.h>

#include <SDL.h>

#define XGUI_OVERLAY_W 1920
#define XGUI_OVERLAY_H 1080

// Widget types.
#define XGUI_NONE 0       // never drawn or hit
#define XGUI_LABEL 1      // text, not hit-tested
#define XGUI_BUTTON 2     // text, activated by a click
#define XGUI_CONFIRM 3    // text, armed by a click, activated by a click on "OK?"
#define XGUI_TOGGLE 4     // text with the check glyph while selected, activated by a click
#define XGUI_PICTURE 5    // texture centred on (x, y)

#define XGUI_ALIGN_RIGHT 1  // x is the right end of the text; any other value: the left end
#define XGUI_ALIGN_CENTRE 2 // labels only: x is the middle of the text

// ---------------------------------------------------------------------------------------
// Life cycle. Call xgui_init once the renderer exists, then xgui_reset and xgui_add for
// every widget; once per frame xgui_update, the caller's xgui_take polls, one draw call.
// ---------------------------------------------------------------------------------------

// The toolkit's two pictures, below the folder xgui_init is given.
#define XGUI_OVERLAY_FILE "res/overlay"
#define XGUI_FONT_FILE "res/font"

// Loads dir + "res/overlay" and dir + "res/font" (dir ends in a separator) and measures the
// glyphs. False, with nothing left allocated, when either cannot be read or made a texture
// or a name does not fit 1024 bytes. Leaves the overlay closed, alpha 0, page 0.
bool xgui_init(const char *dir, SDL_Renderer *renderer);
// Empties the table and creates the hidden "OK?" prompt as widget 0.
void xgui_reset(void);
// New widget; its index, or -1 when the table is full. Text (null reads as "") is cut at
// 255 characters; pictures keep none.
int32_t xgui_add(int32_t type, int32_t page, int32_t x, int32_t y, const char *text,
                 int32_t align);
// Destroys the overlay and font textures. Picture textures are left to the renderer.
void xgui_free(void);

// One frame: fade, hover, hit-testing, activations and confirmation. Pointer in overlay
// space; bit 0 of click is a left press since the last update. A press the focus asked for
// acts as a click on its widget; once shown, the focus is the widget lit as hovered.
void xgui_update(int32_t px, int32_t py, int32_t click);

// ---------------------------------------------------------------------------------------
// Queries and setters. Every per-widget routine ignores an index outside the table.
// ---------------------------------------------------------------------------------------

// True once per activation (state 1 becomes 2).
bool xgui_take(int32_t index);
// The pointer entered a widget during the last update.
bool xgui_hover_started(void);
// A widget was activated or armed, or a confirmation completed, during the last update.
bool xgui_activated(void);
bool xgui_is_open(void);
// Opening shows page 0. Opening or closing hides the prompt; opening also drops a pending
// confirmation, so a click made while the menu was hidden never greets it with "OK?".
void xgui_set_open(bool open);
uint8_t xgui_is_selected(int32_t index);  // 0 outside the table
void xgui_set_selected(int32_t index, uint8_t selected);
void xgui_set_visible(int32_t index, uint8_t visible);
void xgui_set_text(int32_t index, const char *text);
// Moves a widget to another row of the virtual screen (its x stays).
void xgui_set_y(int32_t index, int32_t y);
void xgui_set_page(int32_t page);
// Replaces the widget's picture with the BMP file at path, of at most
// PICTURE_PREVIEW_MAX_SIDE a side; any failure leaves it without one (w and h then keep
// their values).
void xgui_set_picture(int32_t index, SDL_Renderer *renderer, const char *path);

// Width in overlay units of text as the font draws it.
int32_t xgui_text_width(const char *text);
// The page shown (or shown on opening).
int32_t xgui_current_page(void);

// ---------------------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------------------

// Draws the overlay through the SDL renderer; nothing at all while alpha is 0.
void xgui_draw(SDL_Renderer *renderer, int32_t window_w, int32_t window_h);
// Draws the same overlay with OpenGL quads in the renderer's context (blending off and the
// colour white afterwards).
void xgui_draw_gl(SDL_Renderer *renderer, int32_t window_w, int32_t window_h);

// Pointer pixel to overlay space (the mapping inverted); false for an empty window.
bool xgui_unmap_point(int32_t window_w, int32_t window_h, int32_t px, int32_t py,
                      int32_t *ox, int32_t *oy);
