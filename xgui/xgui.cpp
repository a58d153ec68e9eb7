// The overlay toolkit's table, loading, and per-frame update.
#include "xgui/xgui_internal.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "base/paths.h"
#include "gfx/picture.h"
#include "xgui/focus.h"


xgui_widget xgui_widgets[XGUI_MAX_WIDGETS];
int32_t xgui_count;
int32_t xgui_page;
bool xgui_open;
int32_t xgui_alpha;
int32_t xgui_confirm;
int32_t xgui_pending = -1;
XguiFont xgui_font;
SDL_Texture *xgui_overlay;

// Set during one update, read by the queries until the next.
static bool hover_started;
static bool activated;
static bool pressed_by_focus;
// The widget the pointer was over at the last update: only entering another one takes the
// focus there, so a pointer resting on a widget never pulls the focus back.
static int32_t pointer_over = -1;

static bool in_table(int32_t index)
{
    return index >= 0 && index < XGUI_MAX_WIDGETS;
}

// Copies text into a widget's field, cut at 255 characters.
static void copy_text(char *field, const char *text)
{
    if (!text)
        text = "";
    size_t n = strnlen(text, XGUI_TEXT_SIZE - 1);
    memcpy(field, text, n);
    field[n] = '\0';
}

// ---------------------------------------------------------------------------------------
// Loading
// ---------------------------------------------------------------------------------------

// Static ABGR8888 texture (bytes R, G, B, A) of an R, G, B, A surface, filtered linearly.
static SDL_Texture *texture_from_surface(SDL_Renderer *renderer, SDL_Surface *surface)
{
    SDL_Texture *texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888,
                                             SDL_TEXTUREACCESS_STATIC, surface->w, surface->h);
    if (texture && SDL_UpdateTexture(texture, nullptr, surface->pixels, surface->pitch) != 0) {
        SDL_DestroyTexture(texture);
        texture = nullptr;
    }
    // The overlay and the font are drawn at any window size: filtered linearly.
    if (texture)
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeLinear);
    return texture;
}

// Advance widths from the font's pixels: one glyph's width is its last column holding a
// pixel of ink alpha, plus a seventh of a cell as spacing. The surface's bytes are R, G, B, A.
static void measure_glyphs(SDL_Surface *surface)
{
    int32_t cw = xgui_font.cell_w, ch = xgui_font.cell_h;
    const uint8_t *pixels = (const uint8_t *)surface->pixels;
    for (int32_t c = 0; c < XGUI_GLYPHS; c++) {
        int32_t left = (c % XGUI_FONT_COLUMNS) * cw;
        int32_t top = (c / XGUI_FONT_COLUMNS) * ch;
        int32_t last_inked = 0;
        bool any_alpha = false;
        for (int32_t y = 0; y < ch; y++) {
            const uint8_t *row = pixels + (size_t)(top + y) * surface->pitch + (size_t)left * 4;
            for (int32_t x = 0; x < cw; x++) {
                uint8_t alpha = row[x * 4 + 3];
                if (alpha)
                    any_alpha = true;
                if (alpha >= XGUI_INK_ALPHA && x > last_inked)
                    last_inked = x;
            }
        }
        xgui_font.advance[c] = cw / 7 + last_inked;
        xgui_font.blank[c] = !any_alpha;
    }
    xgui_font.advance[XGUI_SPACE_GLYPH] = cw / 2;
}

// Reads the font once: the texture and the measuring share the decoded pixels.
static bool load_font(const char *path, SDL_Renderer *renderer)
{
    SDL_Surface *surface = load_png_surface(path);
    if (!surface)
        return false;
    SDL_Texture *texture = texture_from_surface(renderer, surface);
    if (!texture) {
        SDL_FreeSurface(surface);
        return false;
    }
    xgui_font.texture = texture;
    xgui_font.tex_w = surface->w;
    xgui_font.tex_h = surface->h;
    xgui_font.cell_w = surface->w / XGUI_FONT_COLUMNS;
    xgui_font.cell_h = surface->h / XGUI_FONT_ROWS;
    SDL_LockSurface(surface);
    measure_glyphs(surface);
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    return true;
}

bool xgui_init(const char *dir, SDL_Renderer *renderer)
{
    xgui_open = false;
    xgui_alpha = 0;
    xgui_page = 0;
    xgui_free();
    if (!dir || !renderer)
        return false;

    char path[PATH_BUFFER_SIZE];
    int n = snprintf(path, sizeof path, "%s" XGUI_OVERLAY_FILE, dir);
    if (n < 0 || n >= (int)sizeof path)
        return false;
    SDL_Surface *surface = load_png_surface(path);
    if (!surface)
        return false;
    xgui_overlay = texture_from_surface(renderer, surface);
    SDL_FreeSurface(surface);
    if (!xgui_overlay)
        return false;

    n = snprintf(path, sizeof path, "%s" XGUI_FONT_FILE, dir);
    if (n < 0 || n >= (int)sizeof path || !load_font(path, renderer)) {
        xgui_free();
        return false;
    }
    return true;
}

