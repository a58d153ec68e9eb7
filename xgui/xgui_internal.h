// The toolkit's state and the layout pieces both drawing back ends share: for the files of
// xgui/ and the toolkit's tests only. Callers use xgui/xgui.h.
#pragma once

#include "xgui/xgui.h"

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

// Focused widget, or -1 until the first navigation input after a page opens. Set by the
// focus routines (xgui/focus.h) and by the pointer taking over a widget (xgui_update); cleared
// by opening the overlay, changing the page and xgui_reset.
extern int32_t xgui_focus;

// ---------------------------------------------------------------------------------------
// Layout. Both back ends draw the same quads from the routines below.
// ---------------------------------------------------------------------------------------

// Lays out one string from (x, y): out gets x, y, its width and the cell height, in overlay
// units. Given a renderer it also draws each glyph (SDL copies, or GL quads when gl is set,
// with the colour and alpha the caller has set). Returns out.
SDL_Rect *xgui_text(SDL_Rect *out, SDL_Renderer *renderer, int32_t window_w, int32_t window_h,
                    int32_t x, int32_t y, const char *text, bool gl);
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
// Overlay x of the "OK?" prompt beside an armed confirm widget whose text is width wide: right of
// a text in the overlay's left half, left of one in its right half.
int32_t xgui_prompt_x(const xgui_widget &w, int32_t width);
