#include "sound/audio.h"

#include <string.h>

#include <vector>

#include "base/file_read.h"
#include "base/log.h"
#include "config/settings.h"
#include "game/game.h"
#include "sound/sound_hold.h"
#include "core_api/ox_core.h"

// Queues frames sample frames of silence, through the source buffer a capacity at a time.
static void queue_silence(AudioStream &stream, int frames)
{
    if (stream.device == 0 || stream.capacity <= 0)
        return;
    while (frames > 0) {
        int part = frames < stream.capacity ? frames : stream.capacity;
        size_t bytes = (size_t)stream.spec.channels * part * sizeof(int16_t);
        memset(stream.source, 0, bytes);
        SDL_QueueAudio(stream.device, stream.source, (Uint32)bytes);
        frames -= part;
    }
}

void audio_stream_open(AudioStream &stream)
{
    memset(&stream, 0, sizeof stream);

    SDL_AudioSpec want;
    SDL_zero(want);
    want.freq = AUDIO_RATE;
    want.format = AUDIO_S16LSB;
    want.channels = AUDIO_CHANNELS;
    want.samples = AUDIO_DEVICE_FRAMES;
    // No changes allowed, so a device that opens plays exactly the wanted format.
    stream.device = SDL_OpenAudioDevice(nullptr, 0, &want, &stream.spec, 0);
    if (stream.device == 0)
        stream.spec = want;

    stream.frame_frames = audio_frame_frames(stream.spec.freq, game_frame_rate());
    stream.capacity = stream.frame_frames * AUDIO_RENDER_FRAMES;
    log_write("sound stream set to %i FPS\n", game_frame_rate());
    log_write("sound stream device buffer %i sample frames\n", (int)stream.spec.samples);

    size_t channels = (size_t)stream.spec.channels;
    stream.room = resample_room(stream.capacity, 1.0 + AUDIO_RATIO_LIMIT);
    stream.samples = (int16_t *)SDL_calloc(channels * stream.room, sizeof(int16_t));
    stream.source = (int16_t *)SDL_calloc(channels * stream.capacity, sizeof(int16_t));
    if (!stream.samples || !stream.source) {
        SDL_free(stream.samples);
        SDL_free(stream.source);
        stream.samples = stream.source = nullptr;
        stream.capacity = stream.room = 0;
        return;
    }

    audio_stream_retarget(stream);
    stream.ratio = 1.0;
    stream.source_frames = stream.frame_frames;
    // The device stays paused until the first push, so this silence plays first. Without
    // it the queue starts empty, and a loop held to the game's rate by vertical sync has
    // no way to fill it: the sound would break up from the start.
    queue_silence(stream, stream.target);
}

int audio_frame_frames(int freq, int frame_rate)
{
    // The frame rate divides.
    int frames = freq / (frame_rate > 0 ? frame_rate : FALLBACK_FRAME_RATE);
    return frames > 1 ? frames : 1;
}

AudioTake audio_take(int claimed, int capacity, int frame_frames, bool mute)
{
    if (mute || claimed <= 0)
        return AudioTake{frame_frames, true};
    return AudioTake{claimed < capacity ? claimed : capacity, false};
}

AudioQueueing audio_queueing(unsigned queued, int frames, int device_frames, int target, int bound)
{
    AudioQueueing q = {0, 0};
    if (queued < (unsigned)device_frames && (int)queued < target / 4) {
        q.silence = target - (int)queued;
        queued = (unsigned)target;
    }
    int room = queued < (unsigned)bound ? bound - (int)queued : 0;
    q.kept = frames < room ? frames : room;
    return q;
}

int audio_target_frames(int latency_ms, int rate, int frame_frames, int device_frames)
{
    int target = (int)((int64_t)rate * latency_ms / 1000);
    int least = frame_frames + device_frames;
    return target > least ? target : least;
}

int audio_bound_frames(int target, int frame_frames)
{
    return target * AUDIO_BOUND_FACTOR + frame_frames;
}

int audio_next_latency(int latency_ms, const int32_t *steps, int count)
{
    for (int i = 0; i < count; i++)
        if (steps[i] > latency_ms)
            return steps[i];
    return 0;
}

void audio_stream_retarget(AudioStream &stream)
{
    stream.latency_ms = settings.latency_ms;
    int latency = stream.raised_ms > stream.latency_ms ? stream.raised_ms : stream.latency_ms;
    stream.target = audio_target_frames(latency, stream.spec.freq, stream.frame_frames, stream.spec.samples);
    stream.bound = audio_bound_frames(stream.target, stream.frame_frames);
    audio_rate_start(stream.rate, stream.target);
}

