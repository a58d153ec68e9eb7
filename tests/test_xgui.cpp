// The overlay toolkit driven without drawing, with the generated font: pointer positions and
// clicks go into xgui_update, the widget table and the queries are checked; and the geometry
// both drawing back ends share. The drawn pixels: test_gl_path.cpp.
#include "support/frame_read.h"
#include "support/sdl_rect.h"
#include "xgui/notice_draw.h"
#include "xgui_test_files.h"

// The largest 16:9 area as high as the window, centred, cut at the sides only down to the
// menu's panel (x 330 to 1590, and its shadow); divisions truncate. The pointer's inverse
// mapping: e2e_menu.sh's clicks and the events test. The panel whole in Window 2x: e2e_menu.sh.
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

// The notice's box, for the picture's rectangle in the window: in the band above the picture,
// or over it a margin below its top edge, never across it; over the menu, above its panel.
// The band of full screen on 1080 lines: e2e_notices.sh.
TEST(NoticeLayout, TheBoxStaysOnOneSideOfThePicturesTopEdge)
{
    enum Place { BAND, OVER, ABOVE_PANEL };
    const struct { const char *name; int32_t ww, wh; SDL_Rect picture; bool menu; Place place; } cases[] = {
        {"Window 2x", 512, 448, {0, 0, 512, 448}, false, OVER},
        {"full screen 768 lines", 1024, 768, {128, 48, 768, 672}, false, OVER},
        {"full screen, a wide band", 1920, 1200, {448, 152, 1024, 896}, false, BAND},
        {"over the menu, a window", 768, 672, {0, 0, 768, 672}, true, OVER},
        {"over the menu, 768 lines", 1024, 768, {128, 48, 768, 672}, true, ABOVE_PANEL},
    };
    for (const auto &c : cases) {
        int32_t x = 0;
        const int32_t top = notice_box_top(TEST_CELL_H, c.wh, c.picture.y, c.menu);
        const SDL_Rect box = notice_box(300, TEST_CELL_H, c.ww, c.wh, top, &x);
        const int32_t edge = c.picture.y;
        const bool band = box.y >= 0 && box.y + box.h < edge;
        const bool over = box.y >= edge + NOTICE_MARGIN * c.wh / XGUI_OVERLAY_H;
        EXPECT_EQ(c.place == BAND, band) << c.name << ": box " << box.y << " to " << box.y + box.h;
        EXPECT_EQ(c.place == OVER, over) << c.name << ": box " << box.y << " to " << box.y + box.h;
        const int32_t panel_top = c.menu ? NOTICE_MENU_TOP * c.wh / XGUI_OVERLAY_H : c.wh;
        EXPECT_LE(box.y + box.h, panel_top) << c.name << ": the menu's panel";
    }
}

// The line centred across the overlay, its box NOTICE_PAD around it.
TEST(NoticeLayout, TheLineCentredOnItsBox)
{
    const struct { const char *name; int32_t ww, wh, text_w, x; SDL_Rect box; } cases[] = {
        {"unscaled", 1920, 1080, 200, 860, {848, 28, 224, 72}},
        {"half size", 960, 540, 200, 860, {424, 14, 112, 36}},
        {"an odd width, beside a bar", 2560, 1080, 201, 859, {1167, 28, 225, 72}},
    };
    for (const auto &c : cases) {
        int32_t x = 0;
        EXPECT_EQ(c.box, notice_box(c.text_w, TEST_CELL_H, c.ww, c.wh, 28, &x)) << c.name;
        EXPECT_EQ(c.x, x) << c.name;
    }
}

