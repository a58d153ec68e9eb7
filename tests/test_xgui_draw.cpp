// The overlay drawn through the software renderer: the mapping onto windows of several
// shapes, and label, check mark and picture pixels where the mapping puts them.
#include <algorithm>

#include "xgui_test_files.h"

// Window sizes with the 16:9 area the overlay must use, worked out by hand; the pointer's
// inverse mapping has its own table in the events test.
static const struct Shape {
    int32_t ww, wh;   // the window
    int32_t sw, off;  // the area's width and left edge
} SHAPES[] = {
    {1920, 1080, 1920, 0},
    {640, 480, 853, -106},
    {2560, 1080, 1920, 320},
};

static const uint32_t WHITE = 0xFFFFFF;
static const uint32_t YELLOW = 0xFFFF00;   // hovered
static const uint32_t BACK = TEST_OVERLAY;
static const uint32_t PIC = TEST_PREVIEW;

// A button "MMMM" at 425, 300 under the pointer, a selected right-aligned toggle "M" ending at
// 1495, 600 and the 40 x 30 preview centred on 960, 900, drawn on a window of each shape (the
// pointer is already in overlay units). The fade's 32 updates each way are pinned here: exact
// colours after fading in, nothing after fading out.
class XguiDraw : public XguiTest {
protected:
    Shape s = {};
    std::vector<uint32_t> pixels;  // ARGB8888 of the last draw
    void open(const Shape &shape)
    {
        s = shape;
        ASSERT_TRUE(open_window(s.ww, s.wh));
        xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        xgui_set_selected(xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M", XGUI_ALIGN_RIGHT), 1);
        const int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
        xgui_set_picture(picture, win.renderer, files->path("res/0P").c_str());
        xgui_set_open(true);
        for (int i = 0; i < 32; i++)
            xgui_update(435, 305, 0);
    }
    void draw()
    {
        SDL_SetRenderDrawColor(win.renderer, 0, 0, 0, 255);
        SDL_RenderClear(win.renderer);
        xgui_draw(win.renderer, s.ww, s.wh);
        pixels.assign((size_t)s.ww * s.wh, 0);
        const int read = SDL_RenderReadPixels(win.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                              s.ww * 4);
        ASSERT_EQ(0, read) << SDL_GetError();
    }
    // 0xRRGGBB under overlay point (x, y).
    uint32_t at(int32_t x, int32_t y) const
    {
        const int32_t px = s.off + s.sw * x / XGUI_OVERLAY_W;
        const int32_t py = s.wh * y / XGUI_OVERLAY_H;
        return pixels[(size_t)py * s.ww + px] & 0xFFFFFF;
    }
};

// Glyphs of 48 rows advance 25 with ink in their first 22 columns. "M" right-aligned at 1495
// starts at 1470; the check glyph (advance 24, 21 columns of ink) at 1470 - 24 / 4 - 24 = 1440.
// Exact edges are checked where the overlay is unscaled.
TEST_F(XguiDraw, WidgetsLandWhereTheMappingSays)
{
    const struct {
        int32_t x, y;
        uint32_t colour;
        bool exact;
    } spots[] = {
        {510, 324, YELLOW, false},  // in the last M
        {533, 324, BACK, false},    // past the label
        {1480, 624, WHITE, false},  // in the toggle's M
        {1450, 624, WHITE, false},  // in its check mark
        {960, 900, PIC, false},
        {990, 900, BACK, false},    // past the picture
        {425, 300, YELLOW, true},   // the label's top-left pixel
        {424, 300, BACK, true},
        {425, 299, BACK, true},
        {425, 347, YELLOW, true},   // its last row
        {425, 348, BACK, true},
        {1440, 620, WHITE, true},   // the check mark's first column
        {1439, 620, BACK, true},
        {940, 885, PIC, true},      // the picture's top-left pixel
        {939, 885, BACK, true},
        {979, 914, PIC, true},      // its bottom-right pixel
        {980, 914, BACK, true},
        {979, 915, BACK, true},
    };
    for (const Shape &shape : SHAPES) {
        open(shape);
        draw();
        for (const auto &e : spots) {
            if (e.exact && s.sw != XGUI_OVERLAY_W)
                continue;
            EXPECT_EQ(e.colour, at(e.x, e.y)) << s.ww << "x" << s.wh << " at " << e.x << "," << e.y;
        }
        if (s.off > 0) {
            EXPECT_EQ(0u, at(-200, 540)) << s.ww << "x" << s.wh << ": the bar beside the overlay";
        }
    }
}

TEST_F(XguiDraw, FadedOutDrawsNothing)
{
    open(SHAPES[1]);
    xgui_set_open(false);
    for (int i = 0; i < 32; i++)
        xgui_update(0, 0, 0);
    draw();
    auto lit = [](uint32_t p) { return (p & 0xFFFFFF) != 0; };
    const long drawn = std::count_if(pixels.begin(), pixels.end(), lit);
    EXPECT_EQ(0, drawn) << "pixels drawn at alpha " << xgui_alpha;
}
