#include "ui/menu_nav.h"

#include "input/capture.h"
#include "input/pad_nav.h"
#include "ui/menu.h"
#include "ui/page_widgets.h"
#include "xgui/focus.h"
#include "xgui/xgui.h"

// Keys that went down while a capture waited: the capture took them, so neither they nor
// their auto-repeats move the focus until they are released.
static bool taken_by_capture[SDL_NUM_SCANCODES];

// Where the focus first appears: "Play", or the first binding cell on show.
static int32_t page_home(void)
{
    if (xgui_current_page() != KEYS_PAGE)
        return menu_widgets.play;
    int32_t row = keys_group * KEYS_ROWS_PER_GROUP;
    return row >= 0 && row < keys_widgets.rows && row < MAX_BUTTONS ? keys_widgets.cell[row][0]
                                                                      : -1;
}

NavStep menu_nav_step(uint32_t commands)
{
    if (commands & NAV_UP)
        return {0, -1};
    if (commands & NAV_DOWN)
        return {0, 1};
    if (commands & NAV_LEFT)
        return {-1, 0};
    if (commands & NAV_RIGHT)
        return {1, 0};
    return {0, 0};
}

void menu_nav(uint32_t commands)
{
    if (commands & NAV_MENU)
        menu_toggle();
    // A waiting capture takes every control, the pads' button 1 too, which stays bindable.
    if (!xgui_is_open() || capture_row() >= 0 || menu_lends_keys())
        return;
    int32_t home = page_home();
    const NavStep step = menu_nav_step(commands);
    if (step.dx != 0 || step.dy != 0)
        xgui_focus_move(step.dx, step.dy, home);
    if (commands & NAV_ACCEPT)
        xgui_focus_activate(home);
    if (commands & NAV_BACK) {
        if (xgui_current_page() == KEYS_PAGE)
            keys_page_back();
        else
            menu_close();
    }
}

// An accept acts on the first press only, as a pad's does: the key's auto-repeat would arm
// and then confirm "OK?" under a key merely held. The arrows keep their repeat.
uint32_t menu_key_command(SDL_Scancode code, bool repeat)
{
    switch (code) {
    case SDL_SCANCODE_UP:
        return NAV_UP;
    case SDL_SCANCODE_DOWN:
        return NAV_DOWN;
    case SDL_SCANCODE_LEFT:
        return NAV_LEFT;
    case SDL_SCANCODE_RIGHT:
        return NAV_RIGHT;
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_SPACE:
        return repeat ? 0 : NAV_ACCEPT;
    default:
        return 0;
    }
}

bool menu_nav_key(const SDL_KeyboardEvent &key)
{
    int code = key.keysym.scancode;
    bool known = code >= 0 && code < SDL_NUM_SCANCODES;
    if (key.type == SDL_KEYUP) {
        if (known)
            taken_by_capture[code] = false;
        return false;
    }
    if (known && capture_row() >= 0)
        taken_by_capture[code] = true;
    uint32_t command = menu_key_command(key.keysym.scancode, key.repeat != 0);
    if (!command || !xgui_is_open() || (known && taken_by_capture[code]))
        return false;
    menu_nav(command);
    return true;
}

void menu_nav_pads(uint64_t now_ms)
{
    menu_nav(pad_nav_poll(now_ms));
}
