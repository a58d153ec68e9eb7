#include "host/audio.h"

#include <string.h>

#include "app/log.h"
#include "host/ox_core.h"

void audio_stream_open(AudioStream &stream)
{
    memset(&stream, 0, sizeof stream);

    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = AUDIO_RATE;
    want.format = AUDIO_S16LSB;
    want.channels = AUDIO_CHANNELS;
    want.samples = 0;
    // No changes allowed, so a device that opens plays exactly the wanted format.
    stream.device = SDL_OpenAudioDevice(nullptr, 0, &want, &stream.spec, 0);
    if (stream.device == 0)
        stream.spec = want;

    // The frame rate divides; a component outside its contract gets 60 frames' worth.
    int rate = gamestate.frame_rate > 0 ? gamestate.frame_rate : 60;
    stream.capacity = stream.spec.freq * AUDIO_BUFFER_FRAMES / rate;
    if (stream.capacity < 1)
        stream.capacity = 1;
    log_write("sound stream set to %i FPS\n", gamestate.frame_rate);

    stream.samples = (int16_t *)SDL_malloc((size_t)stream.spec.channels * stream.capacity
                                           * sizeof(int16_t));
    if (!stream.samples)
        stream.capacity = 0;
}

static int16_t clip_sample(int value)
{
    if (value > AUDIO_SAMPLE_LIMIT)
        return AUDIO_SAMPLE_LIMIT;
    if (value < -AUDIO_SAMPLE_LIMIT)
        return -AUDIO_SAMPLE_LIMIT;
    return (int16_t)value;
}

// Adds the next effect samples to frames sample frames, one effect sample per frame on
// every channel; the effect ends (and is forgotten) when its last sample is used.
static void mix_effect(AudioStream &stream, int frames)
{
    if (!stream.effect_samples || stream.effect_length <= 0)
        return;
    int channels = stream.spec.channels;
    for (int i = 0; i < frames; i++) {
        if (stream.effect_position >= stream.effect_length) {
            stream.effect_samples = nullptr;
            stream.effect_length = 0;
            return;
        }
        int s = stream.effect_samples[stream.effect_position++];
        int16_t *frame = stream.samples + i * channels;
        for (int c = 0; c < channels; c++)
            frame[c] = clip_sample(frame[c] + s);
    }
}

void audio_stream_push(AudioStream &stream, bool mute)
{
    if (!stream.samples)
        return;
    int frames = ox_audio_render(stream.samples, stream.capacity);
    // A component that claims more than the buffer holds must not make us read past it.
    if (frames < 0)
        frames = 0;
    if (frames > stream.capacity)
        frames = stream.capacity;
    SDL_PauseAudioDevice(stream.device, 0);

    int channels = stream.spec.channels;
    if (mute)
        memset(stream.samples, 0, (size_t)channels * frames * sizeof(int16_t));
    mix_effect(stream, frames);
    if (frames > 0)
        SDL_QueueAudio(stream.device, stream.samples,
                       (Uint32)((size_t)channels * frames * sizeof(int16_t)));
}

void audio_stream_start_effect(AudioStream &stream, const UiSound &sound)
{
    if (!sound.buffer || sound.length < sizeof(int16_t))
        return;
    // WAV data is 16-bit aligned in SDL's allocation; taken as mono at the stream's rate.
    stream.effect_samples = (const int16_t *)(const void *)sound.buffer;
    stream.effect_length = (int)(sound.length / sizeof(int16_t));
    stream.effect_position = 0;
}

unsigned audio_stream_queued_frames(const AudioStream &stream)
{
    if (stream.device == 0 || stream.spec.channels == 0)
        return 0;
    return (SDL_GetQueuedAudioSize(stream.device) / 2) / stream.spec.channels;
}

void audio_stream_close(AudioStream &stream)
{
    if (stream.device != 0)
        SDL_CloseAudioDevice(stream.device);
    if (stream.samples)
        SDL_free(stream.samples);
    memset(&stream, 0, sizeof stream);
}
