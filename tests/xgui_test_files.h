// Overlay test files, written into a ResDir: a generated font whose glyphs' ink is known
// exactly, an opaque overlay picture and a 24-bit BMP preview. Also a hidden window with the
// software renderer, which works with SDL's dummy video driver.
#pragma once

#include <png.h>

#include <string>
#include <vector>

#include <SDL.h>

#include "support/png_writer.h"
#include "support/res_dir.h"
#include "xgui/xgui.h"

// Generated font: 512 x 384, cells of 32 x 48.
#define TEST_CELL_W 32
#define TEST_CELL_H 48
static const uint32_t TEST_OVERLAY = 0x000080;  // the overlay picture's colour, 0xRRGGBB
static const uint32_t TEST_PREVIEW = 0x0AC81E;  // the 40 x 30 preview res/0P, 24 bits a pixel

// Alpha of pixel (x, y) inside the cell of glyph c. Most glyphs are solid bars covering
// columns 0 .. c % 28; a few cells probe the measuring rules.
inline uint8_t test_glyph_alpha(int c, int x, int y)
{
    switch (c) {
    case 0: return 0;                                    // empty cell
    case 1: return 247;                                  // just below ink everywhere
    case 2: return (x == 10 && y == 20) ? 248 : 0;       // one pixel of ink
    case XGUI_CHECK_GLYPH: return x <= 20 ? 255 : 0;     // wide enough to find when scaled
    case 32: return 255;                                 // a space cell full of ink
    case 127: return x == TEST_CELL_W - 1 ? 255 : 0;     // ink in the last column only
    default: return x <= c % 28 ? 255 : 0;
    }
}

// Advance the toolkit must measure for glyph c of the generated font.
inline int test_glyph_advance(int c)
{
    const int spacing = TEST_CELL_W / 7;
    switch (c) {
    case 0: case 1: return spacing;
    case 2: return spacing + 10;
    case XGUI_CHECK_GLYPH: return spacing + 20;
    case 32: return TEST_CELL_W / 2;
    case 127: return spacing + TEST_CELL_W - 1;
    default: return spacing + c % 28;
    }
}

// Writes an 8-bit RGBA PNG whose pixel (x, y) is pixel(x, y) as 0xRRGGBBAA.
template <typename F> inline bool test_write_rgba(const std::string &path, int w, int h, F pixel)
{
    std::vector<uint16_t> samples((size_t)w * h * 4);
    for (size_t i = 0; i < (size_t)w * h; i++) {
        uint32_t v = pixel((int)(i % w), (int)(i / w));
        for (int k = 0; k < 4; k++)
            samples[i * 4 + k] = v >> (24 - 8 * k) & 0xFF;
    }
    PngSpec spec = {};
    spec.width = w;
    spec.height = h;
    spec.color_type = PNG_COLOR_TYPE_RGBA;
    spec.bit_depth = 8;
    spec.samples = samples.data();
    return write_png(path.c_str(), spec);
}

// res/font, res/overlay and res/0P.
inline bool test_write_res(const ResDir &files)
{
    bool ok = test_write_rgba(files.path("res/font"), TEST_CELL_W * 16, TEST_CELL_H * 8,
                              [](int x, int y) {
                                  int c = (y / TEST_CELL_H) * 16 + x / TEST_CELL_W;
                                  return 0xFFFFFF00u |
                                         test_glyph_alpha(c, x % TEST_CELL_W, y % TEST_CELL_H);
                              }) &&
              test_write_rgba(files.path("res/overlay"), XGUI_OVERLAY_W, XGUI_OVERLAY_H,
                              [](int, int) { return TEST_OVERLAY << 8 | 0xFF; });
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 24, SDL_PIXELFORMAT_BGR24);
    if (!s)
        return false;
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, TEST_PREVIEW >> 16, TEST_PREVIEW >> 8 & 0xFF,
                                        TEST_PREVIEW & 0xFF));
    ok = SDL_SaveBMP(s, files.path("res/0P").c_str()) == 0 && ok;
    SDL_FreeSurface(s);
    return ok;
}

struct TestWindow {
    SDL_Window *window = nullptr;
    SDL_Renderer *renderer = nullptr;
    bool open(int w, int h)
    {
        close();
        window = SDL_CreateWindow("xgui test", 0, 0, w, h, SDL_WINDOW_HIDDEN);
        renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
        return renderer != nullptr;
    }
    void close()
    {
        SDL_DestroyRenderer(renderer), SDL_DestroyWindow(window);
        renderer = nullptr, window = nullptr;
    }
    ~TestWindow() { close(); }
};
