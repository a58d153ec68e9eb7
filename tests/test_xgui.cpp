// The overlay toolkit driven without drawing: pointer positions and clicks go into
// xgui_update, the widget table and the queries are checked.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "xgui_test_files.h"

static void move_to(int32_t x, int32_t y) { xgui_update(1920, 1080, x, y, 0); }
static void click_at(int32_t x, int32_t y) { xgui_update(1920, 1080, x, y, 1); }
static void click(int32_t x, int32_t y) { move_to(x, y), click_at(x, y); }  // a fresh click
static int32_t text_width(const char *text)
{
    SDL_Rect r;
    return xgui_text(&r, nullptr, 0, 0, 0, 0, text, false)->w;
}

struct XguiEnv : ::testing::Environment {
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};
static auto *const xgui_env = ::testing::AddGlobalTestEnvironment(new XguiEnv);

// Runs each toolkit test with the generated font and again with the shipped one.
class Toolkit : public ::testing::TestWithParam<bool> {
protected:
    static ResDir *files;  // generated once for the suite
    TestWindow win;

    static void SetUpTestSuite()
    {
        files = new ResDir;
        ASSERT_TRUE(test_write_res(*files));
    }
    static void TearDownTestSuite() { delete files; }
    void SetUp() override
    {
        ASSERT_TRUE(win.open(64, 64)) << SDL_GetError();
        std::string dir = files->path("");
        if (GetParam()) {
            const char *src = getenv("TEST_SOURCE_DIR");
            dir = std::string(src ? src : ".") + "/";
            if (access((dir + "res/font").c_str(), R_OK) ||
                access((dir + "res/overlay").c_str(), R_OK))
                GTEST_SKIP() << "no shipped res/font and res/overlay";
        }
        ASSERT_TRUE(xgui_init(dir.c_str(), win.renderer));
        xgui_reset();
    }
    void TearDown() override { xgui_free(), xgui_reset(); }
    bool generated() const { return !GetParam(); }
};

ResDir *Toolkit::files;

INSTANTIATE_TEST_SUITE_P(Fonts, Toolkit, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? "shipped" : "generated";
                         });

TEST_P(Toolkit, HitBoxesFollowTextAndAlignment)
{
    const int32_t cw = xgui_font.cell_w, ch = xgui_font.cell_h;
    ASSERT_GT(cw, 0);
    struct Case {
        const char *text;
        int32_t x, y, align;
    } cases[] = {{"Play", 425, 250, 0}, {"Change keys", 1495, 650, XGUI_ALIGN_RIGHT},
                 {"", 800, 500, 0},     {"", 1200, 500, XGUI_ALIGN_RIGHT}};
    for (const Case &c : cases) {
        xgui_reset();
        int32_t i = xgui_add(XGUI_BUTTON, 0, c.x, c.y, c.text, c.align);
        int32_t w = text_width(c.text);
        int32_t left = (c.align == XGUI_ALIGN_RIGHT ? c.x - w : c.x) - cw / 4;
        int32_t right = left + w + cw / 2, top = c.y - ch / 8, bottom = top + ch + ch / 4;
        int32_t mx = (left + right) / 2, my = (top + bottom) / 2;
        // Each edge: its last pixel inside, the next one outside.
        const int32_t probes[][3] = {
            {left, my, 1}, {left - 1, my, 0}, {right - 1, my, 1}, {right, my, 0},
            {mx, top, 1},  {mx, top - 1, 0},  {mx, bottom - 1, 1}, {mx, bottom, 0},
        };
        for (const auto &p : probes) {
            move_to(p[0], p[1]);
            EXPECT_EQ(xgui_widgets[i].hover, p[2])
                << "\"" << c.text << "\" align " << c.align << " at " << p[0] << "," << p[1];
        }
    }
}