void xgui_free(void)
{
    if (xgui_overlay)
        SDL_DestroyTexture(xgui_overlay);
    if (xgui_font.texture)
        SDL_DestroyTexture(xgui_font.texture);
    xgui_overlay = nullptr;
    xgui_font = XguiFont{};
}

// ---------------------------------------------------------------------------------------
// Table
// ---------------------------------------------------------------------------------------

void xgui_reset(void)
{
    memset(xgui_widgets, 0, sizeof xgui_widgets);
    xgui_widget &prompt = xgui_widgets[0];
    prompt.type = XGUI_BUTTON;
    prompt.page = -1;
    copy_text(prompt.text, "OK?");
    xgui_count = 1;
    xgui_confirm = 0;
    xgui_pending = -1;
    xgui_focus = -1;
}

int32_t xgui_add(int32_t type, int32_t page, int32_t x, int32_t y, const char *text,
                 int32_t align)
{
    if (xgui_count < 0 || xgui_count >= XGUI_MAX_WIDGETS)
        return -1;
    int32_t index = xgui_count;
    xgui_widget &w = xgui_widgets[index];
    memset(&w, 0, sizeof w);
    w.type = type;
    w.page = page;
    w.x = x;
    w.y = y;
    w.align = align;
    w.visible = 1;
    if (type != XGUI_PICTURE)
        copy_text(w.text, text);
    xgui_count++;
    return index;
}

// ---------------------------------------------------------------------------------------
// Update
// ---------------------------------------------------------------------------------------

static bool takes_part(const xgui_widget &w)
{
    return (w.type == XGUI_BUTTON || w.type == XGUI_CONFIRM || w.type == XGUI_TOGGLE) &&
           (w.page == -1 || w.page == xgui_page) && w.visible;
}

int32_t xgui_prompt_x(const xgui_widget &w, int32_t width)
{
    int64_t padded = (int64_t)width + xgui_font.cell_w / 2;
    int64_t x = w.x < XGUI_OVERLAY_W / 2 ? w.x + padded + xgui_font.cell_w / 2 : w.x - 100;
    if (w.align == XGUI_ALIGN_RIGHT)
        x -= padded;
    return (int32_t)SDL_clamp(x, INT32_MIN, INT32_MAX);
}

// Shows the prompt beside an armed confirm widget of text width width.
static void place_prompt(const xgui_widget &w, int32_t width)
{
    xgui_widget &prompt = xgui_widgets[xgui_confirm];
    prompt.x = xgui_prompt_x(w, width);
    prompt.y = w.y;
    prompt.visible = 1;
}

// How near the pointer is to a widget's text: over its text line first, then the vertical,
// then the horizontal distance to the text's centre (doubled, so the centre stays whole).
struct Nearness {
    bool on_line;
    int64_t dy, dx;
};

static bool nearer(const Nearness &a, const Nearness &b)
{
    if (a.on_line != b.on_line)
        return a.on_line;
    if (a.dy != b.dy)
        return a.dy < b.dy;
    return a.dx < b.dx;
}

// The one widget the pointer is over, or -1; its text width goes to *hit_width. A hit box
// reaches past its text so the gaps between items stay clickable, which makes the boxes of
// stacked items overlap; there the nearest text wins, and on a full tie the first in the
// table.
static int32_t hit_widget(int32_t count, int32_t px, int32_t py, int32_t *hit_width)
{
    const int32_t cw = xgui_font.cell_w, ch = xgui_font.cell_h;
    int32_t best = -1;
    Nearness best_nearness = {};
    for (int32_t i = 0; i < count; i++) {
        const xgui_widget &w = xgui_widgets[i];
        if (!takes_part(w))
            continue;
        SDL_Rect extent;
        int32_t width = xgui_text(&extent, nullptr, 0, 0, 0, 0, w.text, false)->w;
        int64_t left = w.align == XGUI_ALIGN_RIGHT ? (int64_t)w.x - width : w.x;
        int64_t box_left = left - cw / 4;
        int64_t box_top = (int64_t)w.y - ch / 8;
        bool inside = box_left <= px && px < box_left + width + cw / 2 && box_top <= py &&
                      py < box_top + ch + ch / 4;
        if (!inside)
            continue;
        Nearness n;
        n.on_line = w.y <= py && py < (int64_t)w.y + ch;
        n.dy = llabs(2 * (int64_t)py - (2 * (int64_t)w.y + ch));
        n.dx = llabs(2 * (int64_t)px - (2 * left + width));
        if (best < 0 || nearer(n, best_nearness)) {
            best = i;
            best_nearness = n;
            *hit_width = width;
        }
    }
    return best;
}

