#include "video/back_fill.h"

#include <SDL_opengl.h>

#include "base/log.h"
#include "gfx/gl_quad.h"
#include "video/back_blit.h"

static SDL_Texture *back_copy;   // the background scaled to back_copy_w x back_copy_h
static int back_copy_w, back_copy_h;
static bool back_copy_drawn;     // a frame was drawn with the copy on the GL path

static int clip(int v, int limit)
{
    return v < 0 ? 0 : v > limit ? limit : v;
}

int back_strips(int w, int h, SDL_Rect picture, SDL_Rect out[BACK_STRIPS_MAX])
{
    if (w <= 0 || h <= 0)
        return 0;
    int x0 = clip(picture.x, w), x1 = clip(picture.x + picture.w, w);
    int y0 = clip(picture.y, h), y1 = clip(picture.y + picture.h, h);
    if (x0 >= x1 || y0 >= y1) {
        out[0] = SDL_Rect{0, 0, w, h};
        return 1;
    }
    const SDL_Rect all[BACK_STRIPS_MAX] = {
        {0, 0, w, y0}, {0, y1, w, h - y1}, {0, y0, x0, y1 - y0}, {x1, y0, w - x1, y1 - y0}};
    int n = 0;
    for (const SDL_Rect &r : all)
        if (r.w > 0 && r.h > 0)
            out[n++] = r;
    return n;
}

bool back_blits_wanted(bool first_frame, int viewport_w, int viewport_h, int w, int h)
{
    return !first_frame && viewport_w == w && viewport_h == h;
}

void back_copy_release(void)
{
    back_blit_release();
    back_copy_drawn = false;
    if (back_copy)
        SDL_DestroyTexture(back_copy);
    back_copy = nullptr;
    back_copy_w = back_copy_h = 0;
}

bool back_copy_update(SDL_Renderer *renderer, SDL_Texture *back, int w, int h)
{
    if (back_copy && back_copy_w == w && back_copy_h == h)
        return true;
    back_copy_release();
    if (!renderer || !back || w <= 0 || h <= 0)
        return false;
    SDL_Texture *copy =
        SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
    if (!copy) {
        log_write("background drawn whole every frame: no %dx%d copy (%s)\n", w, h, SDL_GetError());
        return false;
    }
    SDL_SetTextureScaleMode(copy, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(copy, SDL_BLENDMODE_NONE);
    SDL_Texture *target = SDL_GetRenderTarget(renderer);
    SDL_Rect all = {0, 0, w, h};
    // The frames drawn with GL calls of our own (the overlay's above all) leave state the
    // renderer does not know of, and its cache may then skip setting what a copy needs: the
    // copy came out white when made with the menu open. An opaque black rectangle first makes
    // it set its own drawing state, and is the black the copy is drawn over.
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
    bool made = SDL_SetRenderTarget(renderer, copy) == 0 && SDL_RenderFillRect(renderer, &all) == 0 &&
                SDL_RenderCopy(renderer, back, nullptr, &all) == 0;
    SDL_SetRenderTarget(renderer, target);
    if (!made) {
        log_write("background drawn whole every frame: the copy failed (%s)\n", SDL_GetError());
        SDL_DestroyTexture(copy);
        return false;
    }
    back_copy = copy;
    back_copy_w = w;
    back_copy_h = h;
    return true;
}

void back_draw_sdl(SDL_Renderer *renderer, int w, int h, SDL_Rect picture)
{
    SDL_Rect strips[BACK_STRIPS_MAX];
    int n = back_strips(w, h, picture, strips);
    for (int i = 0; i < n; i++)
        SDL_RenderCopy(renderer, back_copy, &strips[i], &strips[i]);
}

void back_draw_gl(int w, int h, SDL_Rect picture)
{
    if (!back_copy)
        return;
    SDL_Rect strips[BACK_STRIPS_MAX];
    int n = back_strips(w, h, picture, strips);
    if (n == 0)
        return;  // the picture covers the window
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    bool first = !back_copy_drawn;
    back_copy_drawn = true;
    if (back_blits_wanted(first, viewport[2], viewport[3], w, h) && back_blit_ready(back_copy, w, h)) {
        back_blit(strips, n, h);
        return;
    }
    float su = 1.0f, sv = 1.0f;
    if (SDL_GL_BindTexture(back_copy, &su, &sv) != 0)
        return;
    su /= (float)w;
    sv /= (float)h;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    for (int i = 0; i < n; i++) {
        float x0 = (float)strips[i].x, y0 = (float)strips[i].y;
        float x1 = x0 + (float)strips[i].w, y1 = y0 + (float)strips[i].h;
        gl_quad(x0, y0, x1, y1, x0 * su, y0 * sv, x1 * su, y1 * sv);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    SDL_GL_UnbindTexture(back_copy);
}
