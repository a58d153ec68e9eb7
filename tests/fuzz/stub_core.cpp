// The component functions the loaders ask, answering what the fuzz input chose.
#include <stddef.h>
#include <stdio.h>

#include "core_api/ox_core.h"

int fuzz_button_count = 12;

int ox_button_get_count(void) { return fuzz_button_count; }
int ox_button_get_default_keyboard(int button) { return 4 + button * 9; }
int ox_button_get_default_joystick(int button) { return button < 4 ? 1 << button : button - 4; }

// The log writes each line to standard output as well, which while fuzzing is only noise
// and time; libFuzzer reports on standard error.
[[maybe_unused]] static const bool quiet = freopen("/dev/null", "w", stdout) != nullptr;
