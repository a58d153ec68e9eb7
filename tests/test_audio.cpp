// The audio stream's decisions as plain values, then one run on a device (the dummy driver).
#include <SDL.h>
#include <gtest/gtest.h>
#include <algorithm>
#include "base/log.h"
#include "config/settings.h"
#include "sound/audio.h"
#include "core_api/ox_core.h"
#include "support/component_run.h"

// The default latency's target is the level the stream holds on the device below.
TEST(AudioStream, FrameTargetAndBoundInSampleFrames)
{
    EXPECT_EQ(882, audio_frame_frames(44100, 50));
    EXPECT_EQ(1247, audio_target_frames(16, 44100, 735, 512)) << "below a frame and a device buffer";
    EXPECT_EQ(3557, audio_bound_frames(1411, 735));
    const int32_t steps[] = {32, 64, 125, 250};
    EXPECT_EQ(125, audio_next_latency(100, steps, 4)) << "from a latency between steps";
    EXPECT_EQ(0, audio_next_latency(250, steps, 4)) << "none above the last";
}

// Of a buffer of 2940 sample frames; a frame is 735. (Muted: the device test below.)
TEST(AudioStream, TakesWhatTheComponentGaveHeldToTheBuffer)
{
    const struct { const char *name; int claimed, frames; bool silent; } cases[] = {
        {"more than the buffer holds", 2941, 2940, false},
        {"nothing: a frame of silence", 0, 735, true},
        {"below nothing", -5, 735, true},
    };
    for (const auto &c : cases) {
        const AudioTake take = audio_take(c.claimed, 2940, 735, false);
        EXPECT_EQ(c.frames, take.frames) << c.name;
        EXPECT_EQ(c.silent, take.silent) << c.name;
    }
}

// A push of 735 sample frames; a device buffer of 512 and a queue bound at 3000, held at 1600
// (a quarter is 400) or 2400 (the device buffer counts).
TEST(AudioStream, ADryQueueIsToppedUpToItsTargetAndAPushNeverPassesItsBound)
{
    const struct { const char *name; unsigned queued; int target, silence, kept; } cases[] = {
        {"below a quarter of the target", 399, 1600, 1201, 735},
        {"at a quarter of the target", 400, 1600, 0, 735},
        {"below a device buffer: then cut at the bound", 511, 2400, 1889, 600},
        {"at a device buffer", 512, 2400, 0, 735},
        {"past the bound", 9000, 2400, 0, 0},
    };
    for (const auto &c : cases) {
        const AudioQueueing q = audio_queueing(c.queued, 735, 512, c.target, 3000);
        EXPECT_EQ(c.silence, q.silence) << c.name;
        EXPECT_EQ(c.kept, q.kept) << c.name;
    }
}

// UI sounds over stereo sound of two frames a push, mixed in turn into one record.
TEST(AudioStream, UiSoundIsMixedIntoEveryChannelUntilItEndsOrTheNextCutsItOff)
{
    int16_t ramp[] = {1, 2, 3, 99};   // a sound of three samples: the fourth is never mixed
    int16_t loud[] = {32767, -32768};
    struct { const char *name; int16_t *start; uint32_t bytes; int16_t mixed[4], out[4]; } steps[] = {
        {"starts on both channels", ramp, 6, {10, 20, 0, -1}, {11, 21, 2, 1}},
        {"one not loaded starts nothing: the first ends within a push", nullptr, 6, {0, 0, 5, 5}, {3, 3, 5, 5}},
        {"held within full scale", loud, 4, {100, 1, -100, -1}, {32767, 32767, -32767, -32767}},
        {"cut off by the next", ramp, 6, {0, 0, 0, 0}, {1, 1, 2, 2}},
        {"a sound of one byte starts nothing", loud, 1, {0, 0, 0, 0}, {3, 3, 0, 0}},
    };
    AudioEffect effect = {};
    for (auto &s : steps) {
        audio_effect_start(effect, UiSound{SDL_AudioSpec{}, s.bytes, (uint8_t *)s.start});
        audio_effect_mix(effect, s.mixed, 2, 2);
        EXPECT_TRUE(std::equal(s.mixed, s.mixed + 4, s.out)) << s.name;
    }
}

// The audio stream on SDL's dummy driver, its device locked so that the queue keeps every
// push, with the demo game sounding a tone (button A of player 1 held).
class AudioDevice : public ::testing::Test {
protected:
    AudioStream stream = {};
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load(component_game().c_str()));
        ox_button_set_state(0, 4, true);
        settings.latency_ms = 125;   // a latency the test then leaves for the default
        audio_stream_open(stream);
        SDL_LockAudioDevice(stream.device);
    }
    void TearDown() override
    {
        // Closing waits for the device's thread, which waits for the lock.
        if (stream.device != 0)
            SDL_UnlockAudioDevice(stream.device);
        audio_stream_close(stream);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ox_core_shut();
    }
};

TEST_F(AudioDevice, PushesTheGamesSoundOrSilenceOnTopOfTheQueuesTarget)
{
    EXPECT_EQ(5512u, audio_stream_queued_frames(stream)) << "opened with the latency's silence";
    // A latency chosen in the menu takes effect at the next pass.
    settings.latency_ms = SETTINGS_DEFAULT_LATENCY_MS;
    audio_stream_follow(stream);
    stream.raise_ms = 64;   // offered, but a queue dry at the start is the start's: no rise
    for (bool mute : {true, false}) {
        SDL_ClearQueuedAudio(stream.device);
        ox_core_emulate();
        audio_stream_push(stream, mute);
        EXPECT_EQ(1411u + stream.frames, audio_stream_queued_frames(stream)) << mute;
        EXPECT_EQ(mute, std::count(stream.samples, stream.samples + 2 * stream.frames, 0) == 2 * stream.frames);
    }
    // Past the start, a queue found dry raises the target one step, once: the next dry queue
    // is topped up to the step's level, and rises no further although a higher step is offered.
    stream.pushes = AUDIO_SETTLE_PUSHES;
    for (int raise_ms : {64, 125}) {
        stream.raise_ms = raise_ms;
        SDL_ClearQueuedAudio(stream.device);
        audio_stream_push(stream, false);
    }
    EXPECT_EQ(2822u + stream.frames, audio_stream_queued_frames(stream));
    EXPECT_EQ("sound queue ran dry: its target rises from 32 to 64 ms", log_last_line());
}
