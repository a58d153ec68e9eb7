// The overlay and the notice drawn through the software renderer: the mapping of overlay
// units onto windows of any shape, and label, check mark and picture pixels where it puts them.
#include "support/frame_read.h"
#include "support/sdl_rect.h"
#include "xgui/notice.h"
#include "xgui_test_files.h"

// The largest 16:9 area as high as the window, centred; divisions truncate. The pointer's
// inverse mapping has its own table in the events test.
TEST(XguiMapping, OverlayRectanglesInWindowPixels)
{
    const struct { const char *name; int32_t ww, wh; SDL_Rect overlay, window; } cases[] = {
        {"16:9: unscaled", 1920, 1080, {425, 300, 100, 48}, {425, 300, 100, 48}},
        {"4:3: scaled, cut at the sides", 640, 480, {960, 540, 40, 30}, {320, 240, 17, 13}},
        {"wider than 16:9: bars beside", 2560, 1080, {0, 0, 1920, 1080}, {320, 0, 1920, 1080}},
    };
    for (const auto &c : cases) {
        const SDL_Rect &o = c.overlay;
        EXPECT_EQ(c.window, xgui_map_rect(xgui_mapping(c.ww, c.wh), o.x, o.y, o.w, o.h)) << c.name;
    }
}

// The notice's line centred across the overlay at NOTICE_Y, its box NOTICE_PAD around it.
TEST(NoticeLayout, TheLineCentredOnItsBox)
{
    const struct { const char *name; int32_t ww, wh, text_w, x; SDL_Rect box; } cases[] = {
        {"unscaled", 1920, 1080, 200, 860, {848, 28, 224, 72}},
        {"half size", 960, 540, 200, 860, {424, 14, 112, 36}},
        {"an odd width, beside a bar", 2560, 1080, 201, 859, {1167, 28, 225, 72}},
    };
    for (const auto &c : cases) {
        int32_t x = 0;
        EXPECT_EQ(c.box, notice_box(c.text_w, TEST_CELL_H, c.ww, c.wh, &x)) << c.name;
        EXPECT_EQ(c.x, x) << c.name;
    }
}

static const uint32_t WHITE = 0xFFFFFF;
static const uint32_t YELLOW = 0xFFFF00;   // hovered
static const uint32_t BACK = TEST_OVERLAY;
static const uint32_t PIC = TEST_PREVIEW;

// A button "MMMM" at 425, 300 under the pointer, a selected right-aligned toggle "M" ending
// at 1495, 600 and the 40 x 30 preview centred on 960, 900, faded in on a ww x wh window.
class XguiDraw : public XguiTest {
protected:
    int32_t ww = 0, wh = 0;
    XguiMapping map = {};
    std::vector<uint32_t> frame;
    void open(int32_t w, int32_t h)
    {
        ww = w;
        wh = h;
        map = xgui_mapping(w, h);
        ASSERT_TRUE(open_window(w, h));
        xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        xgui_set_selected(xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M", XGUI_ALIGN_RIGHT), 1);
        const int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
        xgui_set_picture(picture, win.renderer, files->path("res/0P").c_str());
        xgui_set_open(true);
        for (int i = 0; i < 256 / XGUI_FADE_STEP; i++)
            xgui_update(435, 305, 0);
    }
    void draw()
    {
        SDL_SetRenderDrawColor(win.renderer, 0, 0, 0, 255);
        SDL_RenderClear(win.renderer);
        xgui_draw(win.renderer, ww, wh);
        frame = read_frame(win.renderer, ww, wh);
        ASSERT_FALSE(frame.empty()) << SDL_GetError();
    }
    uint32_t at(int32_t x, int32_t y) const  // under overlay point (x, y)
    {
        const SDL_Rect r = xgui_map_rect(map, x, y, 0, 0);
        return frame[(size_t)r.y * ww + r.x];
    }
};

// Glyphs of 48 rows advance 25 with ink in their first 22 columns. "M" right-aligned at 1495
// starts at 1470; the check glyph (advance 24, 21 columns of ink) at 1470 - 24 / 4 - 24 = 1440.
// Exact edges are checked where the overlay is unscaled.
TEST_F(XguiDraw, WidgetsLandWhereTheMappingSays)
{
    const struct { int32_t x, y; uint32_t colour; bool exact; } spots[] = {
        {510, 324, YELLOW, false},  // in the last M
        {533, 324, BACK, false},    // past the label
        {1480, 624, WHITE, false},  // in the toggle's M
        {1450, 624, WHITE, false},  // in its check mark
        {960, 900, PIC, false},
        {990, 900, BACK, false},    // past the picture
        {425, 300, YELLOW, true},   // the label's top-left pixel
        {424, 300, BACK, true},
        {425, 347, YELLOW, true},   // its last row
        {425, 348, BACK, true},
        {1440, 620, WHITE, true},   // the check mark's first column
        {1439, 620, BACK, true},
        {940, 885, PIC, true},      // the picture's top-left pixel
        {939, 885, BACK, true},
        {979, 914, PIC, true},      // its bottom-right pixel
        {980, 914, BACK, true},
    };
    for (const int32_t w : {640, 2560}) {
        open(w, w == 640 ? 480 : 1080);
        draw();
        for (const auto &s : spots) {
            if (s.exact && map.sw != XGUI_OVERLAY_W)
                continue;
            EXPECT_EQ(s.colour, at(s.x, s.y)) << ww << "x" << wh << " at " << s.x << "," << s.y;
        }
    }
    EXPECT_EQ(0u, frame[540 * 2560 + 100]) << "the bar beside the overlay";
}

TEST_F(XguiDraw, FadedOutDrawsNothing)
{
    open(640, 480);
    xgui_set_open(false);
    for (int i = 0; i < 256 / XGUI_FADE_STEP; i++)
        xgui_update(0, 0, 0);
    draw();
    EXPECT_EQ("", frame_mismatches(frame, ww, wh, [](int, int) { return 0u; }, 0)) << "alpha " << xgui_alpha;
}
