// The overlay drawn through the software renderer: the mapping onto windows of several
// shapes, and the pixels of labels, check marks and pictures where the mapping puts them.
#include <gtest/gtest.h>

#include <vector>

#include "xgui_test_files.h"

// Window sizes with the 16:9 area the overlay must use, worked out by hand.
struct Shape {
    int32_t ww, wh, sw, off;
};
static const Shape SHAPES[] = {
    {1920, 1080, 1920, 0},
    {640, 480, 853, -106},
    {2560, 1080, 1920, 320},
};

TEST(XguiMapping, SixteenByNineAreaAsHighAsTheWindow)
{
    const int32_t points[][2] = {{0, 0}, {960, 540}, {425, 300}, {1919, 1079}};
    for (const Shape &s : SHAPES) {
        SCOPED_TRACE(::testing::Message() << s.ww << "x" << s.wh);
        XguiMapping m = xgui_mapping(s.ww, s.wh);
        EXPECT_EQ(m.sw, s.sw);
        EXPECT_EQ(m.off, s.off);
        SDL_Rect whole = xgui_map_rect(m, 0, 0, XGUI_OVERLAY_W, XGUI_OVERLAY_H);
        EXPECT_EQ(whole.x, s.off);
        EXPECT_EQ(whole.w, s.sw);
        EXPECT_EQ(whole.h, s.wh);
        // Overlay to window and back lands within a pixel's worth of overlay units.
        for (const auto &p : points) {
            SDL_Rect at = xgui_map_rect(m, p[0], p[1], 0, 0);
            int32_t ox = -1, oy = -1;
            ASSERT_TRUE(xgui_unmap_point(s.ww, s.wh, at.x, at.y, &ox, &oy));
            EXPECT_NEAR(ox, p[0], XGUI_OVERLAY_H / s.wh + 2);
            EXPECT_NEAR(oy, p[1], XGUI_OVERLAY_H / s.wh + 2);
        }
    }
    SDL_Rect centre = xgui_map_rect(xgui_mapping(640, 480), 960, 540, 0, 0);
    EXPECT_EQ(centre.x, 320);
    EXPECT_EQ(centre.y, 240);
    int32_t ox, oy;
    EXPECT_FALSE(xgui_unmap_point(640, 0, 1, 1, &ox, &oy));
}

class XguiDraw : public ::testing::Test {
protected:
    static ResDir *files;
    TestWindow win;
    std::vector<uint32_t> pixels;  // ARGB8888 of the last read
    int32_t ww = 0, wh = 0;
    int32_t toggle = -1, picture = -1;

    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        files = new ResDir;
        ASSERT_TRUE(test_write_res(*files));
    }
    static void TearDownTestSuite()
    {
        delete files;
        files = nullptr;
        SDL_Quit();
    }
    void TearDown() override
    {
        xgui_free();
        xgui_reset();
        xgui_set_open(false);
        xgui_alpha = 0;
    }

    // A window of the given size with the menu faded fully in.
    void open(int32_t w, int32_t h)
    {
        ww = w;
        wh = h;
        ASSERT_TRUE(win.open(w, h)) << SDL_GetError();
        ASSERT_TRUE(xgui_init(files->path("").c_str(), win.renderer));
        xgui_reset();
        xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        toggle = xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M", XGUI_ALIGN_RIGHT);
        xgui_set_selected(toggle, 1);
        picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
        xgui_set_picture(picture, win.renderer, files->path("res/0P").c_str());
        xgui_set_open(true);
        for (int i = 0; i < 32; i++)
            xgui_update(w, h, 0, 0, 0);
    }
    void draw()
    {
        SDL_SetRenderDrawColor(win.renderer, 0, 0, 0, 255);
        SDL_RenderClear(win.renderer);
        xgui_draw(win.renderer, ww, wh);
        pixels.assign((size_t)ww * wh, 0);
        ASSERT_EQ(SDL_RenderReadPixels(win.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                       pixels.data(), ww * 4), 0) << SDL_GetError();
    }
    uint32_t at_pixel(int32_t px, int32_t py) const
    {
        if (px < 0 || py < 0 || px >= ww || py >= wh)
            return 0xDEADBEEF;
        return pixels[(size_t)py * ww + px] & 0xFFFFFF;
    }
    // Colour (0xRRGGBB) of the window pixel under overlay point (x, y).
    uint32_t at_overlay(const Shape &s, int32_t x, int32_t y) const
    {
        return at_pixel(s.off + s.sw * x / XGUI_OVERLAY_W, s.wh * y / XGUI_OVERLAY_H);
    }
};

