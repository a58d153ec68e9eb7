// Geometry shared by the drawing back ends: the overlay-to-window mapping, string layout,
// and where glyphs, check marks and pictures go. Every division truncates, as both back ends
// must land on the same pixels.
#include "gfx/gl_quad.h"
#include "xgui/xgui_internal.h"

#include <SDL_opengl.h>

static int32_t clamp32(int64_t v)
{
    return (int32_t)SDL_clamp(v, (int64_t)INT32_MIN, (int64_t)INT32_MAX);
}

// The overlay's middle width that every window shows whole (the menu's panel and its shadow):
// a window narrower than 16:9 cuts the overlay's sides only down to it, and is narrowed
// across beyond that, so Window 2x to 4x (8:7) keep the panel's side borders.
#define XGUI_KEEP_W 1300

XguiMapping xgui_mapping(int32_t window_w, int32_t window_h)
{
    XguiMapping map;
    map.sw = clamp32(SDL_min((int64_t)window_h * XGUI_OVERLAY_W / XGUI_OVERLAY_H,
                             (int64_t)window_w * XGUI_OVERLAY_W / XGUI_KEEP_W));
    map.off = clamp32(((int64_t)window_w - map.sw) / 2);
    map.wh = window_h;
    return map;
}

SDL_Rect xgui_map_rect(const XguiMapping &map, int32_t x, int32_t y, int32_t w, int32_t h)
{
    SDL_Rect r;
    r.x = clamp32(map.off + (int64_t)map.sw * x / XGUI_OVERLAY_W);
    r.y = clamp32((int64_t)map.wh * y / XGUI_OVERLAY_H);
    r.w = clamp32((int64_t)w * map.sw / XGUI_OVERLAY_W);
    r.h = clamp32((int64_t)h * map.wh / XGUI_OVERLAY_H);
    return r;
}

bool xgui_unmap_point(int32_t window_w, int32_t window_h, int32_t px, int32_t py,
                      int32_t *ox, int32_t *oy)
{
    XguiMapping map = xgui_mapping(window_w, window_h);
    if (map.sw <= 0 || window_h <= 0)
        return false;
    *ox = clamp32(((int64_t)(map.sw - window_w) / 2 + px) * XGUI_OVERLAY_W / map.sw);
    *oy = clamp32((int64_t)py * XGUI_OVERLAY_H / window_h);
    return true;
}

SDL_Rect xgui_glyph_src(uint8_t glyph)
{
    glyph &= XGUI_GLYPHS - 1;
    SDL_Rect r;
    r.x = glyph % XGUI_FONT_COLUMNS * xgui_font.cell_w;
    r.y = glyph / XGUI_FONT_COLUMNS * xgui_font.cell_h;
    r.w = xgui_font.cell_w;
    r.h = xgui_font.cell_h;
    return r;
}

bool xgui_drawn(const xgui_widget &w)
{
    return w.type >= XGUI_LABEL && w.type <= XGUI_PICTURE &&
           (w.page == -1 || w.page == xgui_page) && w.visible;
}

int32_t xgui_text_start(const xgui_widget &w)
{
    if (w.align != XGUI_ALIGN_RIGHT && w.align != XGUI_ALIGN_CENTRE)
        return w.x;
    SDL_Rect extent;
    const int32_t width = xgui_text(&extent, nullptr, 0, 0, 0, 0, w.text, false)->w;
    return clamp32((int64_t)w.x - (w.align == XGUI_ALIGN_CENTRE ? width / 2 : width));
}

int32_t xgui_check_x(int32_t start)
{
    int32_t a = xgui_font.advance[XGUI_CHECK_GLYPH];
    return clamp32((int64_t)start - a / 4 - a);
}

SDL_Rect xgui_picture_rect(const XguiMapping &map, const xgui_widget &w)
{
    return xgui_map_rect(map, clamp32((int64_t)w.x - w.w / 2), clamp32((int64_t)w.y - w.h / 2),
                         w.w, w.h);
}

SDL_Color xgui_text_color(const xgui_widget &w)
{
    SDL_Color c = {255, 255, 255, 255};
    if (w.hover)
        c.b = 0;
    return c;
}

// One textured quad in window pixels, as a triangle strip: top-left, top-right, bottom-left,
// bottom-right. The font texture is bound by the caller, which passes the texture coordinate
// scale the binding reported (1 unless the driver padded the texture).
static void glyph_quad_gl(const SDL_Rect &src, const SDL_Rect &dst, float su, float sv)
{
    float fw = (float)xgui_font.tex_w, fh = (float)xgui_font.tex_h;
    float u0 = su * (float)src.x / fw, u1 = su * (float)(src.x + src.w) / fw;
    float v0 = sv * (float)src.y / fh, v1 = sv * (float)(src.y + src.h) / fh;
    gl_quad((float)dst.x, (float)dst.y, (float)(dst.x + dst.w), (float)(dst.y + dst.h), u0, v0,
            u1, v1);
}

SDL_Rect *xgui_text(SDL_Rect *out, SDL_Renderer *renderer, int32_t window_w, int32_t window_h,
                    int32_t x, int32_t y, const char *text, bool gl)
{
    // A pen position of int64 cannot overflow: 255 glyphs of at most a cell each.
    int64_t pen = x;
    bool draw = renderer && xgui_font.texture && text;
    XguiMapping map = {};
    float su = 1.0f, sv = 1.0f;
    if (draw) {
        map = xgui_mapping(window_w, window_h);
        if (gl && SDL_GL_BindTexture(xgui_font.texture, &su, &sv) != 0)
            draw = false;
    }
    for (const char *p = text ? text : ""; *p; p++) {
        uint8_t glyph = xgui_glyph(*p);
        if (draw && !xgui_font.blank[glyph]) {
            SDL_Rect src = xgui_glyph_src(glyph);
            SDL_Rect dst = xgui_map_rect(map, clamp32(pen), y, src.w, src.h);
            if (gl)
                glyph_quad_gl(src, dst, su, sv);
            else
                SDL_RenderCopy(renderer, xgui_font.texture, &src, &dst);
        }
        pen += xgui_font.advance[glyph];
    }
    // The renderer keeps its own idea of what is bound and enabled: a texture left bound
    // here tints or whitens its next draw.
    if (draw && gl)
        SDL_GL_UnbindTexture(xgui_font.texture);
    out->x = x;
    out->y = y;
    out->w = clamp32(pen - x);
    out->h = xgui_font.cell_h;
    return out;
}

int32_t xgui_text_width(const char *text)
{
    SDL_Rect extent;
    return xgui_text(&extent, nullptr, 0, 0, 0, 0, text, false)->w;
}
