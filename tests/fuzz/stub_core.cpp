// The component functions the loaders ask, answering what the fuzz input chose.
#include <stddef.h>

#include "base/log.h"

#include "record/ox_core.h"

int fuzz_button_count = 12;

int ox_button_get_count(void) { return fuzz_button_count; }
int ox_button_get_default_keyboard(int button) { return 4 + button * 9; }
int ox_button_get_default_joystick(int button) { return button < 4 ? 1 << button : button - 4; }

// The executable path is never needed: the fuzzers set exe_dir themselves.
void platform_exe_path(char *out, size_t size)
{
    if (size)
        out[0] = '\0';
}

// Nothing is logged while fuzzing.
void log_write(const char *, ...) {}