// A right-aligned item, so both the alignment and the margins show; menu items 50 apart whose
// 60-high boxes (cell 48) share a 10-unit band, 544..553; items side by side, text 400..499 and
// 510..609, boxes 392..507 and 502..617, centres 450 and 560. One move after another: the
// hover starts on entering another widget only.
TEST_F(Toolkit, ThePointerHoversTheBoxUnderItThenTheNearerText)
{
    const int32_t keys = xgui_add(XGUI_BUTTON, 0, 1495, 500, "Change keys", XGUI_ALIGN_RIGHT);
    const int32_t upper = xgui_add(XGUI_BUTTON, 0, 425, 500, "Window 2x", 0);
    const int32_t lower = xgui_add(XGUI_BUTTON, 0, 425, 550, "Window 3x", 0);
    const int32_t left = xgui_add(XGUI_BUTTON, 0, 400, 300, "MMMM", 0);
    const int32_t right = xgui_add(XGUI_BUTTON, 0, 510, 300, "MMMM", 0);
    xgui_add(XGUI_LABEL, 0, 425, 700, "MMMM", 0);
    // A quarter cell of margin left and right; each edge: its last pixel inside, the next outside.
    const int32_t keys_left = 1495 - text_width("Change keys") - TEST_CELL_W / 4;
    const int32_t keys_right = 1495 + TEST_CELL_W / 4;
    const struct { const char *name; int32_t x, y, hovered; bool started; } moves[] = {
        {"right-aligned, left edge", keys_left, 510, keys, true},
        {"left of it", keys_left - 1, 510, NONE, false},
        {"right-aligned, right edge", keys_right - 1, 510, keys, true},
        {"right of it", keys_right, 510, NONE, false},
        {"above the stack", 430, 493, NONE, false},
        {"the stack's top", 430, 494, upper, true},
        {"the shared band, nearer the upper centre", 430, 548, upper, false},   // 524 against 574
        {"the lower text's first line", 430, 550, lower, true},
        {"the stack's bottom", 430, 603, lower, false},
        {"below the stack", 430, 604, NONE, false},
        {"side by side, nearer the left text", 504, 310, left, true},
        {"side by side, nearer the right text", 506, 310, right, true},
        {"a label, which takes no part", 430, 710, NONE, false},
    };
    for (const auto &m : moves) {
        move_to(m.x, m.y);
        EXPECT_EQ(m.hovered, hovered()) << m.name;
        EXPECT_EQ(m.started, xgui_hover_started()) << m.name;
    }
}

// Spacing 32 / 7 = 4 plus the last column of ink (alpha 248 or more); a space: half a cell.
TEST_F(Toolkit, AdvancesFollowTheInk)
{
    const struct { int glyph, advance; } rows[] = {
        {0, 4},      // no ink
        {1, 4},      // alpha 247 is not ink
        {2, 14},     // one pixel of ink in column 10
        {' ', 16},   // half a cell, whatever its ink
        {127, 35},   // ink in the last column
    };
    for (const auto &r : rows)
        EXPECT_EQ(r.advance, xgui_font.advance[r.glyph]) << "glyph " << r.glyph;
}

// XGUI_FADE_STEP a frame each way, from nothing to full and back.
TEST_F(Toolkit, FadesInAndOutInThirtyTwoFrames)
{
    const struct { bool open; int frames, alpha; } steps[] = {
        {true, 16, 128},
        {true, 16, 255},
        {false, 31, 7},
        {false, 1, 0},
    };
    for (const auto &s : steps) {
        xgui_set_open(s.open);
        for (int i = 0; i < s.frames; i++)
            move_to(0, 0);
        EXPECT_EQ(s.alpha, xgui_alpha) << (s.open ? "opening" : "closing");
    }
}

