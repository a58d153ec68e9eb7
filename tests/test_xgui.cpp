// The overlay toolkit driven without drawing: pointer positions and clicks go into
// xgui_update, the widget table and the queries are checked.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "xgui_test_files.h"

static const int32_t WIN_W = 1920, WIN_H = 1080;

static void move_to(int32_t x, int32_t y)
{
    xgui_update(WIN_W, WIN_H, x, y, 0);
}

static void click_at(int32_t x, int32_t y)
{
    xgui_update(WIN_W, WIN_H, x, y, 1);
}

static int32_t text_width(const char *text)
{
    SDL_Rect r;
    return xgui_text(&r, nullptr, 0, 0, 0, 0, text, false)->w;
}

class XguiEnv : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};
static ::testing::Environment *const xgui_env =
    ::testing::AddGlobalTestEnvironment(new XguiEnv);

// Runs each toolkit test with the generated font and again with the shipped one.
class Toolkit : public ::testing::TestWithParam<bool> {
protected:
    static TestResDir *files;  // generated once for the suite
    TestWindow win;
    std::string dir;

    static void SetUpTestSuite()
    {
        files = new TestResDir;
        files->write_all();
    }
    static void TearDownTestSuite()
    {
        delete files;
        files = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(win.open(64, 64)) << SDL_GetError();
        if (GetParam()) {
            const char *src = getenv("TEST_SOURCE_DIR");
            dir = std::string(src ? src : ".") + "/";
            if (access((dir + "res/font").c_str(), R_OK) != 0 ||
                access((dir + "res/overlay").c_str(), R_OK) != 0)
                GTEST_SKIP() << "no shipped res/font and res/overlay yet";
        } else {
            dir = files->dir;
        }
        ASSERT_TRUE(xgui_init(dir.c_str(), win.renderer));
        xgui_reset();
    }
    void TearDown() override
    {
        xgui_free();
        xgui_reset();
    }
    bool generated() const { return !GetParam(); }
};