void audio_stream_follow(AudioStream &stream)
{
    if (stream.device == 0 || !stream.samples)
        return;
    // A latency chosen anew replaces a target that rose.
    if (stream.latency_ms != settings.latency_ms) {
        stream.raised_ms = 0;
        audio_stream_retarget(stream);
    }
    stream.ratio = audio_rate_update(stream.rate, audio_stream_queued_frames(stream), stream.target,
                                     stream.source_frames);
}

static int16_t clip_sample(int value)
{
    if (value > AUDIO_SAMPLE_LIMIT)
        return AUDIO_SAMPLE_LIMIT;
    if (value < -AUDIO_SAMPLE_LIMIT)
        return -AUDIO_SAMPLE_LIMIT;
    return (int16_t)value;
}

void audio_effect_mix(AudioEffect &effect, int16_t *frames, int count, int channels)
{
    if (!effect.samples)
        return;
    for (int i = 0; i < count; i++) {
        if (effect.position >= effect.length) {
            effect = AudioEffect{};
            return;
        }
        int s = effect.samples[effect.position++];
        int16_t *frame = frames + i * channels;
        for (int c = 0; c < channels; c++)
            frame[c] = clip_sample(frame[c] + s);
    }
}

void audio_stream_push(AudioStream &stream, bool mute)
{
    if (!stream.samples)
        return;
    AudioTake take = audio_take(sound_hold_render(stream.source, stream.capacity), stream.capacity,
                                stream.frame_frames, mute);
    int frames = take.frames;
    if (take.silent)
        memset(stream.source, 0, (size_t)stream.spec.channels * frames * sizeof(int16_t));
    stream.source_frames = frames;
    SDL_PauseAudioDevice(stream.device, 0);

    int channels = stream.spec.channels;
    // The overlay sound is mixed after resampling: it is already at the stream's rate.
    frames = resample(stream.resampler, stream.source, frames, channels, stream.ratio, stream.samples,
                      stream.room);
    stream.frames = frames;
    audio_effect_mix(stream.effect, stream.samples, frames, channels);
    if (stream.device == 0)
        return;
    AudioQueueing q = audio_queueing(audio_stream_queued_frames(stream), frames, stream.spec.samples,
                                     stream.target, stream.bound);
    // A queue that ran dry (the loop stalled, or cannot keep the game's rate) is topped up
    // with silence at once: one short pause instead of seconds of broken sound while the
    // control refills it 1 % at a time. The stall says nothing of the rates, so the control
    // starts afresh.
    if (q.silence > 0) {
        queue_silence(stream, q.silence);
        if (stream.pushes >= AUDIO_SETTLE_PUSHES && stream.raised_ms == 0 && stream.raise_ms > 0) {
            log_write("sound queue ran dry: its target rises from %i to %i ms\n", stream.latency_ms,
                      stream.raise_ms);
            stream.raised_ms = stream.raise_ms;
            audio_stream_retarget(stream);
        }
        audio_rate_start(stream.rate, stream.target);
    }
    if (stream.pushes < AUDIO_SETTLE_PUSHES)
        stream.pushes++;
    if (q.kept < frames) {
        // The first passes catch up the frames a slow start-up owes onto a queue that barely
        // drains yet: only a drop after them tells of a component or a device.
        if (!stream.dropped && stream.pushes >= AUDIO_SETTLE_PUSHES)
            log_write("sound beyond the queue's bound of %i ms is dropped (%i sample frames in a frame)\n",
                      stream.bound * 1000 / stream.spec.freq, stream.source_frames);
        stream.dropped = stream.pushes >= AUDIO_SETTLE_PUSHES;
        frames = q.kept;
    }
    if (frames > 0)
        SDL_QueueAudio(stream.device, stream.samples,
                       (Uint32)((size_t)channels * frames * sizeof(int16_t)));
}

void audio_stream_start_effect(AudioStream &stream, const UiSound &sound)
{
    audio_effect_start(stream.effect, sound);
}

void audio_effect_start(AudioEffect &effect, const UiSound &sound)
{
    if (!sound.buffer || sound.length < sizeof(int16_t))
        return;
    // Loaded as mono 16-bit at the stream's rate (sound_file_load), in an SDL allocation.
    effect.samples = (const int16_t *)(const void *)sound.buffer;
    effect.length = (int)(sound.length / sizeof(int16_t));
    effect.position = 0;
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
    SDL_free(stream.samples);
    SDL_free(stream.source);
    memset(&stream, 0, sizeof stream);
}
