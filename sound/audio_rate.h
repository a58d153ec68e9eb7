// The stream follows the main loop: the component's sound is stretched or squeezed by at most
// AUDIO_RATIO_LIMIT so that the device's queue holds its target level, however the loop's pace
// (a display a little off the game's rate, a component that gives a little less or more than
// its whole-number frame rate says) and the sound card's clock differ. A proportional-integral
// control on the filtered queue error in sample frames, slow enough that the pitch never
// moves audibly: the level read before each push swings by a device buffer and a frame.
#pragma once

#define AUDIO_RATIO_LIMIT 0.01            // at most 1 % faster or slower than the component
#define AUDIO_RATE_CORRECT_FRAMES 88200   // queue error that moves the ratio by 1 (2 s of sound)
#define AUDIO_RATE_SMOOTH_FRAMES 22050    // time constant of the level filter, in sample frames
#define AUDIO_RATE_INTEGRAL_FRAMES 882000 // integral time, in sample frames (20 s at 44100 Hz)

struct AudioRate {
    double level;     // filtered queue level, sample frames; set to the target when the stream opens
    double integral;  // accumulated error, sample frames, held within what moves the ratio by the limit
};

// Starts the control with the queue at target.
void audio_rate_start(AudioRate &rate, int target);

// Takes the queue level read before a push of frames source frames and returns the ratio
// (output frames per source frame) for that push, within 1 +- AUDIO_RATIO_LIMIT. A target
// of 0 or below gives 1.
double audio_rate_update(AudioRate &rate, unsigned queued, int target, int frames);
