// The decisions behind the notices and the splash: how a notice fades, how its text is drawn
// with the font, and when a press skips the splash.
#include <gtest/gtest.h>

#include "app/splash.h"
#include "video/video.h"
#include "base/notice.h"

TEST(Notice, FadesOutAfterItsShowing)
{
    const struct { uint64_t age; int32_t alpha; } cases[] = {
        {NOTICE_SHOW_MS, 255},
        {NOTICE_SHOW_MS + NOTICE_FADE_MS / 2, 128},
        {NOTICE_SHOW_MS + NOTICE_FADE_MS, 0},
        {UINT64_MAX, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.alpha, notice_alpha(c.age)) << "at " << c.age << " ms";
}

TEST(Notice, DrawsTheDashTheFontLacksAsAHyphen)
{
    const struct { const char *text; size_t size; const char *drawn; } cases[] = {
        {"Continued \xE2\x80\x94 Reset starts over", 64, "Continued - Reset starts over"},
        {"Saved", 3, "Sa"},
        {"\xE2\x80", 8, "\xE2\x80"},   // a cut sequence stays as it is (drawn as "?")
    };
    for (const auto &c : cases) {
        char out[64];
        notice_glyph_text(c.text, out, c.size);
        EXPECT_STREQ(c.drawn, out);
    }
}

// Drawn while it lasts (never under the menu: e2e_menu.sh); a press skips it only after a moment.
TEST(Splash, DrawnWhileItLastsAndAPressSkipsItOnlyAfterAMoment)
{
    const struct { const char *name; int32_t frames_left; bool repeat, skips, drawn; } cases[] = {
        {"just before the moment", SPLASH_FRAMES - SPLASH_SKIP_AFTER + 1, false, false, true},
        {"at the moment", SPLASH_FRAMES - SPLASH_SKIP_AFTER, false, true, true},
        {"a held key's repeat", 10, true, false, true},
        {"no splash", 0, false, false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.skips, splash_skips(c.frames_left, c.repeat)) << c.name;
        EXPECT_EQ(c.drawn, splash_drawn(c.frames_left, false)) << c.name << ": drawn";
    }
}