TestResDir *Toolkit::files;

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
    } cases[] = {
        {"Play", 425, 250, 0},
        {"Change keys", 1495, 650, XGUI_ALIGN_RIGHT},
        {"", 800, 500, 0},
        {"", 1200, 500, XGUI_ALIGN_RIGHT},
    };
    for (const Case &c : cases) {
        xgui_reset();
        int32_t i = xgui_add(XGUI_BUTTON, 0, c.x, c.y, c.text, c.align);
        int32_t w = text_width(c.text);
        int32_t left = (c.align == XGUI_ALIGN_RIGHT ? c.x - w : c.x) - cw / 4;
        int32_t right = left + w + cw / 2;  // first column outside
        int32_t top = c.y - ch / 8;
        int32_t bottom = top + ch + ch / 4;  // first row outside
        int32_t mx = (left + right) / 2, my = (top + bottom) / 2;
        struct Probe {
            int32_t x, y;
            uint8_t inside;
        } probes[] = {
            {left, my, 1}, {left - 1, my, 0}, {right - 1, my, 1}, {right, my, 0},
            {mx, top, 1},  {mx, top - 1, 0},  {mx, bottom - 1, 1}, {mx, bottom, 0},
        };
        for (const Probe &p : probes) {
            move_to(p.x, p.y);
            EXPECT_EQ(xgui_widgets[i].hover, p.inside)
                << "\"" << c.text << "\" align " << c.align << " at " << p.x << "," << p.y;
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
    if (!generated()) {
        // The shipped font: its check mark and letters carry ink.
        EXPECT_EQ(cw, 32);
        EXPECT_EQ(xgui_font.cell_h, 48);
        EXPECT_GT(xgui_font.advance[XGUI_CHECK_GLYPH], cw / 7);
        EXPECT_GT(xgui_font.advance['W'], xgui_font.advance['i']);
    }
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

    // A click reported again before any update without one does not fire again.
    click_at(px, py);
    EXPECT_FALSE(xgui_activated());
    EXPECT_FALSE(xgui_take(play));

    move_to(px, py);
    click_at(px, py);
    EXPECT_TRUE(xgui_take(play)) << "fires again after a frame without a click";

    // Not taken before the next update without a click: lost.
    move_to(px, py);
    click_at(px, py);
    move_to(px, py);
    EXPECT_FALSE(xgui_take(play));

    // Hover starts once per entry.
    move_to(0, 0);
    move_to(px, py);
    EXPECT_TRUE(xgui_hover_started());
    move_to(px + 1, py);
    EXPECT_FALSE(xgui_hover_started());

    // Hidden widgets and widgets of other pages do not take part and keep their fields.
    xgui_set_visible(play, 0);
    click_at(px, py);
    EXPECT_FALSE(xgui_take(play));
    EXPECT_EQ(xgui_widgets[play].hover, 1);
    xgui_set_visible(play, 1);
    move_to(px, py);
    xgui_set_page(1);
    move_to(0, 0);
    click_at(px, py);
    EXPECT_EQ(xgui_widgets[play].hover, 1) << "a widget of another page keeps its hover";
    EXPECT_FALSE(xgui_take(play));
    xgui_set_page(0);
    move_to(0, 0);
    EXPECT_EQ(xgui_widgets[play].hover, 0);
}

TEST_P(Toolkit, ConfirmationFlows)
{
    int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    int32_t reset = xgui_add(XGUI_CONFIRM, 0, 425, 300, "Reset", 0);
    int32_t quit = xgui_add(XGUI_CONFIRM, 0, 425, 350, "Quit", 0);
    const xgui_widget &prompt = xgui_widgets[xgui_confirm];
    auto click = [](int32_t x, int32_t y) {
        move_to(x, y);  // a fresh click: the previous one has ended
        click_at(x, y);
    };
    auto click_prompt = [&]() { click(prompt.x + 2, prompt.y + 5); };

    // Arm.
    click(430, 305);
    EXPECT_TRUE(xgui_activated());
    EXPECT_EQ(xgui_pending, reset);
    EXPECT_EQ(prompt.visible, 1);
    EXPECT_EQ(prompt.y, 300);
    EXPECT_FALSE(xgui_take(reset)) << "arming is not an activation";

    // Re-arm the same: the prompt stays, no new activation raised.
    click(430, 305);
    EXPECT_FALSE(xgui_activated());
    EXPECT_EQ(xgui_pending, reset);
    EXPECT_EQ(prompt.visible, 1);

    // Arm another: the prompt moves there.
    click(430, 355);
    EXPECT_TRUE(xgui_activated());
    EXPECT_EQ(xgui_pending, quit);
    EXPECT_EQ(prompt.y, 350);

    // A click on nothing cancels.
    click(5, 5);
    EXPECT_EQ(xgui_pending, -1);
    EXPECT_EQ(prompt.visible, 0);
    EXPECT_FALSE(xgui_take(quit));

    // A plain button while the prompt shows: activated, prompt gone.
    click(430, 305);
    click(430, 255);
    EXPECT_TRUE(xgui_take(play));
    EXPECT_EQ(xgui_pending, -1);
    EXPECT_EQ(prompt.visible, 0);
    EXPECT_FALSE(xgui_take(reset));

    // Confirm.
    click(430, 355);
    click_prompt();
    EXPECT_TRUE(xgui_activated());
    EXPECT_TRUE(xgui_take(quit));
    EXPECT_FALSE(xgui_take(reset));
    EXPECT_EQ(xgui_pending, -1);
    EXPECT_EQ(prompt.visible, 0);

    // The hidden prompt cannot be clicked.
    click_prompt();
    EXPECT_FALSE(xgui_take(quit));

    // Closing hides the prompt; reopening starts without a pending confirmation.
    click(430, 305);
    xgui_set_open(false);
    EXPECT_EQ(prompt.visible, 0);
    xgui_set_open(true);
    EXPECT_EQ(xgui_pending, -1);
    click(430, 305);
    EXPECT_TRUE(xgui_activated()) << "arming after reopening is a fresh arming";
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
        {425, 0, 425 + w + cw / 2 + cw / 2},
        {1495, XGUI_ALIGN_RIGHT, 1495 - 100 - (w + cw / 2)},
        {1200, 0, 1200 - 100},
    };
    if (generated()) {
        EXPECT_EQ(cases[0].expect_x, 557);
        EXPECT_EQ(cases[1].expect_x, 1279);
    }
    for (const Case &c : cases) {
        xgui_reset();
        int32_t i = xgui_add(XGUI_CONFIRM, 1, c.x, 900, text, c.align);
        xgui_set_page(1);
        int32_t left = c.align == XGUI_ALIGN_RIGHT ? c.x - w : c.x;
        move_to(left + 1, 905);
        click_at(left + 1, 905);
        EXPECT_EQ(xgui_pending, i);
        EXPECT_EQ(xgui_widgets[xgui_confirm].x, c.expect_x) << "x " << c.x << " align " << c.align;
        EXPECT_EQ(xgui_widgets[xgui_confirm].y, 900);
    }
}