TEST_P(Toolkit, MeasuredAdvancesStayInsideTheCell)
{
    const int32_t cw = xgui_font.cell_w;
    EXPECT_EQ(xgui_font.advance[XGUI_SPACE_GLYPH], cw / 2);
    for (int c = 0; c < XGUI_GLYPHS; c++) {
        EXPECT_GE(xgui_font.advance[c], cw / 7) << "glyph " << c;
        EXPECT_LE(xgui_font.advance[c], cw / 7 + cw - 1) << "glyph " << c;
        if (generated()) {
            EXPECT_EQ(xgui_font.advance[c], test_glyph_advance(c)) << "glyph " << c;
        }
    }
    EXPECT_GT(xgui_font.advance[XGUI_CHECK_GLYPH], cw / 7) << "the check mark has ink";
}

TEST_P(Toolkit, ActivationsAreEdgeTriggered)
{
    int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    int32_t tog = xgui_add(XGUI_TOGGLE, 0, 425, 450, "Fullscreen", 0);
    const int32_t px = 430, py = 260;

    click_at(px, py);
    EXPECT_TRUE(xgui_activated());
    EXPECT_TRUE(xgui_take(play));
    EXPECT_FALSE(xgui_take(play)) << "one click, one activation";
    EXPECT_FALSE(xgui_take(tog));
    click_at(px, py);
    EXPECT_FALSE(xgui_activated()) << "a click still held does not fire again";
    EXPECT_FALSE(xgui_take(play));
    click(px, py);
    EXPECT_TRUE(xgui_take(play)) << "fires again after a frame without a click";
    click(px, py);
    move_to(px, py);
    EXPECT_FALSE(xgui_take(play)) << "not taken before the next update: lost";

    move_to(0, 0);
    move_to(px, py);
    EXPECT_TRUE(xgui_hover_started());
    move_to(px + 1, py);
    EXPECT_FALSE(xgui_hover_started()) << "hover starts once per entry";

    // Hidden widgets and widgets of other pages take no part.
    xgui_set_visible(play, 0);
    click(px, py);
    EXPECT_FALSE(xgui_take(play));
    xgui_set_visible(play, 1);
    xgui_set_page(1);
    click(px, py);
    EXPECT_FALSE(xgui_take(play));
}

TEST_P(Toolkit, ConfirmationFlows)
{
    int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    int32_t reset = xgui_add(XGUI_CONFIRM, 0, 425, 300, "Reset", 0);
    int32_t quit = xgui_add(XGUI_CONFIRM, 0, 425, 350, "Quit", 0);
    const xgui_widget &prompt = xgui_widgets[xgui_confirm];
    auto expect = [&](int32_t pending, int visible, const char *step) {
        EXPECT_EQ(xgui_pending, pending) << step;
        EXPECT_EQ(prompt.visible, visible) << step;
    };

    click(430, 305);
    EXPECT_TRUE(xgui_activated());
    expect(reset, 1, "arm");
    EXPECT_EQ(prompt.y, 300);
    EXPECT_FALSE(xgui_take(reset)) << "arming is not an activation";
    click(430, 305);
    EXPECT_FALSE(xgui_activated()) << "re-arming the same";
    expect(reset, 1, "re-arm the same");
    click(430, 355);
    EXPECT_TRUE(xgui_activated());
    expect(quit, 1, "arm another");
    EXPECT_EQ(prompt.y, 350);
    click(5, 5);
    expect(-1, 0, "a click on nothing cancels");
    EXPECT_FALSE(xgui_take(quit));
    click(430, 305);
    click(430, 255);
    EXPECT_TRUE(xgui_take(play));
    expect(-1, 0, "a plain button cancels");
    EXPECT_FALSE(xgui_take(reset));

    click(430, 355);
    click(prompt.x + 2, prompt.y + 5);
    EXPECT_TRUE(xgui_activated());
    EXPECT_TRUE(xgui_take(quit)) << "confirmed";
    EXPECT_FALSE(xgui_take(reset));
    expect(-1, 0, "confirm");
    click(prompt.x + 2, prompt.y + 5);
    EXPECT_FALSE(xgui_take(quit)) << "the hidden prompt cannot be clicked";

    // Mended fault: armed while the menu was hidden, opening it showed "OK?" at once.
    click(430, 305);
    xgui_set_open(true);
    expect(-1, 0, "opening drops a confirmation armed while hidden");
    click(430, 305);
    EXPECT_TRUE(xgui_activated()) << "arming after opening is a fresh arming";
    xgui_set_open(false);
    EXPECT_EQ(prompt.visible, 0) << "closing hides the prompt";
}