// Activations are edge-triggered and taken once, then confirm buttons arm and cancel.
TEST_F(Toolkit, ConfirmationFlows)
{
    const int32_t play = xgui_add(XGUI_BUTTON, 0, 425, 250, "Play", 0);
    const int32_t reset = xgui_add(XGUI_CONFIRM, 0, 425, 300, "Reset", 0);
    const int32_t quit = xgui_add(XGUI_CONFIRM, 0, 425, 350, "Quit", 0);
    const int32_t OK = -1;     // a click where Quit's prompt goes
    const int32_t OPEN = -2;   // the menu opened, the pointer still
    const int32_t HELD = -3;   // Play's click held for another frame
    const int32_t LOST = -4;   // Play clicked, then a frame before the take
    const xgui_widget &prompt = xgui_widgets[xgui_confirm];
    // -1 in taken: nothing.
    const struct { const char *step; int32_t x, y; bool activated; int32_t pending, taken; } steps[] = {
        {"arm", 430, 305, true, reset, -1},
        {"re-arm the same", 430, 305, false, reset, -1},
        {"arm another", 430, 355, true, quit, -1},
        {"click on nothing cancels", 5, 5, false, -1, -1},
        {"arm", 430, 305, true, reset, -1},
        {"a plain button cancels", 430, 255, true, -1, play},
        {"a click still held does not fire again", HELD, HELD, false, -1, -1},
        {"fires again after a frame without a click", 430, 255, true, -1, play},
        {"not taken before the next update: lost", LOST, LOST, false, -1, -1},
        {"arm", 430, 355, true, quit, -1},
        {"confirm", OK, OK, true, -1, quit},
        {"the hidden prompt", OK, OK, false, -1, -1},
        {"arm while the menu is hidden", 430, 305, true, reset, -1},
        {"opening the menu drops it", OPEN, OPEN, false, -1, -1},   // mended: it greeted with "OK?"
    };
    for (const auto &s : steps) {
        if (s.x == OPEN) {
            xgui_set_open(true);
            move_to(5, 5);
        } else if (s.x == OK) {
            click(xgui_prompt_x(xgui_widgets[quit], text_width("Quit")) + 2, 355);
        } else if (s.x == HELD) {
            xgui_update(430, 255, 1);
        } else if (s.x == LOST) {
            click(430, 255);
            move_to(430, 255);
        } else {
            click(s.x, s.y);
        }
        EXPECT_EQ(s.activated, xgui_activated()) << s.step << ": activated";
        EXPECT_EQ(s.pending, xgui_pending) << s.step << ": pending";
        for (int32_t w : {play, reset, quit})
            EXPECT_EQ(w == s.taken, xgui_take(w)) << s.step << ": widget " << w << " taken";
        EXPECT_EQ(s.pending >= 0, prompt.visible) << s.step << ": prompt shown";
        if (s.pending >= 0) {
            const int32_t beside = xgui_prompt_x(xgui_widgets[s.pending], text_width(xgui_widgets[s.pending].text));
            EXPECT_EQ(beside, prompt.x) << s.step << ": the prompt's place";
        }
    }
}

// A 100-wide text at x: where it starts, and where the prompt of it armed goes (right of a text
// in the overlay's left half, else left of it; -1: a centred label, which arms nothing); a check
// mark (advance 24) 6 left of its toggle's text; a 40 x 30 picture centred on its point; the
// font's cell of "M"; and a hovered text's colour.
TEST_F(Toolkit, TextPromptCheckMarkAndPictureLandWhereTheLayoutPutsThem)
{
    const struct { const char *name; int32_t x, align, start, prompt_x; } cases[] = {
        {"left: the prompt right of it", 425, 0, 425, 557},
        {"right-aligned: the prompt left of it", 1495, XGUI_ALIGN_RIGHT, 1395, 1279},
        {"left, where the right side has no room", 1200, 0, 1200, 1100},
        {"a centred label", 500, XGUI_ALIGN_CENTRE, 450, -1},
    };
    for (const auto &c : cases) {
        const xgui_widget &w = xgui_widgets[xgui_add(XGUI_CONFIRM, 0, c.x, 900, "MMMM", c.align)];
        EXPECT_EQ(c.start, xgui_text_start(w)) << c.name;
        if (c.prompt_x >= 0) {
            EXPECT_EQ(c.prompt_x, xgui_prompt_x(w, 100)) << c.name;
        }
    }
    EXPECT_EQ(1440, xgui_check_x(1470)) << "the check mark";
    EXPECT_EQ((SDL_Rect{13 * TEST_CELL_W, 4 * TEST_CELL_H, TEST_CELL_W, TEST_CELL_H}), xgui_glyph_src('M'));
    xgui_widget hovered = {};
    hovered.hover = 1;
    const SDL_Color yellow = xgui_text_color(hovered);
    EXPECT_EQ(0xFFFF00u, (uint32_t)(yellow.r << 16 | yellow.g << 8 | yellow.b)) << "a hovered text";
    const int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
    xgui_set_picture(picture, win.renderer, files->path("res/0P").c_str());
    const SDL_Rect drawn = xgui_picture_rect(xgui_mapping(XGUI_OVERLAY_W, XGUI_OVERLAY_H), xgui_widgets[picture]);
    EXPECT_EQ((SDL_Rect{940, 885, 40, 30}), drawn) << "the picture";
}