TEST_P(Toolkit, FadeTakes32Updates)
{
    EXPECT_FALSE(xgui_is_open());
    EXPECT_EQ(xgui_alpha, 0);
    xgui_set_page(1);
    xgui_set_open(true);
    EXPECT_TRUE(xgui_is_open());
    EXPECT_EQ(xgui_page, 0) << "opening shows page 0";
    for (int i = 1; i <= 32; i++) {
        move_to(0, 0);
        EXPECT_EQ(xgui_alpha, i < 32 ? 8 * i : 255) << "update " << i;
    }
    move_to(0, 0);
    EXPECT_EQ(xgui_alpha, 255);
    xgui_set_open(false);
    for (int i = 1; i <= 32; i++) {
        move_to(0, 0);
        EXPECT_EQ(xgui_alpha, SDL_max(255 - 8 * i, 0)) << "update " << i;
    }
    EXPECT_EQ(xgui_alpha, 0);
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
    // Bytes outside the font stand for the substitute glyph.
    const char odd[] = {(char)0x80, (char)0xE9, (char)0xFF, 'A', 0};
    EXPECT_EQ(text_width(odd), text_width("???A"));

    std::string longer(300, 'M');
    int32_t i = xgui_add(XGUI_BUTTON, 0, 10, 10, longer.c_str(), 0);
    EXPECT_EQ(strlen(xgui_widgets[i].text), 255u);
    xgui_set_text(i, longer.c_str());
    EXPECT_EQ(strlen(xgui_widgets[i].text), 255u);
    xgui_set_text(i, nullptr);
    EXPECT_STREQ(xgui_widgets[i].text, "");
    int32_t j = xgui_add(XGUI_LABEL, 0, 10, 10, nullptr, 0);
    EXPECT_STREQ(xgui_widgets[j].text, "");
    int32_t k = xgui_add(XGUI_PICTURE, 0, 10, 10, "ignored", 0);
    EXPECT_STREQ(xgui_widgets[k].text, "");
    move_to(12, 12);
}

// ---------------------------------------------------------------------------------------
// Loading failures and pictures
// ---------------------------------------------------------------------------------------

class Loading : public ::testing::Test {
protected:
    TestResDir files;
    TestWindow win;
    void SetUp() override { ASSERT_TRUE(win.open(64, 64)) << SDL_GetError(); }
    void TearDown() override
    {
        xgui_free();
        xgui_reset();
    }
};

static void write_bytes(const std::string &path, const void *data, size_t n)
{
    FILE *f = fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    fwrite(data, 1, n, f);
    fclose(f);
}

