// The overlay toolkit driven without drawing, with the generated font: pointer positions and
// clicks go into xgui_update, the widget table and the queries are checked.
#include "xgui_test_files.h"

static void move_to(int32_t x, int32_t y) { xgui_update(x, y, 0); }
static void click(int32_t x, int32_t y)
{
    move_to(x, y);
    xgui_update(x, y, 1);
}
static int32_t text_width(const char *text)
{
    SDL_Rect r;
    return xgui_text(&r, nullptr, 0, 0, 0, 0, text, false)->w;
}

class Toolkit : public XguiTest {
protected:
    void SetUp() override { ASSERT_TRUE(open_window(64, 64)); }
};

static const int32_t NONE = -1;
static const int32_t SEVERAL = -2;
// The one widget the pointer hovers, NONE or SEVERAL.
static int32_t hovered()
{
    int32_t found = NONE;
    for (int32_t i = 0; i < xgui_count; i++)
        if (xgui_widgets[i].hover)
            found = found == NONE ? i : SEVERAL;
    return found;
}

// A right-aligned item, so both the alignment and the margins show; menu items 50 apart whose
// 60-high boxes (cell 48) share a 10-unit band, 544..553; items side by side, text 400..499 and
// 510..609, boxes 392..507 and 502..617, centres 450 and 560.
TEST_F(Toolkit, ThePointerHoversTheBoxUnderItThenTheNearerText)
{
    ASSERT_EQ(text_width("MMMM"), 100);
    const int32_t keys = xgui_add(XGUI_BUTTON, 0, 1495, 500, "Change keys", XGUI_ALIGN_RIGHT);
    const int32_t upper = xgui_add(XGUI_BUTTON, 0, 425, 500, "Window 2x", 0);
    const int32_t lower = xgui_add(XGUI_BUTTON, 0, 425, 550, "Window 3x", 0);
    const int32_t left = xgui_add(XGUI_BUTTON, 0, 400, 300, "MMMM", 0);
    const int32_t right = xgui_add(XGUI_BUTTON, 0, 510, 300, "MMMM", 0);
    // A quarter cell of margin left and right; each edge: its last pixel inside, the next outside.
    const int32_t keys_left = 1495 - text_width("Change keys") - TEST_CELL_W / 4;
    const int32_t keys_right = 1495 + TEST_CELL_W / 4;
    const struct {
        const char *name;
        int32_t x, y, hovered;
    } cases[] = {
        {"right-aligned, left edge", keys_left, 510, keys},
        {"left of it", keys_left - 1, 510, NONE},
        {"right-aligned, right edge", keys_right - 1, 510, keys},
        {"right of it", keys_right, 510, NONE},
        {"above the stack", 430, 493, NONE},
        {"the stack's top", 430, 494, upper},
        {"the shared band, nearer the upper centre", 430, 548, upper},   // 524 against 574
        {"the lower text's first line", 430, 550, lower},
        {"the stack's bottom", 430, 603, lower},
        {"below the stack", 430, 604, NONE},
        {"side by side, nearer the left text", 504, 310, left},
        {"side by side, nearer the right text", 506, 310, right},
    };
    for (const auto &c : cases) {
        move_to(c.x, c.y);
        EXPECT_EQ(c.hovered, hovered()) << c.name;
    }
}

// Spacing 32 / 7 = 4 plus the last column of ink (alpha 248 or more); a space: half a cell.
TEST_F(Toolkit, AdvancesFollowTheInk)
{
    const struct {
        int glyph, advance;
    } rows[] = {
        {0, 4},      // no ink
        {1, 4},      // alpha 247 is not ink
        {2, 14},     // one pixel of ink in column 10
        {' ', 16},   // half a cell, whatever its ink
        {127, 35},   // ink in the last column
    };
    for (const auto &r : rows)
        EXPECT_EQ(r.advance, xgui_font.advance[r.glyph]) << "glyph " << r.glyph;
}

TEST_F(Toolkit, ActivationsAreEdgeTriggered)
{
    int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    click(430, 260);
    EXPECT_TRUE(xgui_take(play)) << "a click activates";
    EXPECT_FALSE(xgui_take(play)) << "one click, one activation";
    xgui_update(430, 260, 1);
    EXPECT_FALSE(xgui_take(play)) << "a click still held does not fire again";
    click(430, 260);
    EXPECT_TRUE(xgui_take(play)) << "fires again after a frame without a click";
    click(430, 260);
    move_to(430, 260);
    EXPECT_FALSE(xgui_take(play)) << "not taken before the next update: lost";
}

TEST_F(Toolkit, ConfirmationFlows)
{
    const int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    const int32_t reset = xgui_add(XGUI_CONFIRM, 0, 425, 300, "Reset", 0);
    const int32_t quit = xgui_add(XGUI_CONFIRM, 0, 425, 350, "Quit", 0);
    const int32_t OK = -1;   // a click on the prompt
    const xgui_widget &prompt = xgui_widgets[xgui_confirm];
    // -1 in taken: nothing.
    const struct {
        const char *step;
        int32_t x, y;
        bool activated;
        int32_t pending, taken;
    } steps[] = {
        {"arm", 430, 305, true, reset, -1},
        {"re-arm the same", 430, 305, false, reset, -1},
        {"arm another", 430, 355, true, quit, -1},
        {"click on nothing cancels", 5, 5, false, -1, -1},
        {"arm", 430, 305, true, reset, -1},
        {"a plain button cancels", 430, 255, true, -1, play},
        {"arm", 430, 355, true, quit, -1},
        {"confirm", OK, OK, true, -1, quit},
        {"the hidden prompt", OK, OK, false, -1, -1},
    };
    for (const auto &s : steps) {
        if (s.x == OK)
            click(prompt.x + 2, prompt.y + 5);
        else
            click(s.x, s.y);
        EXPECT_EQ(s.activated, xgui_activated()) << s.step << ": activated";
        EXPECT_EQ(s.pending, xgui_pending) << s.step << ": pending";
        for (int32_t w : {play, reset, quit})
            EXPECT_EQ(w == s.taken, xgui_take(w)) << s.step << ": widget " << w << " taken";
        EXPECT_EQ(s.pending >= 0, prompt.visible) << s.step << ": prompt shown";
    }
}

