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
    for (const Shape &s : SHAPES) {
        XguiMapping m = xgui_mapping(s.ww, s.wh);
        EXPECT_EQ(m.sw, s.sw) << s.ww << "x" << s.wh;
        EXPECT_EQ(m.off, s.off) << s.ww << "x" << s.wh;
        SDL_Rect whole = xgui_map_rect(m, 0, 0, XGUI_OVERLAY_W, XGUI_OVERLAY_H);
        EXPECT_EQ(whole.x, s.off);
        EXPECT_EQ(whole.w, s.sw);
        EXPECT_EQ(whole.h, s.wh);
    }
    SDL_Rect r = xgui_map_rect(xgui_mapping(640, 480), 960, 540, 0, 0);
    EXPECT_EQ(r.x, 320);
    EXPECT_EQ(r.y, 240);
    EXPECT_EQ(xgui_map_rect(xgui_mapping(640, 480), 0, 0, 0, 0).x, -106);

    // Window to overlay and back lands within a pixel's worth of overlay units.
    const int32_t points[][2] = {{0, 0}, {960, 540}, {425, 300}, {1919, 1079}};
    for (const Shape &s : SHAPES) {
        XguiMapping m = xgui_mapping(s.ww, s.wh);
        int32_t slack = XGUI_OVERLAY_H / s.wh + 2;
        for (const auto &p : points) {
            SDL_Rect at = xgui_map_rect(m, p[0], p[1], 0, 0);
            int32_t ox = -1, oy = -1;
            ASSERT_TRUE(xgui_unmap_point(s.ww, s.wh, at.x, at.y, &ox, &oy));
            EXPECT_NEAR(ox, p[0], slack) << s.ww << "x" << s.wh;
            EXPECT_NEAR(oy, p[1], slack) << s.ww << "x" << s.wh;
        }
    }
    int32_t ox, oy;
    EXPECT_FALSE(xgui_unmap_point(640, 0, 1, 1, &ox, &oy));
}

// ---------------------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------------------

class XguiDraw : public ::testing::Test {
protected:
    static TestResDir *files;
    TestWindow win;
    std::vector<uint32_t> pixels;  // ARGB8888 of the last read
    int32_t ww = 0, wh = 0;
    int32_t button = -1, toggle = -1, picture = -1;

    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        files = new TestResDir;
        ASSERT_TRUE(files->write_all());
        SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 24, SDL_PIXELFORMAT_BGR24);
        ASSERT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 10, 200, 30));
        ASSERT_EQ(SDL_SaveBMP(s, files->res("0P").c_str()), 0);
        SDL_FreeSurface(s);
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
        ASSERT_TRUE(xgui_init(files->dir.c_str(), win.renderer));
        xgui_reset();
        button = xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        toggle = xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M", XGUI_ALIGN_RIGHT);
        xgui_set_selected(toggle, 1);
        picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
        xgui_set_picture(picture, win.renderer, files->res("0P").c_str());
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
    // Colour (0xRRGGBB) of the window pixel under overlay point (x, y).
    uint32_t at_overlay(const Shape &s, int32_t x, int32_t y) const
    {
        int32_t px = s.off + s.sw * x / XGUI_OVERLAY_W;
        int32_t py = s.wh * y / XGUI_OVERLAY_H;
        return at_pixel(px, py);
    }
    uint32_t at_pixel(int32_t px, int32_t py) const
    {
        if (px < 0 || py < 0 || px >= ww || py >= wh)
            return 0xDEADBEEF;
        return pixels[(size_t)py * ww + px] & 0xFFFFFF;
    }
};

TestResDir *XguiDraw::files;

static const uint32_t WHITE = 0xFFFFFF, YELLOW = 0xFFFF00, BLACK = 0;
static const uint32_t BACKGROUND = TEST_OVERLAY_R << 16 | TEST_OVERLAY_G << 8 | TEST_OVERLAY_B;
static const uint32_t PICTURE = 10 << 16 | 200 << 8 | 30;