// Copies the first keep bytes of a file (all of it for keep < 0).
static void truncate_copy(const std::string &from, const std::string &to, long keep = -1)
{
    FILE *f = fopen(from.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string data;
    char buf[4096];
    size_t got;
    while ((got = fread(buf, 1, sizeof buf, f)) > 0)
        data.append(buf, got);
    fclose(f);
    if (keep >= 0 && (size_t)keep < data.size())
        data.resize(keep);
    write_bytes(to, data.data(), data.size());
}

TEST_F(Loading, InitFailsCleanly)
{
    ASSERT_TRUE(files.write_all());
    std::string good_font = files.res("font.good");
    std::string good_overlay = files.res("overlay.good");
    ASSERT_EQ(rename(files.res("font").c_str(), good_font.c_str()), 0);
    ASSERT_EQ(rename(files.res("overlay").c_str(), good_overlay.c_str()), 0);

    struct Case {
        const char *what;
        bool overlay_ok, font_ok;
        long cut;  // bytes kept of the broken file; 0 leaves it missing
    } cases[] = {
        {"no overlay", false, true, 0},  {"no font", true, false, 0},
        {"cut overlay", false, true, 200}, {"cut font", true, false, 200},
        {"font header only", true, false, 8},
    };
    for (const Case &c : cases) {
        remove(files.res("font").c_str());
        remove(files.res("overlay").c_str());
        if (c.overlay_ok)
            truncate_copy(good_overlay, files.res("overlay"));
        else if (c.cut)
            truncate_copy(good_overlay, files.res("overlay"), c.cut);
        if (c.font_ok)
            truncate_copy(good_font, files.res("font"));
        else if (c.cut)
            truncate_copy(good_font, files.res("font"), c.cut);
        EXPECT_FALSE(xgui_init(files.dir.c_str(), win.renderer)) << c.what;
        EXPECT_EQ(xgui_overlay, nullptr) << c.what;
        EXPECT_EQ(xgui_font.texture, nullptr) << c.what;
    }

    // A directory whose names do not fit 1024 bytes is refused, not cut.
    std::string long_dir(1020, 'd');
    EXPECT_FALSE(xgui_init(long_dir.c_str(), win.renderer));
    EXPECT_FALSE(xgui_init(nullptr, win.renderer));

    // The good files load; a second init replaces the textures.
    truncate_copy(good_overlay, files.res("overlay"));
    truncate_copy(good_font, files.res("font"));
    EXPECT_TRUE(xgui_init(files.dir.c_str(), win.renderer));
    EXPECT_TRUE(xgui_init(files.dir.c_str(), win.renderer));
    EXPECT_NE(xgui_font.texture, nullptr);
    EXPECT_FALSE(xgui_is_open());
}

TEST_F(Loading, PicturesFromBmpFiles)
{
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 24, SDL_PIXELFORMAT_BGR24);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 10, 200, 30));
    std::string bmp = files.res("0P");
    ASSERT_EQ(SDL_SaveBMP(s, bmp.c_str()), 0);
    SDL_FreeSurface(s);
    ASSERT_TRUE(test_write_font(files.res("png")));
    truncate_copy(bmp, files.res("cut"), 60);
    const char junk[] = "BM not really a bitmap at all";
    write_bytes(files.res("junk"), junk, sizeof junk);

    xgui_reset();
    int32_t pic = xgui_add(XGUI_PICTURE, 0, 580, 900, "", 0);
    xgui_set_picture(pic, win.renderer, bmp.c_str());
    ASSERT_NE(xgui_widgets[pic].texture, nullptr);
    EXPECT_EQ(xgui_widgets[pic].w, 40);
    EXPECT_EQ(xgui_widgets[pic].h, 30);

    for (const char *bad : {"png", "cut", "junk", "missing"}) {
        xgui_set_picture(pic, win.renderer, files.res(bad).c_str());
        EXPECT_EQ(xgui_widgets[pic].texture, nullptr) << bad;
        EXPECT_EQ(xgui_widgets[pic].w, 40) << bad;
        xgui_set_picture(pic, win.renderer, bmp.c_str());
        EXPECT_NE(xgui_widgets[pic].texture, nullptr) << bad;
    }
    xgui_set_picture(pic, nullptr, bmp.c_str());
    EXPECT_EQ(xgui_widgets[pic].texture, nullptr);
}
