// The overlay toolkit driven without drawing, with the generated font: pointer positions and
// clicks go into xgui_update, the widget table and the queries are checked.
#include <gtest/gtest.h>

#include "xgui_test_files.h"

static void move_to(int32_t x, int32_t y) { xgui_update(1920, 1080, x, y, 0); }
static void click(int32_t x, int32_t y) { move_to(x, y), xgui_update(1920, 1080, x, y, 1); }
static int32_t text_width(const char *text)
{
    SDL_Rect r;
    return xgui_text(&r, nullptr, 0, 0, 0, 0, text, false)->w;
}

class Toolkit : public ::testing::Test {
protected:
    static ResDir *files;  // generated once for the suite
    TestWindow win;
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        files = new ResDir;
        ASSERT_TRUE(test_write_res(*files));
    }
    static void TearDownTestSuite() { delete files, SDL_Quit(); }
    void SetUp() override
    {
        ASSERT_TRUE(win.open(64, 64) && xgui_init(files->path("").c_str(), win.renderer));
        xgui_reset();
    }
    void TearDown() override { xgui_free(); }
};
ResDir *Toolkit::files;

TEST_F(Toolkit, HitBoxesFollowTextAndAlignment)
{
    const int32_t cw = TEST_CELL_W, ch = TEST_CELL_H, y = 500;
    const struct { const char *text; int32_t x, align; } cases[] = {{"Play", 425, 0},
        {"Change keys", 1495, XGUI_ALIGN_RIGHT}, {"", 800, 0}, {"", 1200, XGUI_ALIGN_RIGHT}};
    for (const auto &c : cases) {
        xgui_reset();
        int32_t i = xgui_add(XGUI_BUTTON, 0, c.x, y, c.text, c.align), w = text_width(c.text);
        int32_t l = (c.align == XGUI_ALIGN_RIGHT ? c.x - w : c.x) - cw / 4, r = l + w + cw / 2;
        int32_t t = y - ch / 8, b = t + ch + ch / 4, mx = (l + r) / 2, my = (t + b) / 2;
        // Each edge: its last pixel inside, the next one outside.
        const int32_t probes[][3] = {{l, my, 1}, {l - 1, my, 0}, {r - 1, my, 1}, {r, my, 0},
                                     {mx, t, 1}, {mx, t - 1, 0}, {mx, b - 1, 1}, {mx, b, 0}};
        for (const auto &p : probes) {
            move_to(p[0], p[1]);
            EXPECT_EQ(xgui_widgets[i].hover, p[2]) << c.text << " at " << p[0] << "," << p[1];
        }
    }
}

// Spacing 32 / 7 = 4 plus the last column of ink (alpha 248 or more); a space: half a cell.
TEST_F(Toolkit, AdvancesFollowTheInk)
{
    const int rows[][2] = {{0, 4}, {1, 4}, {2, 14}, {5, 24}, {' ', 16}, {'M', 25}, {127, 35}};
    for (const auto &r : rows)
        EXPECT_EQ(xgui_font.advance[r[0]], r[1]) << "glyph " << r[0];
}

TEST_F(Toolkit, ActivationsAreEdgeTriggered)
{
    int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    click(430, 260);
    EXPECT_TRUE(xgui_take(play) && !xgui_take(play)) << "one click, one activation";
    xgui_update(1920, 1080, 430, 260, 1);
    EXPECT_FALSE(xgui_take(play)) << "a click still held does not fire again";
    click(430, 260);
    EXPECT_TRUE(xgui_take(play)) << "fires again after a frame without a click";
    click(430, 260), move_to(430, 260);
    EXPECT_FALSE(xgui_take(play)) << "not taken before the next update: lost";
}

TEST_F(Toolkit, ConfirmationFlows)
{
    const int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0), OK = -1;
    const int32_t reset = xgui_add(XGUI_CONFIRM, 0, 425, 300, "Reset", 0);
    const int32_t quit = xgui_add(XGUI_CONFIRM, 0, 425, 350, "Quit", 0);
    const xgui_widget &prompt = xgui_widgets[xgui_confirm];
    const struct { const char *step; int32_t x, y, activated, pending, taken; } steps[] = {
        {"arm", 430, 305, 1, reset, -1},        {"re-arm the same", 430, 305, 0, reset, -1},
        {"arm another", 430, 355, 1, quit, -1},  {"click on nothing cancels", 5, 5, 0, -1, -1},
        {"arm", 430, 305, 1, reset, -1},        {"a plain button cancels", 430, 255, 1, -1, play},
        {"arm", 430, 355, 1, quit, -1},         {"confirm", OK, OK, 1, -1, quit},
        {"the hidden prompt", OK, OK, 0, -1, -1}};
    for (const auto &s : steps) {
        s.x == OK ? click(prompt.x + 2, prompt.y + 5) : click(s.x, s.y);
        int32_t got[4] = {xgui_activated(), xgui_pending, -1, prompt.visible ? prompt.y : -1};
        for (int32_t w : {play, reset, quit})
            got[2] = xgui_take(w) ? w : got[2];
        const int32_t want[4] = {s.activated, s.pending, s.taken, s.pending < 0 ? -1 : s.y - 5};
        EXPECT_EQ(std::vector<int32_t>(got, got + 4), std::vector<int32_t>(want, want + 4))
            << s.step << ": activated, pending, taken, prompt y (-1: hidden)";
    }
    // Mended fault: armed while the menu was hidden, opening it greeted the user with "OK?".
    click(430, 305);
    xgui_set_open(true);
    EXPECT_TRUE(xgui_pending == -1 && !prompt.visible) << "opening keeps a stale confirmation";
}

