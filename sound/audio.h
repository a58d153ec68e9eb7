// The audio stream: the component's sound of each frame, silenced while paused, resampled
// by at most 1 % to hold the queue at its target, with one overlay sound mixed in, pushed
// into SDL's audio queue. The loop keeps its own pace; the stream follows it.
#pragma once

#include <stdint.h>

#include <SDL.h>

#include "sound/audio_rate.h"
#include "sound/resample.h"
#include "base/sound_file.h"

#define AUDIO_CHANNELS 2
#define AUDIO_SAMPLE_LIMIT 32767 // mixed samples stay within -limit..limit
// The device buffer asked for, in sample frames (11.6 ms): the device takes this much out of
// the queue at a time, so the queue must hold it and a frame on top. 256 gave gaps on a busy
// machine, 1024 adds 12 ms for nothing (bench/README.md).
#define AUDIO_DEVICE_FRAMES 512
#define AUDIO_RENDER_FRAMES 4    // the component may give up to this many frames' worth a pass
#define AUDIO_BOUND_FACTOR 2     // the queue holds at most this many targets and a frame; more is dropped
#define AUDIO_SETTLE_PUSHES 60   // a queue found dry or too full this early is the start's, not the machine's

// The overlay sound being mixed: mono samples at the stream's rate, in the sound's own buffer.
struct AudioEffect {
    const int16_t *samples; // null when none plays
    int length;             // samples
    int position;           // next sample to mix
};

// What a push takes of the component's sound.
struct AudioTake {
    int frames;  // sample frames pushed
    bool silent; // silence in place of the component's sound
};

// What a push adds to the device's queue, in sample frames.
struct AudioQueueing {
    int silence; // topping up a queue that ran dry
    int kept;    // of the sound pushed; the rest is dropped
};

// Owned by main: opened at start-up, pushed once per loop pass, closed when main returns.
struct AudioStream {
    int16_t *samples;              // channels x capacity interleaved samples; null until opened
    int capacity;                  // sample frames the component may give a pass: AUDIO_RENDER_FRAMES frames' worth
    int frame_frames;              // sample frames of one video frame at the game's rate
    SDL_AudioDeviceID device;      // 0 when no device could be opened
    SDL_AudioSpec spec;            // the obtained format
    AudioEffect effect;            // overlay sound being mixed
    int16_t *source;               // channels x capacity: the component's sound before resampling
    int room;                      // sample frames samples holds: capacity stretched by 1 % and more
    int frames;                    // sample frames in samples after the last push
    int source_frames;             // sample frames the component gave at the last push
    int latency_ms;                // the latency setting target was made for
    int raise_ms;                  // the setting's next value, set by the loop; 0: none
    int raised_ms;                 // the latency the target rose to after a dry queue; 0: none
    int pushes;                    // since the stream opened, up to AUDIO_SETTLE_PUSHES
    int target;                    // queue level held, sample frames: the latency, at least a frame and a device buffer
    int bound;                     // queue level never exceeded, sample frames
    bool dropped;                  // sound was dropped at the bound past the start (logged once)
    double ratio;                  // output frames per source frame of the next push; 1 at open
    AudioRate rate;                // the control that sets ratio (audio_stream_follow)
    Resampler resampler;           // carries the wave from one push to the next
};

// Opens the default playback device (44100 Hz, signed 16-bit, stereo, AUDIO_DEVICE_FRAMES a
// buffer), allocates the buffers and queues target frames of silence, so that the sound
// starts with the queue at its level. A device that fails to open leaves device 0: pushes
// then do nothing audible.
void audio_stream_open(AudioStream &stream);
// The queue level held, sample frames: latency_ms of sound at rate sample frames a second,
// at least a video frame and a device buffer (below that the device finds the queue dry
// between pushes).
int audio_target_frames(int latency_ms, int rate, int frame_frames, int device_frames);
// The queue level never exceeded, sample frames: AUDIO_BOUND_FACTOR targets and a frame.
int audio_bound_frames(int target, int frame_frames);
// Sample frames of one video frame at frame_rate, at least 1; a component outside its
// contract (a rate of 0 or below) gets FALLBACK_FRAME_RATE's worth.
int audio_frame_frames(int freq, int frame_rate);
// The component said it rendered claimed sample frames into a buffer of capacity: held to
// the buffer, since one that claims more must not make us read past it. Muted, or given no
// sound (it gives none while it is not stepped, and some give none at all), the push is
// frame_frames of silence, so the device still gets a frame's worth and the queue its level.
AudioTake audio_take(int claimed, int capacity, int frame_frames, bool mute);
// What a push adds to a queue found holding queued sample frames: first the silence that tops
// up a queue that ran dry (less than a device buffer and a quarter of the target) to target,
// then what fits under bound of frames sample frames of sound.
AudioQueueing audio_queueing(unsigned queued, int frames, int device_frames, int target, int bound);
// The latency a queue found dry raises the target to: the first of the count steps (rising)
// above latency_ms, or 0 when there is none.
int audio_next_latency(int latency_ms, const int32_t *steps, int count);
// Sets the target and the bound from the latency setting (settings.latency_ms), or from the
// latency the target rose to when that is more.
void audio_stream_retarget(AudioStream &stream);
// Sets the ratio of the next push from the queue level, so that the stream follows the
// loop's pace; a changed latency setting sets a new target first. Without a device the
// ratio stays 1.
void audio_stream_follow(AudioStream &stream);
// Renders the component's sound of the frame just emulated, resamples it at ratio, mixes the
// overlay sound in and queues the result. Unpauses the device. Silenced (mute), or given no
// sound at all, the stream pushes a frame's worth of silence instead, so the device keeps
// playing at the game's rate. A queue holding less than one device buffer (and a quarter of
// the target) is first topped up with silence to the target; after the start, the target then
// rises once to raise_ms (logged), so that the same stall does not cut the sound twice. What
// would take the queue past
// its bound is dropped, logged the first time (a component giving too much sound, or a
// stalled device, must not take memory or delay without end).
void audio_stream_push(AudioStream &stream, bool mute);
// Starts mixing sound from its beginning, cutting off one that is still playing.
// A sound that was not loaded starts nothing.
void audio_stream_start_effect(AudioStream &stream, const UiSound &sound);
// The same on the effect record alone.
void audio_effect_start(AudioEffect &effect, const UiSound &sound);
// Adds the effect's next samples to count interleaved frames, one effect sample per frame on
// every channel, each sum held within -AUDIO_SAMPLE_LIMIT..AUDIO_SAMPLE_LIMIT; the effect
// ends (and is forgotten) when its last sample is used.
void audio_effect_mix(AudioEffect &effect, int16_t *frames, int count, int channels);
// Sample frames waiting in the device's queue; 0 without a device.
unsigned audio_stream_queued_frames(const AudioStream &stream);
// Closes the device and frees the buffers; the record is then as before opening.
void audio_stream_close(AudioStream &stream);
