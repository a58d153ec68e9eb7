// Overlay test files, written into a ResDir: a generated font whose ink is known exactly, an
// opaque overlay picture and a 24-bit BMP preview. Also a hidden software-renderer window,
// which works with SDL's dummy video driver, the fixture both overlay tests share, and the
// pointer moves and readings of the toolkit's state its tests drive it with.
#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <SDL.h>

#include <string>
#include <vector>

#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/hidden_window.h"
#include "xgui/xgui_internal.h"

#define TEST_CELL_W 32  // the generated font: 16 x 8 cells of 32 x 48
#define TEST_CELL_H 48
static const uint32_t TEST_OVERLAY = 0x000080;  // the overlay picture's colour, 0xRRGGBB
static const uint32_t TEST_PREVIEW = 0x0AC81E;  // the 40 x 30 preview res/0P, 24 bits a pixel

// Alpha of pixel (x, y) in glyph c's cell: bars over columns 0 .. c % 28, a few rule probes.
inline uint8_t test_glyph_alpha(int c, int x, int y)
{
    switch (c) {
    case 0: return 0;                                 // empty cell
    case 1: return 247;                               // just below ink everywhere
    case 2: return (x == 10 && y == 20) ? 248 : 0;    // one pixel of ink
    case XGUI_CHECK_GLYPH: return x <= 20 ? 255 : 0;  // wide enough to find when scaled
    case 32: return 255;                              // a space cell full of ink
    case 127: return x == TEST_CELL_W - 1 ? 255 : 0;  // ink in the last column only
    default: return x <= c % 28 ? 255 : 0;
    }
}

// Writes an 8-bit RGBA PNG whose pixel (x, y) is pixel(x, y) as 0xRRGGBBAA.
template <typename F> inline bool test_write_rgba(const std::string &path, int w, int h, F pixel)
{
    std::vector<uint16_t> samples((size_t)w * h * 4);
    for (size_t i = 0; i < samples.size(); i++)
        samples[i] = pixel((int)(i / 4 % w), (int)(i / 4 / w)) >> (24 - 8 * (i % 4)) & 0xFF;
    PngSpec spec = {};
    spec.width = w;
    spec.height = h;
    spec.color_type = PNG_COLOR_TYPE_RGBA;
    spec.bit_depth = 8;
    spec.samples = samples.data();
    return write_png(path.c_str(), spec);
}

// The contents of a w x h BMP of 24 bits a pixel, all of colour (0xRRGGBB); "" if SDL fails.
inline std::string test_bmp(int w, int h, uint32_t colour)
{
    std::string out((size_t)w * h * 4 + 1024, '\0');
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_BGR24);
    SDL_RWops *rw = SDL_RWFromMem(&out[0], (int)out.size());
    const uint8_t r = colour >> 16, g = colour >> 8 & 0xFF, b = colour & 0xFF;
    const bool ok = s && rw && SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b)) == 0 &&
                    SDL_SaveBMP_RW(s, rw, 0) == 0;
    out.resize(ok ? (size_t)SDL_RWtell(rw) : 0);
    SDL_RWclose(rw);
    SDL_FreeSurface(s);
    return out;
}

// res/font, res/overlay and res/0P.
inline bool test_write_res(const ResDir &files)
{
    const std::string preview = test_bmp(40, 30, TEST_PREVIEW);
    files.write("res/0P", preview);
    const bool ok = !preview.empty();
    auto font = [](int x, int y) {
        int c = y / TEST_CELL_H * 16 + x / TEST_CELL_W;
        return 0xFFFFFF00u | test_glyph_alpha(c, x % TEST_CELL_W, y % TEST_CELL_H);
    };
    return ok && test_write_rgba(files.path("res/font"), TEST_CELL_W * 16, TEST_CELL_H * 8, font) &&
           test_write_rgba(files.path("res/overlay"), XGUI_OVERLAY_W, XGUI_OVERLAY_H,
                           [](int, int) { return TEST_OVERLAY << 8 | 0xFF; });
}

// The scene both overlay drawing tests draw, the menu opened: a button "MMMM" at 425, 300, a
// selected toggle right-aligned at 1495, 600 and the preview centred on 960, 900; its index.
inline int32_t test_add_scene(SDL_Renderer *renderer, const char *toggle, const std::string &preview)
{
    // The picture right after a text of another colour: it must not take on that colour.
    xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
    const int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
    xgui_set_picture(picture, renderer, preview.c_str());
    xgui_set_selected(xgui_add(XGUI_TOGGLE, 0, 1495, 600, toggle, XGUI_ALIGN_RIGHT), 1);
    xgui_set_open(true);
    return picture;
}

// The files, written once for the suite, and a window with the toolkit loaded on it.
class XguiTest : public ::testing::Test {
protected:
    static inline ResDir *files;
    TestWindow win;
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        files = new ResDir;
        ASSERT_TRUE(test_write_res(*files));
    }
    static void TearDownTestSuite()
    {
        delete files;
        SDL_Quit();
    }
    // A w x h window in place of the one before, and the toolkit on it with an empty table.
    bool open_window(int w, int h)
    {
        xgui_free();   // before its renderer goes
        xgui_reset();
        return win.open(w, h) && xgui_init(files->path("").c_str(), win.renderer);
    }
    void TearDown() override { xgui_free(); }
};

// The toolkit on a small window, for the tests that draw nothing.
class Toolkit : public XguiTest {
protected:
    void SetUp() override { ASSERT_TRUE(open_window(64, 64)); }
};

// The pointer moved to (x, y) in one update, and clicked there in the next.
inline void move_to(int32_t x, int32_t y)
{
    xgui_update(x, y, 0);
}
inline void click(int32_t x, int32_t y)
{
    move_to(x, y);
    xgui_update(x, y, 1);
}

inline int32_t text_width(const char *text)
{
    SDL_Rect r;
    return xgui_text(&r, nullptr, 0, 0, 0, 0, text, false)->w;
}

static const int32_t NONE = -1;
static const int32_t SEVERAL = -2;
// The one widget the pointer hovers, NONE or SEVERAL.
inline int32_t hovered()
{
    int32_t found = NONE;
    for (int32_t i = 0; i < xgui_count; i++)
        if (xgui_widgets[i].hover)
            found = found == NONE ? i : SEVERAL;
    return found;
}

// Whether texture was loaded, and filtered linearly, as pictures drawn at any window size are.
inline bool linear(SDL_Texture *texture)
{
    SDL_ScaleMode mode = SDL_ScaleModeNearest;
    return texture && SDL_GetTextureScaleMode(texture, &mode) == 0 && mode == SDL_ScaleModeLinear;
}
