// The component's sound as the audio stream takes it once a pass. Frames that run without
// keeping their sound (run-ahead's extra frames, fast-forward) come between a real frame and
// the stream's take, so the real frame's sound is taken from the component first and held,
// and what the others make is thrown away.
#pragma once

#include <stdint.h>

// Sizes the holding buffer: capacity stereo sample frames, as the stream takes at most.
// False when it cannot be had (then nothing is held and the stream reads the component).
bool sound_hold_init(int capacity);
// Takes the sound the component made so far into the holding buffer, after what is held
// already (what does not fit is dropped).
void sound_hold_take(void);
// Takes the sound the component made so far and throws it away; what was held stays.
void sound_hold_drop(void);
// What the audio stream renders: the held sound when any was taken this pass (then
// forgotten), else the component's own. Stereo sample frames written into samples.
int sound_hold_render(int16_t *samples, int capacity);
// Frees the buffers.
void sound_hold_end(void);
