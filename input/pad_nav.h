// The pads' menu controls, read once per loop pass: moves, accept and back for the open menu,
// and the Back+Start hold that opens and closes it while the guide setting is on. They are
// separate from the game's bindings. A pad SDL knows as a game controller is read through its
// standard A, B, d-pad and left stick; any other joystick through button 0, button 1, its hats
// and axes 0 and 1.
#pragma once

#include <stdint.h>

#include "config/binding.h"
#include "input/devices.h"

// Command bits of one pass.
#define NAV_UP 0x01
#define NAV_DOWN 0x02
#define NAV_LEFT 0x04
#define NAV_RIGHT 0x08
#define NAV_ACCEPT 0x10      // A, or button 0
#define NAV_BACK 0x20        // B, or button 1
#define NAV_MENU 0x40        // Back and Start held together for NAV_CHORD_MS

#define NAV_REPEAT_DELAY_MS 400   // a held direction repeats after this ...
#define NAV_REPEAT_PERIOD_MS 100  // ... every this long
#define NAV_CHORD_MS 500

// What every pad together asks of the menu in one reading: the first pad's direction (a
// d-pad or hat before a stick, vertical before horizontal), accept and back from any pad,
// and each slot's Back+Start pair (only while guide is on).
struct NavReading {
    uint32_t direction;   // one of NAV_UP .. NAV_RIGHT, or 0
    bool accept, back;
    bool chord[MAX_JOYSTICKS];
};
NavReading nav_reading(const Devices &devices, bool guide);

// What the menu's pad controls remember from one pass to the next.
struct NavState {
    uint32_t held_direction;
    uint64_t next_repeat_ms;
    bool accept_held, back_held;
    bool chord_timing[MAX_JOYSTICKS];
    uint64_t chord_since_ms[MAX_JOYSTICKS];
    bool chord_fired[MAX_JOYSTICKS];
};
// The commands of a reading at now_ms: a direction when it is pressed and again while it is
// held (after the delay, every period; a late pass repeats once), accept and back when
// pressed, NAV_MENU once per hold of a slot's Back and Start.
uint32_t nav_commands(NavState &state, const NavReading &reading, uint64_t now_ms);

// nav_commands of the pass's reading, with the player's own state. Call it every pass, menu
// open or not, so a press is seen once.
uint32_t pad_nav_poll(uint64_t now_ms);

// True when binding names a raw button that is the Back or Start of a game controller whose
// Back and Start are both down, while guide is on: that pair is then the menu's and never
// reaches the game.
bool pad_nav_hides(const Devices &devices, const Binding &binding, bool guide);
