#include "input/labels.h"

#include <stdio.h>
#include <string.h>

#include "config/gameinfo.h"
#include "config/settings.h"
#include "input/capture.h"

static char binding_labels[MAX_BUTTONS][MAX_SLOTS][BINDING_LABEL_SIZE];

#define PADSTYLE1_NAMES 10
#define PADSTYLE2_NAMES 14
#define LABEL_MIN_LENGTH 3

static const char *const AXIS_LETTERS[3] = { "X", "Y", "Z" };
static const char *const BUTTON_NAMES_1[PADSTYLE1_NAMES] = {
    "A", "B", "X", "Y", "LB", "RB", "Select", "Start", "Lstick", "Rstick",
};
static const char *const BUTTON_NAMES_2[PADSTYLE2_NAMES] = {
    "Squ", "X", "O", "Tri", "L1", "R1", "L2", "R2", "Share", "Option", "Lstick", "Rstick", "PS",
    "Touch",
};

// Name of joystick button index under the game's padstyle, or null when it goes by number.
static const char *joy_button_name(int32_t index)
{
    if (gameinfo.padstyle == 1 && index >= 0 && index < PADSTYLE1_NAMES)
        return BUTTON_NAMES_1[index];
    if (gameinfo.padstyle == 2 && index >= 0 && index < PADSTYLE2_NAMES)
        return BUTTON_NAMES_2[index];
    return nullptr;
}

// Hat direction shown for a mask: a diagonal shows its vertical part.
static const char *hat_direction(int32_t mask)
{
    if (mask & 4)
        return "Down";
    if (mask & 1)
        return "Up";
    if (mask & 2)
        return "Right";
    return "Left";
}

void binding_label(const Binding &b, char *out, size_t size)
{
    if (size == 0)
        return;
    // Numbers are shown counted from 1; 64-bit so that stored extremes cannot overflow.
    long long joy = (long long)b.joyid + 1;
    char text[BINDING_LABEL_SIZE];
    switch (b.type) {
    case BIND_NONE:
        snprintf(text, sizeof text, "none");
        break;
    case BIND_KEY:
        snprintf(text, sizeof text, "%s", key_name(b.code));
        break;
    case BIND_AXIS: {
        const char *side = b.value == BIND_AXIS_NEGATIVE ? "-" : "+";
        // A negative index has no axis letter; it only comes from a hand-edited file.
        if (b.axis < 0)
            snprintf(text, sizeof text, "J%lld.?%s", joy, side);
        else
            snprintf(text, sizeof text, "J%lld.%s%lld%s", joy, AXIS_LETTERS[b.axis % 3],
                     (long long)(b.axis / 3) + 1, side);
        break;
    }
    case BIND_HAT:
        snprintf(text, sizeof text, "J%lld.H%lld%s", joy, (long long)b.axis + 1,
                 hat_direction(b.value));
        break;
    case BIND_BUTTON: {
        const char *name = joy_button_name(b.value);
        if (name)
            snprintf(text, sizeof text, "J%lld.%s", joy, name);
        else
            snprintf(text, sizeof text, "J%lld.%lld", joy, (long long)b.value + 1);
        break;
    }
    default:
        text[0] = '\0';
        break;
    }
    size_t len = strlen(text);
    while (len > 0 && len < LABEL_MIN_LENGTH)
        text[len++] = ' ';
    text[len] = '\0';
    snprintf(out, size, "%s", text);
}

void binding_cell_label(int player, int button, int slot, char *out, size_t size)
{
    if (size == 0)
        return;
    if (player < 0 || player >= MAX_PLAYERS || button < 0 || button >= MAX_BUTTONS ||
        slot < 0 || slot >= MAX_SLOTS) {
        out[0] = '\0';
        return;
    }
    if (capture_waits_on(button, slot))
        snprintf(out, size, "???");
    else
        binding_label(settings.bindings[player][button][slot], out, size);
}

void bindings_refresh_labels(void)
{
    int player = capture_shown_player();
    int buttons = input_button_count();
    memset(binding_labels, 0, sizeof binding_labels);
    for (int b = 0; b < buttons && b < MAX_BUTTONS; b++)
        for (int s = 0; s < MAX_SLOTS; s++)
            binding_cell_label(player, b, s, binding_labels[b][s], sizeof binding_labels[b][s]);
}

const char *binding_label_shown(int32_t button, int32_t slot)
{
    if (button < 0 || button >= MAX_BUTTONS || slot < 0 || slot >= MAX_SLOTS)
        return "";
    return binding_labels[button][slot];
}
