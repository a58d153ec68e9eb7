#include "xgui/notice_draw.h"

#include <stdio.h>
#include <string.h>

#include <SDL_opengl.h>

#include "gfx/gl_quad.h"
#include "xgui/xgui_internal.h"

int32_t notice_box_top(int32_t text_h, int32_t window_h, int32_t picture_y, bool menu_open)
{
    const int32_t box_h = text_h + 2 * NOTICE_PAD;
    if (window_h <= 0)
        return NOTICE_BAND_MARGIN;
    // The band in overlay units, rounded down, and the picture's edge rounded up: the box's
    // pixels then stay on their side of the edge whatever the window's height.
    const int64_t band = (int64_t)SDL_max(picture_y, 0) * XGUI_OVERLAY_H / window_h;
    const int64_t edge = ((int64_t)SDL_max(picture_y, 0) * XGUI_OVERLAY_H + window_h - 1) / window_h;
    int64_t top = edge + NOTICE_MARGIN;
    if (band >= box_h + 2 * NOTICE_BAND_MARGIN)
        top = (band - box_h) / 2;
    if (menu_open && top + box_h > NOTICE_MENU_TOP - NOTICE_BAND_MARGIN)
        top = (NOTICE_MENU_TOP - box_h) / 2;
    return (int32_t)SDL_min(top, (int64_t)XGUI_OVERLAY_H);
}

SDL_Rect notice_box(int32_t text_w, int32_t text_h, int32_t window_w, int32_t window_h, int32_t top,
                    int32_t *x)
{
    *x = (XGUI_OVERLAY_W - text_w) / 2;
    XguiMapping map = xgui_mapping(window_w, window_h);
    return xgui_map_rect(map, *x - NOTICE_PAD, top, text_w + 2 * NOTICE_PAD, text_h + 2 * NOTICE_PAD);
}

// The notice of this moment as both back ends draw it: false when there is none to draw.
struct NoticeLayout {
    int32_t alpha;
    char glyphs[NOTICE_TEXT_SIZE];
    int32_t x, y;  // the line's pen start, overlay units
    SDL_Rect box;  // the dark box, window pixels
};

static bool notice_layout(SDL_Renderer *renderer, int32_t window_w, int32_t window_h,
                          const SDL_Rect &picture, NoticeLayout &n)
{
    n.alpha = notice_current_alpha();
    if (n.alpha == 0 || !renderer || !xgui_font.texture)
        return false;
    notice_glyph_text(notice_text(), n.glyphs, sizeof n.glyphs);
    SDL_Rect extent;
    xgui_text(&extent, nullptr, 0, 0, 0, 0, n.glyphs, false);
    const int32_t top = notice_box_top(extent.h, window_h, picture.y, xgui_is_open());
    n.box = notice_box(extent.w, extent.h, window_w, window_h, top, &n.x);
    n.y = top + NOTICE_PAD;
    return true;
}

void notice_draw(SDL_Renderer *renderer, int32_t window_w, int32_t window_h, SDL_Rect picture)
{
    NoticeLayout n;
    if (!notice_layout(renderer, window_w, window_h, picture, n))
        return;
    const int32_t alpha = n.alpha;
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, (uint8_t)(alpha * NOTICE_BOX_ALPHA / 255));
    SDL_RenderFillRect(renderer, &n.box);
    SDL_SetTextureColorMod(xgui_font.texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(xgui_font.texture, (uint8_t)alpha);
    SDL_SetTextureBlendMode(xgui_font.texture, SDL_BLENDMODE_BLEND);
    SDL_Rect extent;
    xgui_text(&extent, renderer, window_w, window_h, n.x, n.y, n.glyphs, false);
    // The overlay sets its own alpha each frame; the font's is left as the overlay had it.
    SDL_SetTextureAlphaMod(xgui_font.texture, (uint8_t)SDL_min(xgui_alpha, 255));
}

void notice_draw_gl(SDL_Renderer *renderer, int32_t window_w, int32_t window_h, SDL_Rect picture)
{
    NoticeLayout n;
    if (!notice_layout(renderer, window_w, window_h, picture, n))
        return;
    const int32_t alpha = n.alpha;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, (float)(alpha * NOTICE_BOX_ALPHA / 255) / 255.0f);
    const SDL_Rect &b = n.box;
    gl_quad((float)b.x, (float)b.y, (float)(b.x + b.w), (float)(b.y + b.h), 0, 0, 0, 0);
    glColor4f(1.0f, 1.0f, 1.0f, (float)alpha / 255.0f);
    SDL_Rect extent;
    xgui_text(&extent, renderer, window_w, window_h, n.x, n.y, n.glyphs, true);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