// Mended fault: armed while the menu was hidden, opening it greeted the user with "OK?".
TEST_F(Toolkit, OpeningTheMenuDropsAStaleConfirmation)
{
    xgui_add(XGUI_CONFIRM, 0, 425, 300, "Reset", 0);
    click(430, 305);
    xgui_set_open(true);
    EXPECT_EQ(-1, xgui_pending) << "opening keeps a stale confirmation";
    EXPECT_FALSE(xgui_widgets[xgui_confirm].visible) << "opening shows a stale prompt";
}

TEST_F(Toolkit, PromptSitsBesideTheArmedButtonOnItsRow)
{
    ASSERT_EQ(text_width("MMMM"), 100);
    const struct {
        int32_t x, align, prompt_x;
    } cases[] = {
        {425, 0, 557},                    // right of the button
        {1495, XGUI_ALIGN_RIGHT, 1279},   // left of a right-aligned button
        {1200, 0, 1100},                  // left, where the right side has no room
    };
    for (const auto &c : cases) {
        xgui_reset();
        xgui_add(XGUI_CONFIRM, 0, c.x, 900, "MMMM", c.align);
        click((c.align ? c.x - 100 : c.x) + 1, 905);
        EXPECT_EQ(c.prompt_x, xgui_widgets[xgui_confirm].x) << "button at " << c.x << " align " << c.align;
        EXPECT_EQ(900, xgui_widgets[xgui_confirm].y) << "button at " << c.x << " align " << c.align;
    }
}

TEST_F(Toolkit, TableFullAt256AndOutsideIndicesIgnored)
{
    for (int i = 1; i < XGUI_MAX_WIDGETS; i++)
        ASSERT_EQ(xgui_add(XGUI_LABEL, 0, 0, 0, "x", 0), i) << "the prompt is widget 0";
    EXPECT_EQ(xgui_add(XGUI_BUTTON, 0, 0, 0, "full", 0), -1);
    for (int32_t bad : {-1, XGUI_MAX_WIDGETS}) {
        xgui_set_selected(bad, 1);
        xgui_set_visible(bad, 0);
        xgui_set_text(bad, "x");
        xgui_set_picture(bad, win.renderer, "nothing");
        EXPECT_FALSE(xgui_take(bad)) << "index " << bad;
        EXPECT_FALSE(xgui_is_selected(bad)) << "index " << bad;
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
    const std::string font = files->read("res/font");
    const std::string overlay = files->read("res/overlay");
    const struct {
        const char *what;
        std::string overlay, font;   // "": missing
    } cases[] = {
        {"no font", overlay, ""},   // the overlay loaded first must go again
        {"cut overlay", overlay.substr(0, 200), font},
    };
    for (const auto &c : cases) {
        bad.remove("res/font");
        bad.remove("res/overlay");
        if (!c.overlay.empty())
            bad.write("res/overlay", c.overlay);
        if (!c.font.empty())
            bad.write("res/font", c.font);
        EXPECT_FALSE(xgui_init(bad.path("").c_str(), win.renderer)) << c.what;
        EXPECT_EQ(nullptr, xgui_overlay) << c.what << ": the overlay texture is left";
        EXPECT_EQ(nullptr, xgui_font.texture) << c.what << ": the font texture is left";
    }
}

// Previews are pictures of the component's screen: a header past 4096 pixels a side is refused
// before loading (mended fault: a 54-byte file claiming 45000 x 45000 cost 6 GB and 15 s). A
// file refused, by the size or by the decoder (which ones it refuses is its own affair), drops
// the picture shown before.
TEST_F(Toolkit, PreviewsPast4096PixelsASideOrUnreadableAreRefused)
{
    std::string claim = files->read("res/0P").substr(0, 54);  // the 40 x 30 preview's headers
    claim.replace(18, 8, std::string("\xC8\xAF\0\0\xC8\xAF\0\0", 8));
    files->write("res/claim", claim);
    const struct {
        const char *name;
        int w, h;   // a grey BMP written first; 0: the file as it is
        bool loads;
    } cases[] = {
        {"res/wide", 4096, 1, true},
        {"res/wider", 4097, 1, false},
        {"res/0P", 0, 0, true},
        {"res/claim", 0, 0, false},
        {"res/0P", 0, 0, true},
        {"res/font", 0, 0, false},
    };
    int32_t pic = xgui_add(XGUI_PICTURE, 0, 580, 900, "", 0);
    for (const auto &c : cases) {
        if (c.w) {
            SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, c.w, c.h, 24, SDL_PIXELFORMAT_BGR24);
            ASSERT_EQ(SDL_SaveBMP(s, files->path(c.name).c_str()), 0) << SDL_GetError();
            SDL_FreeSurface(s);
        }
        xgui_set_picture(pic, win.renderer, files->path(c.name).c_str());
        EXPECT_EQ(xgui_widgets[pic].texture != nullptr, c.loads) << c.name;
    }
}
