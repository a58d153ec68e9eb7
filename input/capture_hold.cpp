// The controls held when a capture was asked for without a mouse, kept out of that capture.
#include "input/capture.h"
#include "input/devices.h"

// Every key (0..255) and every joystick axis, hat and button (0..9) of four pads fits.
#define CAPTURE_HELD_MAX 512

static Binding held[CAPTURE_HELD_MAX];
static int held_count;

void capture_hold_snapshot(void)
{
    held_count = controls_down(input_devices(), held, CAPTURE_HELD_MAX);
}

void capture_hold_clear(void)
{
    held_count = 0;
}

bool capture_held(void)
{
    int kept = 0;
    for (int i = 0; i < held_count; i++)
        if (binding_down(input_devices(), held[i]))
            held[kept++] = held[i];
    held_count = kept;
    return held_count > 0;
}
