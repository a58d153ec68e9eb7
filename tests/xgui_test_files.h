// Overlay test files: a window with the software renderer, and a generated overlay picture
// and font written with libpng into a temporary directory, so the toolkit's tests know every
// glyph's ink exactly.
#pragma once

#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include <SDL.h>

#include "xgui/xgui.h"

// Generated font: 512 x 384, cells of 32 x 48.
#define TEST_CELL_W 32
#define TEST_CELL_H 48
#define TEST_OVERLAY_R 0
#define TEST_OVERLAY_G 0
#define TEST_OVERLAY_B 128

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
    int spacing = TEST_CELL_W / 7;
    switch (c) {
    case 0: case 1: return spacing;
    case 2: return spacing + 10;
    case XGUI_CHECK_GLYPH: return spacing + 20;
    case 32: return TEST_CELL_W / 2;
    case 127: return spacing + TEST_CELL_W - 1;
    default: return spacing + c % 28;
    }
}

inline int test_text_width(const char *text)
{
    int w = 0;
    for (const char *p = text; *p; p++)
        w += test_glyph_advance(xgui_glyph(*p));
    return w;
}

// Writes an RGBA PNG whose pixel (x, y) is pixel(x, y) as 0xRRGGBBAA.
template <typename F> inline bool test_write_png(const std::string &path, int w, int h, F pixel)
{
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    uint8_t *row = (uint8_t *)malloc((size_t)w * 4);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            uint32_t v = pixel(x, y);
            row[x * 4 + 0] = (uint8_t)(v >> 24);
            row[x * 4 + 1] = (uint8_t)(v >> 16);
            row[x * 4 + 2] = (uint8_t)(v >> 8);
            row[x * 4 + 3] = (uint8_t)v;
        }
        png_write_row(png, row);
    }
    free(row);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    fclose(file);
    return true;
}

inline bool test_write_font(const std::string &path)
{
    return test_write_png(path, TEST_CELL_W * 16, TEST_CELL_H * 8, [](int x, int y) {
        int c = (y / TEST_CELL_H) * 16 + x / TEST_CELL_W;
        return 0xFFFFFF00u | test_glyph_alpha(c, x % TEST_CELL_W, y % TEST_CELL_H);
    });
}

inline bool test_write_overlay(const std::string &path)
{
    return test_write_png(path, XGUI_OVERLAY_W, XGUI_OVERLAY_H, [](int, int) {
        return (uint32_t)TEST_OVERLAY_R << 24 | TEST_OVERLAY_G << 16 | TEST_OVERLAY_B << 8 | 0xFF;
    });
}

// A temporary directory holding res/overlay and res/font; removed with its files.
struct TestResDir {
    std::string dir;  // with its trailing separator, as xgui_init takes it
    TestResDir()
    {
        char tmpl[] = "/tmp/xgui_test_XXXXXX";
        if (mkdtemp(tmpl))
            dir = std::string(tmpl) + "/";
        mkdir_res();
    }
    void mkdir_res() { ::mkdir((dir + "res").c_str(), 0700); }
    std::string res(const char *name) const { return dir + "res/" + name; }
    bool write_all() const { return test_write_overlay(res("overlay")) && test_write_font(res("font")); }
    ~TestResDir()
    {
        if (dir.empty())
            return;
        std::string cmd = "rm -rf '" + dir + "'";
        if (system(cmd.c_str()) != 0)
            fprintf(stderr, "could not remove %s\n", dir.c_str());
    }
};

// A hidden window with the software renderer; works with SDL's dummy video driver.
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
        if (renderer)
            SDL_DestroyRenderer(renderer);
        if (window)
            SDL_DestroyWindow(window);
        renderer = nullptr;
        window = nullptr;
    }
    ~TestWindow() { close(); }
};
