// The overlay drawn with OpenGL quads inside the renderer's context, on the same integer
// geometry as the renderer back end; only the background's rectangle is placed in floats.
#include <SDL_opengl.h>

#include "gfx/gl_quad.h"
#include "xgui/xgui_internal.h"

// A texture without an alpha channel (a 24-bit preview picture) holds 0 in its padding byte,
// which blending would read as fully transparent. For those, alpha comes from the colour
// alone, as the renderer back end treats them.
static void alpha_from_colour(bool on)
{
    if (on) {
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_REPLACE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, GL_PRIMARY_COLOR);
    } else {
        glTexEnvi(GL_TEXTURE_ENV, GL_SRC0_ALPHA, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
}

static bool has_alpha(SDL_Texture *texture)
{
    uint32_t format = 0;
    return SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) == 0 &&
           SDL_ISPIXELFORMAT_ALPHA(format);
}

void xgui_draw_gl(SDL_Renderer *renderer, int32_t window_w, int32_t window_h)
{
    if (xgui_alpha <= 0 || !renderer)
        return;
    float a = (float)SDL_min(xgui_alpha, 255) / 255.0f;
    XguiMapping map = xgui_mapping(window_w, window_h);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    if (xgui_overlay) {
        glColor4f(1.0f, 1.0f, 1.0f, a);
        float sw = (float)map.sw;
        float left = ((float)window_w - sw) * 0.5f;
        gl_texture_quad(xgui_overlay, left, 0.0f, left + sw, (float)window_h);
    }

    int32_t count = SDL_clamp(xgui_count, 0, XGUI_MAX_WIDGETS);
    for (int32_t i = 0; i < count; i++) {
        const xgui_widget &w = xgui_widgets[i];
        if (!xgui_drawn(w))
            continue;
        if (w.type == XGUI_PICTURE) {
            if (!w.texture)
                continue;
            glColor4f(1.0f, 1.0f, 1.0f, a);
            SDL_Rect r = xgui_picture_rect(map, w);
            bool opaque = !has_alpha(w.texture);
            if (opaque)
                alpha_from_colour(true);
            gl_texture_quad(w.texture, (float)r.x, (float)r.y, (float)(r.x + r.w),
                            (float)(r.y + r.h));
            if (opaque)
                alpha_from_colour(false);
            continue;
        }
        if (!xgui_font.texture)
            continue;
        SDL_Color c = xgui_text_color(w);
        glColor4f(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, a);
        int32_t start = xgui_text_start(w);
        SDL_Rect extent;
        xgui_text(&extent, renderer, window_w, window_h, start, w.y, w.text, true);
        if (w.type == XGUI_TOGGLE && w.selected) {
            static const char check[] = {XGUI_CHECK_GLYPH, 0};
            xgui_text(&extent, renderer, window_w, window_h, xgui_check_x(start), w.y, check, true);
        }
    }

    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}
