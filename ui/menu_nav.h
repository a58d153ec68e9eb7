// The menu without a mouse: arrows, Return, keypad Enter and Space on the keyboard, and the
// pads' menu controls, move the focus over the open page and act on it. While the menu is
// closed, a capture waits for a control, or the game runs behind the change-keys page, they
// do nothing here (Back+Start aside, which opens and closes the menu).
#pragma once

#include <stdint.h>

#include <SDL.h>

// Acts on the command bits of input/pad_nav.h: a move, accept (the focused widget, as a click
// would), back (the change-keys page goes to the menu page, the menu page closes the menu),
// and NAV_MENU, which toggles the menu.
void menu_nav(uint32_t commands);

// The focus move the command bits ask for, one step across (dx) or down (dy); none without a
// direction. Up wins over down, and both over left and right.
struct NavStep {
    int32_t dx, dy;
};
NavStep menu_nav_step(uint32_t commands);

// The command bits of a key press: an arrow's move (its auto-repeats too), accept for Return,
// keypad Enter and Space pressed anew; 0 for any other key.
uint32_t menu_key_command(SDL_Scancode code, bool repeat);

// A key press or release from the event queue. True when the press was taken as a menu
// command: the menu is open and the key is an arrow (auto-repeats too), or Return, keypad
// Enter or Space pressed anew (their auto-repeats are no command).
bool menu_nav_key(const SDL_KeyboardEvent &key);

// Once per loop pass, after the events: reads the pads (pad_nav_poll) and acts on them.
void menu_nav_pads(uint64_t now_ms);