void xgui_update(int32_t px, int32_t py, int32_t click)
{
    hover_started = false;
    activated = false;
    xgui_alpha = xgui_open ? SDL_min(xgui_alpha + XGUI_FADE_STEP, 255)
                           : SDL_max(xgui_alpha - XGUI_FADE_STEP, 0);

    bool clicked = click & 1;
    int32_t count = SDL_clamp(xgui_count, 0, XGUI_MAX_WIDGETS);
    int32_t hit_width = 0;
    int32_t hit = hit_widget(count, px, py, &hit_width);

    // Once shown, the focus is the one highlight: the pointer moves it by entering a widget
    // or clicking one. A press of the focus acts on it as a click there; on an armed confirm
    // button it is the second activation, which answers the "OK?".
    int32_t lit = hit, pressed = hit, pressed_width = hit_width;
    int32_t focus_press = xgui_focus_take_press();
    if (xgui_focus >= 0 && hit >= 0 && (hit != pointer_over || clicked))
        xgui_focus = hit;
    pointer_over = hit;
    pressed_by_focus = false;
    if (xgui_focus >= 0) {
        lit = xgui_focus;
        if (!clicked && in_table(focus_press) && takes_part(xgui_widgets[focus_press])) {
            clicked = true;
            pressed_by_focus = true;
            pressed = focus_press == xgui_pending ? xgui_confirm : focus_press;
            SDL_Rect extent;
            const char *text = xgui_widgets[pressed].text;
            pressed_width = xgui_text(&extent, nullptr, 0, 0, 0, 0, text, false)->w;
        }
    }
    for (int32_t i = 0; i < count; i++) {
        xgui_widget &w = xgui_widgets[i];
        if (!takes_part(w))
            continue;
        uint8_t old_hover = w.hover;
        w.hover = 0;
        if (!clicked)
            w.state = XGUI_IDLE;
        if (i == lit) {
            w.hover = 1;
            if (!old_hover)
                hover_started = true;
        }
        if (i != pressed || !clicked)
            continue;
        if (i == xgui_confirm) {
            if (in_table(xgui_pending) && xgui_widgets[xgui_pending].state == XGUI_IDLE) {
                xgui_widgets[xgui_pending].state = XGUI_ACTIVATED;
                activated = true;
                xgui_pending = -1;
            }
        } else if (w.type == XGUI_CONFIRM) {
            if (xgui_pending != i) {
                xgui_pending = i;
                activated = true;
            }
            place_prompt(w, pressed_width);
            clicked = false;
        } else if (w.state == XGUI_IDLE) {
            w.state = XGUI_ACTIVATED;
            activated = true;
        }
    }
    // A click that armed nothing ends any pending confirmation, and a completed one too.
    if (clicked) {
        if (in_table(xgui_confirm))
            xgui_widgets[xgui_confirm].visible = 0;
        xgui_pending = -1;
    }
}

// ---------------------------------------------------------------------------------------
// Queries and setters
// ---------------------------------------------------------------------------------------

bool xgui_take(int32_t index)
{
    if (!in_table(index) || xgui_widgets[index].state != XGUI_ACTIVATED)
        return false;
    xgui_widgets[index].state = XGUI_TAKEN;
    return true;
}

bool xgui_hover_started(void)
{
    return hover_started;
}

bool xgui_activated(void)
{
    return activated;
}

bool xgui_pressed_by_focus(void)
{
    return pressed_by_focus;
}

bool xgui_is_open(void)
{
    return xgui_open;
}

void xgui_set_open(bool open)
{
    xgui_open = open;
    if (open) {
        xgui_page = 0;
        xgui_pending = -1;
        xgui_focus = -1;
    }
    if (in_table(xgui_confirm))
        xgui_widgets[xgui_confirm].visible = 0;
}

uint8_t xgui_is_selected(int32_t index)
{
    return in_table(index) ? xgui_widgets[index].selected : 0;
}

void xgui_set_selected(int32_t index, uint8_t selected)
{
    if (in_table(index))
        xgui_widgets[index].selected = selected;
}

void xgui_set_visible(int32_t index, uint8_t visible)
{
    if (in_table(index))
        xgui_widgets[index].visible = visible;
}

void xgui_set_y(int32_t index, int32_t y)
{
    if (in_table(index))
        xgui_widgets[index].y = y;
}

void xgui_set_text(int32_t index, const char *text)
{
    if (in_table(index))
        copy_text(xgui_widgets[index].text, text);
}

int32_t xgui_current_page(void)
{
    return xgui_page;
}

void xgui_set_page(int32_t page)
{
    xgui_page = page;
    xgui_focus = -1;
}

void xgui_set_picture(int32_t index, SDL_Renderer *renderer, const char *path)
{
    if (!in_table(index))
        return;
    xgui_widget &w = xgui_widgets[index];
    if (w.texture)
        SDL_DestroyTexture(w.texture);
    w.texture = nullptr;
    if (!renderer || !path)
        return;
    w.texture = load_preview_texture(path, renderer);
    if (!w.texture)
        return;
    SDL_SetTextureBlendMode(w.texture, SDL_BLENDMODE_BLEND);
    int tw = 0, th = 0;
    SDL_QueryTexture(w.texture, nullptr, nullptr, &tw, &th);
    w.w = tw;
    w.h = th;
}
