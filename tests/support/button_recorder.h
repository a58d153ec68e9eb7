// The component's button calls replaced at link time, for tests of the input step that run no
// component: the states sent are recorded, and the button count is the test's to set.
// Include it in one file of a test executable only.
#pragma once

#include <utility>
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

// The player and button of each state sent, in the order sent; with pressed_only, of those sent
// pressed alone.
inline std::vector<std::pair<int, int>> sent_states(bool pressed_only)
{
    std::vector<std::pair<int, int>> states;
    for (const SentButton &s : sent_buttons)
        if (s.pressed || !pressed_only)
            states.push_back({s.player, s.button});
    return states;
}
