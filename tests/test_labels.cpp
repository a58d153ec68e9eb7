// Key names and the texts of the binding cells.
#include <gtest/gtest.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "input/capture.h"
#include "input/labels.h"

TEST(Labels, EveryKindAndPadStyle)
{
    struct Case { Binding b; int padstyle; const char *text; } cases[] = {
        {{BIND_NONE, 0, 0, 0, 0}, 0, "none"},
        {{BIND_KEY, 4, 0, 0, 0}, 0, "A  "},          // short names are padded to three
        {{BIND_KEY, 44, 0, 0, 0}, 0, "Space"},
        {{BIND_KEY, 84, 0, 0, 0}, 0, ""},            // keypad divide has no name
        {{BIND_KEY, 286, 0, 0, 0}, 0, "FWD"},        // the last named scancode
        {{BIND_KEY, 287, 0, 0, 0}, 0, "Unk"},
        {{BIND_KEY, -1, 0, 0, 0}, 0, "Unk"},
        {{BIND_KEY, INT32_MIN, 0, 0, 0}, 0, "Unk"},
        {{BIND_AXIS, 0, 1, 0, 0}, 0, "J1.X1-"},
        {{BIND_AXIS, 0, 2, 1, 4}, 0, "J2.Y2+"},
        {{BIND_AXIS, 0, 3, 0, 5}, 0, "J1.Z2+"},
        {{BIND_AXIS, 0, 1, 0, -1}, 0, "J1.?-"},
        {{BIND_AXIS, 0, 1, INT32_MAX, INT32_MAX}, 0, "J2147483648.Y715827883-"},
        {{BIND_HAT, 0, 3, 0, 0}, 0, "J1.H1Up"},      // a diagonal shows its vertical part
        {{BIND_HAT, 0, 6, 0, 0}, 0, "J1.H1Down"},
        {{BIND_HAT, 0, 2, 0, 1}, 0, "J1.H2Right"},
        {{BIND_HAT, 0, 8, -1, -1}, 0, "J0.H0Left"},
        {{BIND_BUTTON, 0, 0, 0, 0}, 0, "J1.1"},
        {{BIND_BUTTON, 0, 0, 0, 0}, 1, "J1.A"},
        {{BIND_BUTTON, 0, 9, 1, 0}, 1, "J2.Rstick"},
        {{BIND_BUTTON, 0, 10, 0, 0}, 1, "J1.11"},
        {{BIND_BUTTON, 0, 0, 0, 0}, 2, "J1.Squ"},
        {{BIND_BUTTON, 0, 13, 0, 0}, 2, "J1.Touch"},
        {{BIND_BUTTON, 0, 14, 0, 0}, 2, "J1.15"},
        {{BIND_BUTTON, 0, 3, 0, 0}, 3, "J1.4"},
        {{BIND_BUTTON, 0, -1, 0, 0}, 1, "J1.0"},
        {{BIND_BUTTON, 0, INT32_MAX, INT32_MIN, 0}, 0, "J-2147483647.2147483648"},
        {{5, 0, 0, 0, 0}, 0, ""},
        {{-1, 0, 0, 0, 0}, 0, ""},
    };
    for (const Case &c : cases) {
        gameinfo.padstyle = c.padstyle;
        char text[BINDING_LABEL_SIZE];
        binding_label(c.b, text, sizeof text);
        EXPECT_STREQ(c.text, text) << "type " << c.b.type << " padstyle " << c.padstyle;
    }
    gameinfo.padstyle = 0;
    char small[4];
    binding_label(Binding{BIND_KEY, 44, 0, 0, 0}, small, sizeof small);
    EXPECT_STREQ("Spa", small);
}

TEST(Labels, CellsOfTheShownPlayer)
{
    settings = Settings();
    settings.bindings[0][1][0] = Binding{BIND_KEY, 44, 0, 0, 0};
    settings.bindings[1][1][0] = Binding{BIND_HAT, 0, 4, 0, 0};
    settings.bindings[1][1][1] = Binding{BIND_KEY, 4, 0, 0, 0};
    const int buttons = input_button_count();
    struct Case { int shown, capture_b, capture_s; const char *cell10, *cell11; } cases[] = {
        {0, -1, 0, "Space", "none"},
        {1, 1, 1, "J1.H1Down", "???"},
        {7, -1, 0, "Space", "none"},   // beyond the table: player 0
    };
    for (const Case &c : cases) {
        shown_player = c.shown;
        capture_button = c.capture_b;
        capture_slot = c.capture_s;
        bindings_refresh_labels();
        EXPECT_STREQ(c.cell10, binding_labels[1][0]) << c.shown << " " << c.capture_b;
        EXPECT_STREQ(c.cell11, binding_labels[1][1]) << c.shown << " " << c.capture_b;
        EXPECT_STREQ("none", binding_labels[buttons - 1][1]);
        if (buttons < MAX_BUTTONS) {
            EXPECT_STREQ("", binding_labels[buttons][0]) << "beyond the component's buttons";
        }
    }
    shown_player = 0;
    capture_button = -1;

    char text[8] = "x";
    binding_cell_label(0, MAX_BUTTONS, 0, text, sizeof text);
    EXPECT_STREQ("", text);
    binding_cell_label(-1, 0, 0, text, sizeof text);
    EXPECT_STREQ("", text);
}
