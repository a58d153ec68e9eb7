// The audio stream: the component's sound of each frame, silenced while paused, with one
// overlay sound mixed in, pushed into SDL's audio queue. The queue level paces the main loop.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "video/gamestate.h"

#define AUDIO_RATE 44100
#define AUDIO_CHANNELS 2
#define AUDIO_BUFFER_FRAMES 20   // video frames of sound the sample buffer holds
#define AUDIO_SAMPLE_LIMIT 32767 // mixed samples stay within -limit..limit

// Owned by main: opened at start-up, pushed once per loop pass, closed when main returns.
struct AudioStream {
    int16_t *samples;              // channels x capacity interleaved samples; null until opened
    int capacity;                  // sample frames in samples: 20 video frames of sound
    SDL_AudioDeviceID device;      // 0 when no device could be opened
    SDL_AudioSpec spec;            // the obtained format
    const int16_t *effect_samples; // overlay sound being mixed (mono), or null
    int effect_length;             // samples in effect_samples
    int effect_position;           // next effect sample to mix
};

// Opens the default playback device (44100 Hz, signed 16-bit, stereo) and allocates the
// buffer. A device that fails to open leaves device 0: pushes then do nothing audible.
void audio_stream_open(AudioStream &stream);
// Renders the component's sound of the frame just emulated, silences it when mute is set,
// mixes the overlay sound in and queues the result. Unpauses the device.
void audio_stream_push(AudioStream &stream, bool mute);
// Starts mixing sound from its beginning, cutting off one that is still playing.
// A sound that was not loaded starts nothing.
void audio_stream_start_effect(AudioStream &stream, const UiSound &sound);
// Sample frames waiting in the device's queue; 0 without a device.
unsigned audio_stream_queued_frames(const AudioStream &stream);
// Closes the device and frees the buffer; the record is then as before opening.
void audio_stream_close(AudioStream &stream);