TEST_P(Toolkit, PromptSitsBesideTheArmedButton)
{
    const int32_t cw = xgui_font.cell_w;
    // "MMMM" measures 100 in the generated font, the example's width.
    const char *text = generated() ? "MMMM" : "Preset";
    const int32_t w = text_width(text);
    if (generated()) {
        ASSERT_EQ(w, 100);
    }
    struct Case {
        int32_t x, align, expect_x;
    } cases[] = {
        {425, 0, generated() ? 557 : 425 + w + cw},
        {1495, XGUI_ALIGN_RIGHT, generated() ? 1279 : 1495 - 100 - (w + cw / 2)},
        {1200, 0, 1200 - 100},
    };
    for (const Case &c : cases) {
        xgui_reset();
        xgui_add(XGUI_CONFIRM, 1, c.x, 900, text, c.align);
        xgui_set_page(1);
        click((c.align == XGUI_ALIGN_RIGHT ? c.x - w : c.x) + 1, 905);
        EXPECT_EQ(xgui_pending, 1);
        EXPECT_EQ(xgui_widgets[xgui_confirm].x, c.expect_x) << "x " << c.x << " align " << c.align;
        EXPECT_EQ(xgui_widgets[xgui_confirm].y, 900);
    }
}

TEST_P(Toolkit, FadeTakes32Updates)
{
    xgui_set_page(1);
    xgui_set_open(true);
    EXPECT_EQ(xgui_page, 0) << "opening shows page 0";
    for (int i = 1; i <= 33; i++) {
        move_to(0, 0);
        EXPECT_EQ(xgui_alpha, SDL_min(8 * i, 255)) << "fading in, update " << i;
    }
    xgui_set_open(false);
    for (int i = 1; i <= 32; i++) {
        move_to(0, 0);
        EXPECT_EQ(xgui_alpha, SDL_max(255 - 8 * i, 0)) << "fading out, update " << i;
    }
}

TEST_P(Toolkit, TableFillsAt256AndIgnoresOutsideIndices)
{
    ASSERT_EQ(xgui_count, 1) << "the prompt is widget 0";
    for (int i = 1; i < XGUI_MAX_WIDGETS; i++)
        ASSERT_EQ(xgui_add(XGUI_LABEL, 0, 0, 0, "x", 0), i);
    EXPECT_EQ(xgui_add(XGUI_BUTTON, 0, 0, 0, "full", 0), -1);
    EXPECT_EQ(xgui_count, XGUI_MAX_WIDGETS);
    for (int32_t bad : {-1, XGUI_MAX_WIDGETS, INT32_MIN, INT32_MAX}) {
        xgui_set_selected(bad, 1);
        xgui_set_visible(bad, 0);
        xgui_set_text(bad, "x");
        xgui_set_pos(bad, 1, 1);
        xgui_set_picture(bad, win.renderer, "nothing");
        EXPECT_FALSE(xgui_take(bad));
        EXPECT_EQ(xgui_is_selected(bad), 0);
    }
    xgui_set_selected(255, 7);
    EXPECT_EQ(xgui_is_selected(255), 7);
    move_to(0, 0);  // a full table updates without trouble
}