TEST_F(XguiDraw, WidgetsLandWhereTheMappingSays)
{
    // "MMMM": glyphs advance 25 with ink in their first 22 columns.
    const int32_t ink_y = 300 + TEST_CELL_H / 2;
    // "M" right-aligned at 1495 starts at 1470; the check glyph (advance 24, 21 columns of
    // ink) sits at 1470 - 24 / 4 - 24 = 1440.
    const int32_t check_x = 1440;
    for (const Shape &s : SHAPES) {
        SCOPED_TRACE(::testing::Message() << s.ww << "x" << s.wh);
        open(s.ww, s.wh);
        draw();
        EXPECT_EQ(at_overlay(s, 425 + 10, ink_y), WHITE);
        EXPECT_EQ(at_overlay(s, 500 + 10, ink_y), WHITE) << "fourth glyph";
        EXPECT_EQ(at_overlay(s, 500 + 33, ink_y), BACKGROUND) << "after the text";
        EXPECT_EQ(at_overlay(s, 300, 100), BACKGROUND);
        EXPECT_EQ(at_overlay(s, 1470 + 10, 624), WHITE) << "right-aligned text";
        EXPECT_EQ(at_overlay(s, check_x + 10, 624), WHITE) << "check glyph";
        EXPECT_EQ(at_overlay(s, 960, 900), PICTURE);
        EXPECT_EQ(at_overlay(s, 960 + 30, 900), BACKGROUND) << "right of the picture";
        if (s.off > 0) {
            EXPECT_EQ(at_pixel(s.off / 2, s.wh / 2), BLACK) << "bar beside the overlay";
        }
        if (s.sw == XGUI_OVERLAY_W) {
            // Unscaled: every edge is exact to the pixel.
            const struct {
                int32_t x, y;
                uint32_t colour;
            } edges[] = {
                {425, 300, WHITE},           {424, 300, BACKGROUND},
                {425, 299, BACKGROUND},      {425, 347, WHITE},
                {425, 348, BACKGROUND},      {425 + 21, 320, WHITE},
                {425 + 22, 320, BACKGROUND}, {450, 320, WHITE},
                {check_x, 620, WHITE},       {check_x - 1, 620, BACKGROUND},
                {check_x + 20, 620, WHITE},  {check_x + 21, 620, BACKGROUND},
                {940, 885, PICTURE},         {939, 885, BACKGROUND},
                {979, 914, PICTURE},         {980, 914, BACKGROUND},
                {979, 915, BACKGROUND},
            };
            for (const auto &e : edges)
                EXPECT_EQ(at_overlay(s, e.x, e.y), e.colour) << "at " << e.x << "," << e.y;
        }

        // Hovered: yellow, and the check mark follows selection.
        int32_t hover_x = 425 + 10, hover_y = 305;
        xgui_update(ww, wh, hover_x, hover_y, 0);
        xgui_set_selected(toggle, 0);
        draw();
        EXPECT_EQ(at_overlay(s, 425 + 10, ink_y), YELLOW);
        EXPECT_EQ(at_overlay(s, 1470 + 10, 624), WHITE);
        EXPECT_EQ(at_overlay(s, check_x + 10, 624), BACKGROUND) << "no check when deselected";

        // Hidden widgets and other pages draw nothing.
        xgui_set_visible(picture, 0);
        xgui_set_page(1);
        draw();
        EXPECT_EQ(at_overlay(s, 960, 900), BACKGROUND);
        EXPECT_EQ(at_overlay(s, 425 + 10, ink_y), BACKGROUND);
        TearDown();
    }
}

TEST_F(XguiDraw, ClosedAndFadedDrawsNothing)
{
    const Shape &s = SHAPES[0];
    open(s.ww, s.wh);
    xgui_set_open(false);
    for (int i = 0; i < 31; i++)
        xgui_update(ww, wh, 0, 0, 0);
    draw();
    EXPECT_NE(at_overlay(s, 300, 100), BLACK) << "still fading out";
    xgui_update(ww, wh, 0, 0, 0);
    ASSERT_EQ(xgui_alpha, 0);
    draw();
    for (size_t i = 0; i < pixels.size(); i++)
        ASSERT_EQ(pixels[i] & 0xFFFFFF, BLACK) << "pixel " << i;
}
