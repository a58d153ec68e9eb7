// Key names and the texts of the binding cells.
#include <gtest/gtest.h>
#include <string.h>
#include <SDL.h>
#include "config/gameinfo.h"
#include "config/settings.h"
#include "input/capture.h"
#include "input/labels.h"

// "none", a short key name padded to three and a hat's diagonal: the change-keys page tests.
TEST(Labels, EveryKindAndPadStyle)
{
    const struct { Binding b; int padstyle; const char *text; } cases[] = {
        {{BIND_KEY, 286, 0, 0, 0}, 0, "FWD"},        // the last named scancode
        {{BIND_KEY, 287, 0, 0, 0}, 0, "Unk"},
        {{BIND_AXIS, 0, 1, 0, 0}, 0, "J1.X1-"},
        {{BIND_AXIS, 0, 2, 1, 4}, 0, "J2.Y2+"},
        {{BIND_AXIS, 0, 1, 0, -1}, 0, "J1.?-"},
        {{BIND_HAT, 0, 8, -1, -1}, 0, "J0.H0Left"},
        {{BIND_BUTTON, 0, 9, 1, 0}, 1, "J2.Rstick"},  // a pad style names some buttons
        {{BIND_BUTTON, 0, 10, 0, 0}, 1, "J1.11"},
        {{BIND_BUTTON, 0, 13, 0, 0}, 2, "J1.Touch"},  // the other style's last name
        {{BIND_BUTTON, 0, 14, 0, 0}, 2, "J1.15"},
        {{BIND_BUTTON, 0, INT32_MAX, INT32_MIN, 0}, 0, "J-2147483647.2147483648"},
        {{-1, 0, 0, 0, 0}, 0, ""},
    };
    char text[BINDING_LABEL_SIZE], small[4];
    for (const auto &c : cases) {
        gameinfo.padstyle = c.padstyle;
        binding_label(c.b, text, sizeof text);
        EXPECT_STREQ(c.text, text) << "type " << c.b.type << " padstyle " << c.padstyle;
    }
    binding_label(Binding{BIND_KEY, 44, 0, 0, 0}, small, sizeof small);
    EXPECT_STREQ("Spa", small);
}

// A player beyond the table shows the first, whose row 1 holds Space in slot 0. Rows past the
// component's buttons are empty. (The player shown and the cell waiting for a capture:
// test_keys_page.)
TEST(Labels, CellsOfTheShownPlayer)
{
    settings = Settings();
    settings.bindings[0][1][0] = Binding{BIND_KEY, 44, 0, 0, 0};
    capture_show_player(7);
    bindings_refresh_labels();
    EXPECT_STREQ("Space", binding_label_shown(1, 0)) << "player 7: the first";
    EXPECT_STREQ("", binding_label_shown(input_button_count(), 0)) << "the row past the buttons";
}
