// The event dispatch of each loop pass: quit, hotkeys, the pointer, the menu gestures and
// joystick hot-plugging. Held keys and buttons are polled elsewhere, not taken from events.
#pragma once

#include <SDL.h>

// Handles one event taken from SDL's queue.
void handle_event(const SDL_Event &event);

// The pointer in overlay space (1920 x 1080) as the events left it, and whether the left
// button was pressed since the last take.
struct Pointer {
    int32_t x, y;
    bool clicked;
};

// The pointer for this pass's overlay update; the click is taken, so it acts once.
Pointer pointer_take(void);

enum HotkeyAction {
    HOTKEY_NONE, HOTKEY_FULLSCREEN, HOTKEY_MENU, HOTKEY_PAUSE, HOTKEY_LOAD, HOTKEY_SAVE, HOTKEY_SCREENSHOT
};

// The screenshot control: a key, and a pad's right stick pressed (raw button 9 of a joystick
// SDL does not know as a game controller).
#define SCREENSHOT_KEY SDL_SCANCODE_F12
#define SCREENSHOT_PAD_BUTTON 9

#define HOTKEY_KEYS_MAX 3

// What a key press asks of the player, and the keys that make it.
struct Hotkey {
    HotkeyAction action;
    int slot;                              // HOTKEY_LOAD and HOTKEY_SAVE: 0 to SLOTS_COUNT - 1
    int key_count;
    SDL_Scancode keys[HOTKEY_KEYS_MAX];    // the key pressed, then the modifiers held for it
};

// The hotkey of a key press with the modifiers mod: Alt+Return, Escape, Pause, F1 to F3 (load),
// Shift+F1 to Shift+F3 (save) and F12 (screenshot). An auto-repeat (repeat) is no hotkey: a held key acts once.
Hotkey hotkey_of(SDL_Scancode code, uint16_t mod, bool repeat);

// Whether a hotkey acts now. While the binding row capture_row (-1: none) waits for a capture,
// the key pressed is the binding, and a slot loaded over the game, a slot overwritten or the
// game set running behind the menu would come with it: only Escape keeps its meaning, to call
// the wait off. captured_key is the key the last capture took while it stays down (-1: none): a
// modifier of the hotkey that the capture took is still that capture's, so Alt bound to a cell
// and then Return pressed with it makes no Alt+Return.
bool hotkey_acts(const Hotkey &hot, int32_t capture_row, int32_t captured_key);

// Whether a pad's button press opens or closes the menu, while the guide setting is on and the
// pad is one in use: a game controller's own guide button, found through SDL's mapping of that
// pad (controller_event: button is SDL's standard name), and raw button 10 of a joystick SDL
// does not know as a game controller (its raw number differs from pad to pad, and on a
// controller raw 10 is another button). A controller's raw presses are left to its own events.
bool menu_pad_button(bool guide, bool controller_event, int32_t button, bool controller, bool in_slot);
// The same rule for the screenshot control: a game controller's right stick pressed, or raw
// button SCREENSHOT_PAD_BUTTON of a joystick SDL does not know as one, on a pad in use.
bool screenshot_pad_button(bool controller_event, int32_t button, bool controller, bool in_slot);

// Maps a position in an output of out_w x out_h pixels into overlay space, whose 16:9 area
// is as high as the output and centred across it. Positions left or right of that area map
// outside 0..1919. False, with *px and *py untouched, for an output without height.
bool map_pointer(int x, int y, int out_w, int out_h, int *px, int *py);
