#include "sound/sound_hold.h"

#include <stdlib.h>
#include <string.h>

#include "core_api/ox_core.h"

#define SOUND_HOLD_CHANNELS 2

static int16_t *held;       // capacity stereo sample frames
static int16_t *scratch;    // what is thrown away
static int room;
static int count;           // sample frames held
static bool holding;        // a take or a drop happened since the stream's last render

bool sound_hold_init(int capacity)
{
    sound_hold_end();
    if (capacity <= 0)
        return false;
    held = (int16_t *)calloc((size_t)capacity * SOUND_HOLD_CHANNELS, sizeof(int16_t));
    scratch = (int16_t *)calloc((size_t)capacity * SOUND_HOLD_CHANNELS, sizeof(int16_t));
    if (!held || !scratch) {
        sound_hold_end();
        return false;
    }
    room = capacity;
    return true;
}

// The component says how much it wrote; a claim beyond the buffer is held to it.
static int rendered(int16_t *into, int capacity)
{
    int n = ox_audio_render(into, capacity);
    return n < 0 ? 0 : n > capacity ? capacity : n;
}

void sound_hold_take(void)
{
    if (!held)
        return;
    if (count < room)
        count += rendered(held + (size_t)count * SOUND_HOLD_CHANNELS, room - count);
    else
        rendered(scratch, room);
    holding = true;
}

void sound_hold_drop(void)
{
    if (!held)
        return;
    rendered(scratch, room);
    holding = true;
}

int sound_hold_render(int16_t *samples, int capacity)
{
    if (!holding)
        return ox_audio_render(samples, capacity);
    int n = count < capacity ? count : capacity;
    if (n > 0)
        memcpy(samples, held, (size_t)n * SOUND_HOLD_CHANNELS * sizeof(int16_t));
    count = 0;
    holding = false;
    return n;
}

void sound_hold_end(void)
{
    free(held);
    free(scratch);
    held = scratch = nullptr;
    room = count = 0;
    holding = false;
}