TEST_P(Toolkit, OddTextIsSafe)
{
    const char odd[] = {(char)0x80, (char)0xE9, (char)0xFF, 'A', 0};
    EXPECT_EQ(text_width(odd), text_width("???A")) << "bytes outside the font draw '?'";

    std::string longer(300, 'M');
    int32_t i = xgui_add(XGUI_BUTTON, 0, 10, 10, longer.c_str(), 0);
    EXPECT_EQ(strlen(xgui_widgets[i].text), 255u);
    xgui_set_text(i, longer.c_str());
    EXPECT_EQ(strlen(xgui_widgets[i].text), 255u);
    xgui_set_text(i, nullptr);
    EXPECT_STREQ(xgui_widgets[i].text, "");
    EXPECT_STREQ(xgui_widgets[xgui_add(XGUI_LABEL, 0, 10, 10, nullptr, 0)].text, "");
    move_to(12, 12);
}

// Loading failures and pictures: each test damages its own copy of the files.

TEST(Loading, InitFailsCleanly)
{
    ResDir files;
    TestWindow win;
    ASSERT_TRUE(win.open(64, 64) && test_write_res(files)) << SDL_GetError();
    const std::string font = files.read("res/font"), overlay = files.read("res/overlay");
    const std::string dir = files.path("");
    struct Case {
        const char *what;
        std::string overlay, font;  // "" leaves the file missing
    } cases[] = {
        {"no overlay", "", font},        {"no font", overlay, ""},
        {"cut overlay", overlay.substr(0, 200), font},
        {"cut font", overlay, font.substr(0, 200)}, {"font header only", overlay, font.substr(0, 8)},
    };
    for (const Case &c : cases) {
        files.remove("res/font");
        files.remove("res/overlay");
        if (!c.overlay.empty())
            files.write("res/overlay", c.overlay);
        if (!c.font.empty())
            files.write("res/font", c.font);
        EXPECT_FALSE(xgui_init(dir.c_str(), win.renderer)) << c.what;
        EXPECT_EQ(xgui_overlay, nullptr) << c.what;
        EXPECT_EQ(xgui_font.texture, nullptr) << c.what;
    }
    EXPECT_FALSE(xgui_init(std::string(1020, 'd').c_str(), win.renderer)) << "name too long";
    EXPECT_FALSE(xgui_init(nullptr, win.renderer));
    files.write("res/overlay", overlay);
    files.write("res/font", font);
    EXPECT_TRUE(xgui_init(dir.c_str(), win.renderer));
    EXPECT_TRUE(xgui_init(dir.c_str(), win.renderer)) << "a second init replaces the textures";
    EXPECT_NE(xgui_font.texture, nullptr);
    xgui_free();
}

TEST(Loading, PicturesFromBmpFilesOnly)
{
    ResDir files;
    TestWindow win;
    ASSERT_TRUE(win.open(64, 64) && test_write_res(files)) << SDL_GetError();
    const std::string bmp = files.path("res/0P");
    files.write("res/cut", files.read("res/0P").substr(0, 60));
    files.write("res/junk", "BM not really a bitmap at all");
    xgui_reset();
    int32_t pic = xgui_add(XGUI_PICTURE, 0, 580, 900, "ignored", 0);
    EXPECT_STREQ(xgui_widgets[pic].text, "") << "pictures keep no text";
    xgui_set_picture(pic, win.renderer, bmp.c_str());
    ASSERT_NE(xgui_widgets[pic].texture, nullptr);
    EXPECT_EQ(xgui_widgets[pic].w, 40);
    EXPECT_EQ(xgui_widgets[pic].h, 30);
    // Each damaged or non-BMP file replaces a good picture with none.
    for (const char *bad : {"res/font", "res/cut", "res/junk", "res/missing"}) {
        xgui_set_picture(pic, win.renderer, bmp.c_str());
        xgui_set_picture(pic, win.renderer, files.path(bad).c_str());
        EXPECT_EQ(xgui_widgets[pic].texture, nullptr) << bad;
        EXPECT_EQ(xgui_widgets[pic].w, 40) << bad;
    }
    xgui_set_picture(pic, nullptr, bmp.c_str());
    EXPECT_EQ(xgui_widgets[pic].texture, nullptr) << "no renderer";
}