TEST_F(Toolkit, PromptSitsBesideTheArmedButton)
{
    ASSERT_EQ(text_width("MMMM"), 100);
    const int32_t cases[][3] = {{425, 0, 557}, {1495, XGUI_ALIGN_RIGHT, 1279}, {1200, 0, 1100}};
    for (const auto &c : cases) {
        xgui_reset();
        xgui_add(XGUI_CONFIRM, 0, c[0], 900, "MMMM", c[1]);
        click((c[1] ? c[0] - 100 : c[0]) + 1, 905);
        EXPECT_EQ(xgui_widgets[xgui_confirm].x, c[2]) << "button at " << c[0] << " align " << c[1];
    }
}

TEST_F(Toolkit, FadeTakes32Updates)
{
    for (int i = 1; i <= 66; i++) {
        if (i == 1 || i == 34)
            xgui_set_open(i == 1);
        move_to(0, 0);
        EXPECT_EQ(xgui_alpha, i <= 33 ? SDL_min(8 * i, 255) : SDL_max(255 - 8 * (i - 33), 0))
            << "update " << i;
    }
}

TEST_F(Toolkit, TableFullAt256AndOutsideIndicesIgnored)
{
    for (int i = 1; i < XGUI_MAX_WIDGETS; i++)
        ASSERT_EQ(xgui_add(XGUI_LABEL, 0, 0, 0, "x", 0), i) << "the prompt is widget 0";
    EXPECT_EQ(xgui_add(XGUI_BUTTON, 0, 0, 0, "full", 0), -1);
    for (int32_t bad : {-1, XGUI_MAX_WIDGETS, INT32_MIN}) {
        xgui_set_selected(bad, 1), xgui_set_visible(bad, 0), xgui_set_text(bad, "x");
        xgui_set_pos(bad, 1, 1), xgui_set_picture(bad, win.renderer, "nothing");
        EXPECT_FALSE(xgui_take(bad) || xgui_is_selected(bad)) << "index " << bad;
    }
    move_to(0, 0);
}

TEST_F(Toolkit, OddTextIsSafe)
{
    const char odd[] = {(char)0x80, (char)0xFF, 'A', 0};
    EXPECT_EQ(text_width(odd), text_width("??A")) << "bytes outside the font draw '?'";
    const std::string longer(300, 'M');
    int32_t i = xgui_add(XGUI_BUTTON, 0, 10, 10, longer.c_str(), 0);
    EXPECT_EQ(strlen(xgui_widgets[i].text), 255u);
    xgui_set_text(i, longer.c_str());
    EXPECT_EQ(strlen(xgui_widgets[i].text), 255u);
    move_to(12, 12);
}

TEST_F(Toolkit, FailedLoadReturnsFalseAndKeepsNothing)
{
    ResDir bad;
    const std::string font = files->read("res/font"), overlay = files->read("res/overlay");
    const struct { const char *what; std::string overlay, font; } cases[] = {  // "": missing
        {"no overlay", "", font}, {"no font", overlay, ""}, {"header", overlay, font.substr(0, 8)},
        {"cut font", overlay, font.substr(0, 200)}, {"cut overlay", overlay.substr(0, 200), font}};
    for (const auto &c : cases) {
        bad.remove("res/font"), bad.remove("res/overlay");
        if (!c.overlay.empty())
            bad.write("res/overlay", c.overlay);
        if (!c.font.empty())
            bad.write("res/font", c.font);
        EXPECT_FALSE(xgui_init(bad.path("").c_str(), win.renderer)) << c.what;
        EXPECT_TRUE(!xgui_overlay && !xgui_font.texture) << c.what << ": a texture is left";
    }
}

TEST_F(Toolkit, DamagedOrNonBmpPreviewLeavesNoPicture)
{
    files->write("res/cut", files->read("res/0P").substr(0, 60));
    files->write("res/junk", "BM not really a bitmap at all");
    int32_t pic = xgui_add(XGUI_PICTURE, 0, 580, 900, "", 0);
    for (const char *bad : {"res/font", "res/cut", "res/junk", "res/missing"}) {
        xgui_set_picture(pic, win.renderer, files->path("res/0P").c_str());
        ASSERT_NE(xgui_widgets[pic].texture, nullptr);
        xgui_set_picture(pic, win.renderer, files->path(bad).c_str());
        EXPECT_EQ(xgui_widgets[pic].texture, nullptr) << bad;
    }
}

// Previews are pictures of the component's screen: a header past 4096 pixels a side is refused
// before loading (mended fault: a 54-byte file claiming 45000 x 45000 cost 6 GB and 15 s).
TEST_F(Toolkit, PreviewPast4096PixelsASideIsRefused)
{
    std::string claim = files->read("res/0P").substr(0, 54);  // the 40 x 30 preview's headers
    claim.replace(18, 8, std::string("\xC8\xAF\0\0\xC8\xAF\0\0", 8));
    files->write("res/claim", claim);
    const struct { const char *name; int w, h; bool loads; } cases[] = {
        {"res/wide", 4096, 1, true}, {"res/wider", 4097, 1, false}, {"res/claim", 0, 0, false}};
    int32_t pic = xgui_add(XGUI_PICTURE, 0, 580, 900, "", 0);
    for (const auto &c : cases) {
        SDL_Surface *s = c.w ? SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, 24, SDL_PIXELFORMAT_BGR24) : nullptr;
        if (s) {
            ASSERT_EQ(SDL_SaveBMP(s, files->path(c.name).c_str()), 0) << SDL_GetError();
        }
        SDL_FreeSurface(s);
        xgui_set_picture(pic, win.renderer, files->path(c.name).c_str());
        EXPECT_EQ(xgui_widgets[pic].texture != nullptr, c.loads) << c.name;
    }
}
