// The overlay toolkit: one fixed table of widgets laid out in a 1920 x 1080 overlay space,
// drawn with a bitmap font over a background picture, faded in and out, and driven by the
// pointer and by a focus that keys and pads move (xgui/focus.h). Everything here runs on the
// main thread; the state is global.
#pragma once

#include <stdint.h>

#include <SDL.h>

#define XGUI_MAX_WIDGETS 256
#define XGUI_TEXT_SIZE 256      // text field bytes: at most 255 characters and the NUL
#define XGUI_GLYPHS 128         // font codes 0..127
#define XGUI_FONT_COLUMNS 16
#define XGUI_FONT_ROWS 8
#define XGUI_CHECK_GLYPH 5      // drawn left of a selected toggle
#define XGUI_SPACE_GLYPH 32
#define XGUI_SUBSTITUTE_GLYPH '?'   // drawn for text bytes 128..255, which the font lacks
#define XGUI_INK_ALPHA 248      // a font pixel of this alpha or more counts as ink
#define XGUI_FADE_STEP 8        // alpha change per update: a whole fade takes 32 updates
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

// Activation states.
#define XGUI_IDLE 0
#define XGUI_ACTIVATED 1  // clicked, not yet taken
#define XGUI_TAKEN 2      // taken by the caller; back to idle at the next update without a click

struct xgui_widget {
    int32_t type;
    int32_t align;
    int32_t x;              // overlay x: an end of the text, or a picture's centre
    int32_t y;              // overlay y: top of the text line, or a picture's centre
    uint8_t hover;          // pointer over the widget at the last update that hit-tested it
    int32_t state;          // XGUI_IDLE, XGUI_ACTIVATED or XGUI_TAKEN
    uint8_t selected;       // check mark of a toggle; callers also use it as a selection flag
    uint8_t visible;        // drawn and hit-tested only when set
    char text[XGUI_TEXT_SIZE];
    SDL_Texture *texture;   // picture widget's texture, owned by the widget; may be null
    int32_t w, h;           // picture size in overlay units (its pixel size)
    int32_t page;           // page number; -1: every page
};

// The font: 16 x 8 cells, the glyph of code c in row c / 16, column c % 16.
struct XguiFont {
    SDL_Texture *texture;
    int32_t tex_w, tex_h;             // texture size in pixels
    int32_t cell_w, cell_h;           // glyph cell in pixels, which are overlay units
    int32_t advance[XGUI_GLYPHS];     // pen step after each glyph, overlay units
    uint8_t blank[XGUI_GLYPHS];       // the cell has no pixel of any alpha: copying it is a no-op
};

// Toolkit state. The table and the counters are changed only by the xgui_ routines; the
// drawing back ends read them.
extern xgui_widget xgui_widgets[XGUI_MAX_WIDGETS];  // in use: 0 .. xgui_count - 1
extern int32_t xgui_count;     // widgets in use, 0..256
extern int32_t xgui_page;      // current page, set by xgui_set_page and by opening
extern bool xgui_open;         // the menu is shown; set by xgui_set_open
extern int32_t xgui_alpha;     // fade level 0..255, moved by xgui_update; alpha of all drawing
extern int32_t xgui_confirm;   // index of the "OK?" prompt (0 after every reset)
extern int32_t xgui_pending;   // XGUI_CONFIRM widget waiting for its "OK?", or -1
extern XguiFont xgui_font;     // loaded and measured by xgui_init
extern SDL_Texture *xgui_overlay;  // background picture, loaded by xgui_init

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
void xgui_set_page(int32_t page);
// Replaces the widget's picture with the BMP file at path, of at most
// PICTURE_PREVIEW_MAX_SIDE a side; any failure leaves it without one (w and h then keep
// their values).
void xgui_set_picture(int32_t index, SDL_Renderer *renderer, const char *path);

// ---------------------------------------------------------------------------------------
// Layout and drawing. Both back ends draw the same quads from the routines below.
// ---------------------------------------------------------------------------------------

// Lays out one string from (x, y): out gets x, y, its width and the cell height, in overlay
// units. Given a renderer it also draws each glyph (SDL copies, or GL quads when gl is set,
// with the colour and alpha the caller has set). Returns out.
SDL_Rect *xgui_text(SDL_Rect *out, SDL_Renderer *renderer, int32_t window_w, int32_t window_h,
                    int32_t x, int32_t y, const char *text, bool gl);
// Draws the overlay through the SDL renderer; nothing at all while alpha is 0.
void xgui_draw(SDL_Renderer *renderer, int32_t window_w, int32_t window_h);
// Draws the same overlay with OpenGL quads in the renderer's context (blending off and the
// colour white afterwards).
void xgui_draw_gl(SDL_Renderer *renderer, int32_t window_w, int32_t window_h);

// The largest 16:9 area as high as the window, centred across it (integer arithmetic); in a
// window too narrow to show the overlay's middle 1300 units whole, narrower so that it does.
struct XguiMapping {
    int32_t sw;    // its width in pixels
    int32_t off;   // its left edge; negative when the window is narrower than 16:9
    int32_t wh;    // window height
};
XguiMapping xgui_mapping(int32_t window_w, int32_t window_h);
// Window rectangle of the overlay rectangle (x, y, w, h).
SDL_Rect xgui_map_rect(const XguiMapping &map, int32_t x, int32_t y, int32_t w, int32_t h);
// Pointer pixel to overlay space (the mapping inverted); false for an empty window.
bool xgui_unmap_point(int32_t window_w, int32_t window_h, int32_t px, int32_t py,
                      int32_t *ox, int32_t *oy);
// Font code drawn for a text byte: the byte itself for 0..127, the substitute otherwise.
static inline uint8_t xgui_glyph(char c)
{
    unsigned char u = (unsigned char)c;
    return u < XGUI_GLYPHS ? u : (uint8_t)XGUI_SUBSTITUTE_GLYPH;
}
// Font texture cell of a glyph.
SDL_Rect xgui_glyph_src(uint8_t glyph);
// Drawn this frame: a known type, on the current page (or every page), visible.
bool xgui_drawn(const xgui_widget &w);
// Overlay x where a text widget's pen starts (x, or x - width when right-aligned).
int32_t xgui_text_start(const xgui_widget &w);
// Overlay x of a selected toggle's check glyph, for a text starting at start.
int32_t xgui_check_x(int32_t start);
// Window rectangle of a picture widget.
SDL_Rect xgui_picture_rect(const XguiMapping &map, const xgui_widget &w);
// Text colour: yellow while hovered, white otherwise.
SDL_Color xgui_text_color(const xgui_widget &w);