ResDir *XguiDraw::files;

static const uint32_t WHITE = 0xFFFFFF, YELLOW = 0xFFFF00, BLACK = 0, BACK = TEST_OVERLAY;

TEST_F(XguiDraw, WidgetsLandWhereTheMappingSays)
{
    // "MMMM" at 425: glyphs advance 25 with ink in their first 22 columns. "M" right-aligned
    // at 1495 starts at 1470; the check glyph (advance 24, 21 columns of ink) sits at
    // 1470 - 24 / 4 - 24 = 1440. The 40 x 30 picture is centred on 960, 900.
    const int32_t ink_y = 300 + TEST_CELL_H / 2, check_x = 1440;
    for (const Shape &s : SHAPES) {
        SCOPED_TRACE(::testing::Message() << s.ww << "x" << s.wh);
        open(s.ww, s.wh);
        draw();
        const struct {
            int32_t x, y;
            uint32_t colour;
        } spots[] = {
            {425 + 10, ink_y, WHITE},     {500 + 10, ink_y, WHITE},  {500 + 33, ink_y, BACK},
            {300, 100, BACK},             {1470 + 10, 624, WHITE},   {check_x + 10, 624, WHITE},
            {960, 900, TEST_PREVIEW},     {960 + 30, 900, BACK},
        };
        for (const auto &e : spots)
            EXPECT_EQ(at_overlay(s, e.x, e.y), e.colour) << "at " << e.x << "," << e.y;
        if (s.off > 0) {
            EXPECT_EQ(at_pixel(s.off / 2, s.wh / 2), BLACK) << "bar beside the overlay";
        }
        if (s.sw == XGUI_OVERLAY_W) {
            // Unscaled: every edge is exact to the pixel.
            const struct {
                int32_t x, y;
                uint32_t colour;
            } edges[] = {
                {425, 300, WHITE},          {424, 300, BACK},          {425, 299, BACK},
                {425, 347, WHITE},          {425, 348, BACK},          {425 + 21, 320, WHITE},
                {425 + 22, 320, BACK},      {450, 320, WHITE},         {check_x, 620, WHITE},
                {check_x - 1, 620, BACK},   {check_x + 20, 620, WHITE}, {check_x + 21, 620, BACK},
                {940, 885, TEST_PREVIEW},   {939, 885, BACK},          {979, 914, TEST_PREVIEW},
                {980, 914, BACK},           {979, 915, BACK},
            };
            for (const auto &e : edges)
                EXPECT_EQ(at_overlay(s, e.x, e.y), e.colour) << "at " << e.x << "," << e.y;
        }

        // Hovered: yellow; the check mark follows selection.
        xgui_update(ww, wh, 425 + 10, 305, 0);
        xgui_set_selected(toggle, 0);
        draw();
        EXPECT_EQ(at_overlay(s, 425 + 10, ink_y), YELLOW) << "hovered";
        EXPECT_EQ(at_overlay(s, 1470 + 10, 624), WHITE);
        EXPECT_EQ(at_overlay(s, check_x + 10, 624), BACK) << "no check when deselected";

        // Hidden widgets and other pages draw nothing.
        xgui_set_visible(picture, 0);
        xgui_set_page(1);
        draw();
        EXPECT_EQ(at_overlay(s, 960, 900), BACK);
        EXPECT_EQ(at_overlay(s, 425 + 10, ink_y), BACK);
        TearDown();
    }
}

TEST_F(XguiDraw, NothingDrawnAtAlphaZero)
{
    open(1920, 1080);
    xgui_set_open(false);
    for (int i = 0; i < 31; i++)
        xgui_update(ww, wh, 0, 0, 0);
    draw();
    EXPECT_NE(at_pixel(300, 100), BLACK) << "still fading out at alpha " << xgui_alpha;
    xgui_update(ww, wh, 0, 0, 0);
    ASSERT_EQ(xgui_alpha, 0);
    draw();
    for (size_t i = 0; i < pixels.size(); i++)
        ASSERT_EQ(pixels[i] & 0xFFFFFF, BLACK) << "pixel " << i;
}
