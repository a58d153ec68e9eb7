// The overlay's sounds: WAV files read once at start-up and converted to what the audio
// stream mixes.
#pragma once

#include <stdint.h>

#include <SDL.h>

// The one sample rate: the component renders its sound at it and the stream plays at it.
#define AUDIO_RATE 44100
#define AUDIO_SOUND_LIMIT (64 * 1024 * 1024) // bytes of a UI sound after conversion

// A UI sound, converted at load to signed 16-bit mono at AUDIO_RATE; the samples are
// released with SDL_FreeWAV.
struct UiSound {
    SDL_AudioSpec spec;
    uint32_t length;    // bytes
    uint8_t *buffer;    // null when the file was missing
};

// Loads the UI sound in path as the mixer reads it: signed 16-bit mono at the stream's
// rate, converted once by SDL from whatever the WAV file holds (a float file would
// otherwise play as full-scale noise). The file is read whole, a regular file of at most
// READ_LIMIT_SOUND bytes. False, with the reason logged and the sound empty, when it cannot
// be read, decoded or converted. The samples are released with SDL_FreeWAV.
bool sound_file_load(const char *path, UiSound &sound);
