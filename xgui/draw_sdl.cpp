// The overlay drawn through the SDL renderer: background, then the widgets in index order.
#include "xgui/xgui_internal.h"

static void draw_text_widget(SDL_Renderer *renderer, const XguiMapping &map,
                             int32_t window_w, int32_t window_h, const xgui_widget &w)
{
    SDL_Color c = xgui_text_color(w);
    SDL_SetTextureColorMod(xgui_font.texture, c.r, c.g, c.b);
    int32_t start = xgui_text_start(w);
    SDL_Rect extent;
    xgui_text(&extent, renderer, window_w, window_h, start, w.y, w.text, false);
    if (w.type == XGUI_TOGGLE && w.selected) {
        SDL_Rect src = xgui_glyph_src(XGUI_CHECK_GLYPH);
        SDL_Rect dst = xgui_map_rect(map, xgui_check_x(start), w.y, src.w, src.h);
        SDL_RenderCopy(renderer, xgui_font.texture, &src, &dst);
    }
}

void xgui_draw(SDL_Renderer *renderer, int32_t window_w, int32_t window_h)
{
    if (xgui_alpha <= 0 || !renderer)
        return;
    uint8_t alpha = (uint8_t)SDL_min(xgui_alpha, 255);
    XguiMapping map = xgui_mapping(window_w, window_h);

    if (xgui_overlay) {
        SDL_SetTextureAlphaMod(xgui_overlay, alpha);
        SDL_SetTextureBlendMode(xgui_overlay, SDL_BLENDMODE_BLEND);
        // Only the top-left 1920 x 1080 of a picture of another size.
        SDL_Rect src = {0, 0, XGUI_OVERLAY_W, XGUI_OVERLAY_H};
        SDL_Rect dst = xgui_map_rect(map, 0, 0, XGUI_OVERLAY_W, XGUI_OVERLAY_H);
        SDL_RenderCopy(renderer, xgui_overlay, &src, &dst);
    }
    if (xgui_font.texture) {
        SDL_SetTextureAlphaMod(xgui_font.texture, alpha);
        SDL_SetTextureBlendMode(xgui_font.texture, SDL_BLENDMODE_BLEND);
    }

    int32_t count = SDL_clamp(xgui_count, 0, XGUI_MAX_WIDGETS);
    for (int32_t i = 0; i < count; i++) {
        const xgui_widget &w = xgui_widgets[i];
        if (!xgui_drawn(w))
            continue;
        if (w.type == XGUI_PICTURE) {
            if (!w.texture)
                continue;
            SDL_SetTextureAlphaMod(w.texture, alpha);
            SDL_Rect dst = xgui_picture_rect(map, w);
            SDL_RenderCopy(renderer, w.texture, nullptr, &dst);
        } else if (xgui_font.texture) {
            draw_text_widget(renderer, map, window_w, window_h, w);
        }
    }
}
