// The demo machine's sound: a soft organ tone while A (A4) or B (E5) is held, silence
// otherwise. One call gives one video frame of sound.
#include "component/machine.h"
#include "core_api/ox_core.h"

#include <math.h>

#define TONES 2
#define AMPLITUDE 4500.0f           // per tone, so both together stay far from clipping
#define RAMP_SECONDS 0.005f         // fade in and out so starts and stops do not click

static const double TONE_HZ[TONES] = {440.0, 659.255};

static int rate = OXM_DEFAULT_RATE;     // sample frames per second, set by ox_core_init
static int carry;                       // rate % frame rate left over, so no sample is lost
static float gain[TONES];               // envelope, 0..1
static bool fresh;                      // a frame ran since the last sound frame

void sound_set_rate(int sample_rate)
{
    rate = sample_rate > 0 ? sample_rate : OXM_DEFAULT_RATE;
    carry = 0;
}

void sound_frame_emulated()
{
    fresh = true;
}

void sound_clear()
{
    carry = 0;
    fresh = false;
    for (int t = 0; t < TONES; t++)
        gain[t] = 0.0f;
}

int ox_audio_render(int16_t *samples, int capacity)
{
    if (!samples || capacity <= 0)
        return 0;
    long long total = (long long)carry + rate;
    int frames = (int)(total / OXM_FRAMERATE);
    carry = (int)(total % OXM_FRAMERATE);
    // The tones' phase follows the machine's frame count, part of its state, so the sound
    // stays continuous over frames that are run and then undone by loading a state.
    long long first = (long long)(machine.frame > 0 ? machine.frame - 1 : 0) * rate / OXM_FRAMERATE;
    if (fresh)
        frames = (int)((long long)machine.frame * rate / OXM_FRAMERATE - first);
    if (frames > capacity)
        frames = capacity;

    int tone = fresh ? machine.tone : 0;
    if (!fresh) {
        // Nothing ran (paused): plain silence, and a later tone fades in again.
        for (int t = 0; t < TONES; t++)
            gain[t] = 0.0f;
    }
    fresh = false;
    float step = 1.0f / (RAMP_SECONDS * rate);
    for (int i = 0; i < frames; i++) {
        float value = 0.0f;
        for (int t = 0; t < TONES; t++) {
            float target = (tone >> t) & 1 ? 1.0f : 0.0f;
            if (gain[t] < target)
                gain[t] = gain[t] + step > target ? target : gain[t] + step;
            else if (gain[t] > target)
                gain[t] = gain[t] - step < target ? target : gain[t] - step;
            double cycles = (double)(first + i) * TONE_HZ[t] / rate;
            double w = 2.0 * M_PI * (cycles - floor(cycles));
            if (gain[t] > 0.0f)
                value += gain[t] * AMPLITUDE * (float)(sin(w) + 0.3 * sin(2.0 * w) + 0.12 * sin(3.0 * w));
        }
        int16_t s = (int16_t)lrintf(value);
        samples[2 * i] = s;
        samples[2 * i + 1] = s;
    }
    return frames;
}
