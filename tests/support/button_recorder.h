// The component's button calls replaced at link time, for tests of the input step that run no
// component: the states sent are recorded, and the button count is the test's to set.
// Include it in one file of a test executable only.
#pragma once

#include <vector>

struct SentButton {
    int player, button;
    bool pressed;
};
static std::vector<SentButton> sent_buttons;
static int fixture_buttons = 12;

void ox_button_set_state(int player, int button, bool pressed)
{
    sent_buttons.push_back({player, button, pressed});
}
int ox_button_get_count(void)
{
    return fixture_buttons;
}
