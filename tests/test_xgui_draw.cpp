// The overlay drawn through the software renderer: the mapping onto windows of several
// shapes, and label, check mark and picture pixels where the mapping puts them.
#include <gtest/gtest.h>

#include <algorithm>

#include "xgui_test_files.h"

// Window sizes with the 16:9 area the overlay must use, worked out by hand.
static const struct Shape { int32_t ww, wh, sw, off; } SHAPES[] = {
    {1920, 1080, 1920, 0}, {640, 480, 853, -106}, {2560, 1080, 1920, 320}};

TEST(XguiMapping, SixteenByNineAreaAsHighAsTheWindow)
{
    for (const Shape &s : SHAPES) {
        XguiMapping m = xgui_mapping(s.ww, s.wh);
        SDL_Rect a = xgui_map_rect(m, 0, 0, XGUI_OVERLAY_W, XGUI_OVERLAY_H);
        EXPECT_EQ(std::vector<int>({a.x, a.w, a.h}), std::vector<int>({s.off, s.sw, s.wh}));
        for (int32_t y : {0, 540, 1079}) {  // to the window and back: within a pixel's worth
            SDL_Rect p = xgui_map_rect(m, y * 16 / 9, y, 0, 0);
            int32_t ox = -99, oy = -99, slack = XGUI_OVERLAY_H / s.wh + 2;
            xgui_unmap_point(s.ww, s.wh, p.x, p.y, &ox, &oy);
            EXPECT_TRUE(abs(ox - y * 16 / 9) <= slack && abs(oy - y) <= slack)
                << s.ww << "x" << s.wh << ": y " << y << " back as " << ox << "," << oy;
        }
    }
}

static const uint32_t WHITE = 0xFFFFFF, BACK = TEST_OVERLAY, PIC = TEST_PREVIEW;

TEST(XguiDraw, WidgetsLandWhereTheMappingSays)
{
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ResDir files;
    TestWindow win;
    ASSERT_TRUE(test_write_res(files));
    std::vector<uint32_t> pixels;  // ARGB8888 of the last draw
    Shape s = {};
    auto draw = [&] {
        SDL_SetRenderDrawColor(win.renderer, 0, 0, 0, 255), SDL_RenderClear(win.renderer);
        xgui_draw(win.renderer, s.ww, s.wh);
        pixels.assign((size_t)s.ww * s.wh, 0);
        return SDL_RenderReadPixels(win.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                                    s.ww * 4) == 0;
    };
    auto at = [&](int32_t x, int32_t y) {  // 0xRRGGBB under overlay point (x, y)
        const int32_t px = s.off + s.sw * x / XGUI_OVERLAY_W, py = s.wh * y / XGUI_OVERLAY_H;
        return pixels[(size_t)py * s.ww + px] & 0xFFFFFF;
    };
    // "MMMM" at 425, 300: glyphs of 48 rows advance 25 with ink in their first 22 columns. "M"
    // right-aligned at 1495 starts at 1470; the check glyph (advance 24, 21 columns of ink) at
    // 1470 - 24 / 4 - 24 = 1440. The 40 x 30 picture is centred on 960, 900. Exact edges are
    // checked where the overlay is unscaled; -200 is in the bar beside a wide window's overlay.
    const struct { int32_t x, y; uint32_t colour; bool exact; } spots[] = {
        {435, 324, WHITE, 0}, {510, 324, WHITE, 0}, {533, 324, BACK, 0}, {300, 100, BACK, 0},
        {1480, 624, WHITE, 0}, {1450, 624, WHITE, 0}, {960, 900, PIC, 0}, {990, 900, BACK, 0},
        {425, 300, WHITE, 1}, {424, 300, BACK, 1}, {425, 299, BACK, 1}, {425, 347, WHITE, 1},
        {425, 348, BACK, 1}, {446, 320, WHITE, 1}, {447, 320, BACK, 1}, {1440, 620, WHITE, 1},
        {1439, 620, BACK, 1}, {1460, 620, WHITE, 1}, {1461, 620, BACK, 1}, {940, 885, PIC, 1},
        {939, 885, BACK, 1}, {979, 914, PIC, 1}, {980, 914, BACK, 1}, {979, 915, BACK, 1}};
    for (const Shape &shape : SHAPES) {
        s = shape;
        xgui_free();  // before its renderer goes
        ASSERT_TRUE(win.open(s.ww, s.wh) && xgui_init(files.path("").c_str(), win.renderer));
        xgui_reset(), xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        xgui_set_selected(xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M", XGUI_ALIGN_RIGHT), 1);
        xgui_set_picture(xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0), win.renderer,
                         files.path("res/0P").c_str());
        xgui_set_open(true);
        for (int i = 0; i < 32; i++)
            xgui_update(s.ww, s.wh, 0, 0, 0);
        ASSERT_TRUE(draw()) << SDL_GetError();
        for (const auto &e : spots)  // an exact row passes where the overlay is scaled
            EXPECT_EQ(e.exact && s.sw != XGUI_OVERLAY_W ? e.colour : at(e.x, e.y), e.colour)
                << s.ww << "x" << s.wh << " at " << e.x << "," << e.y;
        EXPECT_TRUE(s.off <= 0 || at(-200, 540) == 0) << s.ww << "x" << s.wh << ": bar beside";
        xgui_update(s.ww, s.wh, 435, 305, 0);
        draw();
        EXPECT_EQ(at(435, 324), 0xFFFF00u) << s.ww << "x" << s.wh << ": hovered label is yellow";
        xgui_set_open(false);  // faded out: nothing drawn
        for (int i = 0; i < 32; i++)
            xgui_update(s.ww, s.wh, 0, 0, 0);
        draw();
        EXPECT_FALSE(std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p << 8; }))
            << s.ww << "x" << s.wh << ": pixels drawn at alpha " << xgui_alpha;
    }
    xgui_free();
    SDL_Quit();
}