// Long and odd texts, then a full table and indices outside it.
TEST_F(Toolkit, OddTextIsSafeTableFullAt256AndOutsideIndicesIgnored)
{
    const char odd[] = {(char)0x80, (char)0xFF, 'A', 0};
    EXPECT_EQ(text_width(odd), text_width("??A")) << "bytes outside the font draw '?'";
    const std::string longer(300, 'M');
    ASSERT_EQ(1, xgui_add(XGUI_BUTTON, 0, 10, 10, longer.c_str(), 0)) << "the prompt is widget 0";
    EXPECT_EQ(strlen(xgui_widgets[1].text), 255u);
    xgui_set_text(1, longer.c_str());
    EXPECT_EQ(strlen(xgui_widgets[1].text), 255u);
    for (int i = 2; i < XGUI_MAX_WIDGETS; i++)
        ASSERT_EQ(xgui_add(XGUI_LABEL, 0, 0, 0, "x", 0), i);
    EXPECT_EQ(xgui_add(XGUI_BUTTON, 0, 0, 0, "full", 0), -1);
    for (int32_t bad : {-1, XGUI_MAX_WIDGETS}) {
        xgui_set_selected(bad, 1);
        xgui_set_visible(bad, 0);
        xgui_set_text(bad, "x");
        xgui_set_picture(bad, win.renderer, "nothing");
        EXPECT_FALSE(xgui_take(bad)) << "index " << bad;
        EXPECT_FALSE(xgui_is_selected(bad)) << "index " << bad;
    }
    move_to(12, 12);
}

// The overlay, the font and a save slot's preview load filtered linearly; files refused leave
// nothing loaded: the overlay loaded before a missing font must go again, and a preview whose
// header claims more than 4096 pixels a side is refused before loading (mended fault: a 54-byte
// file claiming 45000 x 45000 cost 6 GB and 15 s). A preview refused drops the one shown before.
TEST_F(Toolkit, PicturesLoadFilteredLinearlyAndRefusedOnesLeaveNothing)
{
    const struct { const char *name, *file; std::string text; bool loads; } cases[] = {   // "": missing
        {"no font", "res/font", "", false},
        {"a cut overlay", "res/overlay", files->read("res/overlay").substr(0, 200), false},
        {"a preview 4096 wide", "res/0P", test_bmp(4096, 1, 0), true},
        {"a preview 4097 wide", "res/0P", test_bmp(4097, 1, 0), false},
        {"a preview 4096 high", "res/0P", test_bmp(1, 4096, 0), true},
        {"a preview 4097 high", "res/0P", test_bmp(1, 4097, 0), false},
        {"a preview that is not a BMP", "res/0P", files->read("res/font"), false},
    };
    ResDir dir;
    for (const auto &c : cases) {
        for (const char *name : {"res/font", "res/overlay", "res/0P"})
            dir.write(name, files->read(name));
        dir.remove(c.file);
        if (!c.text.empty())
            dir.write(c.file, c.text);
        const bool loaded = xgui_init(dir.path("").c_str(), win.renderer);
        const int32_t pic = xgui_add(XGUI_PICTURE, 0, 580, 900, "", 0);
        xgui_set_picture(pic, win.renderer, files->path("res/0P").c_str());
        xgui_set_picture(pic, win.renderer, dir.path("res/0P").c_str());
        EXPECT_EQ(c.loads, loaded && linear(xgui_widgets[pic].texture)) << c.name << ": the preview";
        EXPECT_EQ(loaded, linear(xgui_overlay)) << c.name << ": the overlay";
        EXPECT_EQ(loaded, linear(xgui_font.texture)) << c.name << ": the font";
    }
}
