// Key names and the texts of the binding cells.
#include <gtest/gtest.h>

#include <string.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "input/capture.h"
#include "input/labels.h"

TEST(Labels, KeyNamesAtRangeEdges)
{
    struct Case { int32_t scancode; const char *name; } cases[] = {
        {-1, "Unk"}, {3, "Unk"}, {4, "A"}, {29, "Z"}, {30, "1"}, {38, "9"}, {39, "0"},
        {40, "Enter"}, {49, "\\"}, {50, "Unk"}, {51, ";"}, {53, "~"}, {57, "CapsLock"}, {58, "F1"},
        {69, "F12"}, {70, "PrScr"}, {82, "Up"}, {83, "NumLock"}, {84, ""}, {88, ""}, {89, "KP 1"},
        {98, "KP 0"}, {99, "KP ."}, {100, "Unk"}, {101, "App"}, {103, "KP ="}, {104, "F13"},
        {115, "F24"}, {116, "Exec"}, {129, "Vol-"}, {130, "Unk"}, {132, "Unk"}, {133, "KP ,"},
        {134, "KP ="}, {135, "Int1"}, {143, "Int9"}, {144, "Lang1"}, {152, "Lang9"},
        {153, "AltErase"}, {164, "ExSel"}, {165, "Unk"}, {175, "Unk"}, {176, "KP 00"},
        {181, "CurrSub"}, {182, "KP ("}, {187, "KP Back"}, {188, "KP A"}, {193, "KP F"},
        {194, "KP Xor"}, {207, "KP !"}, {208, "KP MSTR"}, {221, "KP Hex"}, {222, "Unk"},
        {223, "Unk"}, {224, "L.Ctrl"}, {231, "R.Win"}, {232, "Unk"}, {256, "Unk"}, {257, "Mode"},
        {260, "Stop"}, {270, "Back"}, {279, "Down"}, {280, "Up"}, {286, "FWD"}, {287, "Unk"},
        {INT32_MAX, "Unk"}, {INT32_MIN, "Unk"},
    };
    for (const Case &c : cases)
        EXPECT_STREQ(c.name, key_name(c.scancode)) << c.scancode;
}

TEST(Labels, EveryKindAndPadStyle)
{
    struct Case { Binding b; int padstyle; const char *text; } cases[] = {
        {{BIND_NONE, 0, 0, 0, 0}, 0, "none"},
        {{BIND_KEY, 82, 0, 0, 0}, 0, "Up "},
        {{BIND_KEY, 4, 0, 0, 0}, 0, "A  "},
        {{BIND_KEY, 44, 0, 0, 0}, 0, "Space"},
        {{BIND_KEY, 84, 0, 0, 0}, 0, ""},
        {{BIND_KEY, 300, 0, 0, 0}, 0, "Unk"},
        {{BIND_AXIS, 0, 1, 0, 0}, 0, "J1.X1-"},
        {{BIND_AXIS, 0, 2, 1, 4}, 0, "J2.Y2+"},
        {{BIND_AXIS, 0, 3, 0, 5}, 0, "J1.Z2+"},
        {{BIND_AXIS, 0, 1, 3, 9}, 0, "J4.X4-"},
        {{BIND_AXIS, 0, 1, 0, -1}, 0, "J1.?-"},
        {{BIND_AXIS, 0, 1, INT32_MAX, INT32_MAX}, 0, "J2147483648.Y715827883-"},
        {{BIND_HAT, 0, 1, 0, 0}, 0, "J1.H1Up"},
        {{BIND_HAT, 0, 3, 0, 0}, 0, "J1.H1Up"},
        {{BIND_HAT, 0, 6, 0, 0}, 0, "J1.H1Down"},
        {{BIND_HAT, 0, 2, 0, 1}, 0, "J1.H2Right"},
        {{BIND_HAT, 0, 0, 0, 0}, 0, "J1.H1Left"},
        {{BIND_HAT, 0, 8, -1, -1}, 0, "J0.H0Left"},
        {{BIND_BUTTON, 0, 0, 0, 0}, 0, "J1.1"},
        {{BIND_BUTTON, 0, 0, 0, 0}, 1, "J1.A"},
        {{BIND_BUTTON, 0, 0, 0, 0}, 2, "J1.Squ"},
        {{BIND_BUTTON, 0, 9, 1, 0}, 1, "J2.Rstick"},
        {{BIND_BUTTON, 0, 10, 0, 0}, 1, "J1.11"},
        {{BIND_BUTTON, 0, 12, 0, 0}, 1, "J1.13"},
        {{BIND_BUTTON, 0, 12, 0, 0}, 2, "J1.PS"},
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
    int buttons = input_button_count();
    ASSERT_GT(buttons, 3);

    struct Case { int shown, capture_b, capture_s; const char *cell10, *cell11; } cases[] = {
        {0, -1, 0, "Space", "none"},
        {1, -1, 0, "J1.H1Down", "A  "},
        {1, 1, 1, "J1.H1Down", "???"},
        {0, 1, 0, "???", "none"},
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
            EXPECT_STREQ("", binding_labels[buttons][0]);
        }
    }
    shown_player = 0;
    capture_button = -1;
    settings = Settings();

    char text[8] = "x";
    binding_cell_label(0, MAX_BUTTONS, 0, text, sizeof text);
    EXPECT_STREQ("", text);
    binding_cell_label(-1, 0, 0, text, sizeof text);
    EXPECT_STREQ("", text);
}
