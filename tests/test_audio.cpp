// The audio stream on SDL's disk driver, its device locked so that the queue keeps every push.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>
#include "config/settings.h"
#include "host/audio.h"
#include "record/ox_core.h"
#include "support/res_dir.h"

#define FRAME_SAMPLES 735     // sample frames per video frame at 44100 Hz, 60 fps
#define PUSH (2 * FRAME_SAMPLES)
typedef std::vector<int16_t> Samples;
// "" when got holds expect whole, else the first sample that differs.
static std::string difference(const Samples &expect, const Samples &got)
{
    for (size_t i = 0; i < expect.size(); i++) {
        const std::string want = "sample " + std::to_string(i) + ": expected " + std::to_string(expect[i]);
        if (i >= got.size())
            return want + ", got the end";
        if (got[i] != expect[i])
            return want + ", got " + std::to_string(got[i]);
    }
    return "";
}
class DiskAudio : public ::testing::Test {
protected:
    ResDir dir;
    AudioStream stream = {};
    Samples sent;
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", dir.path("played").c_str(), 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ox_core_init(44100, 0);
        audio_stream_open(stream);
        ASSERT_NE(stream.device, 0u) << SDL_GetError();
        // No pull between pushes: on a loaded machine it would pad with silence and split the sound.
        SDL_LockAudioDevice(stream.device);
    }
    void TearDown() override
    {
        SDL_UnlockAudioDevice(stream.device);   // closing waits for the thread, which waits for the lock
        audio_stream_close(stream);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ox_core_shut();
    }
    // The demo game with button A of player 1 held sounds a tone (below 8000) from its first frame.
    void hold_a_tone()
    {
        ASSERT_TRUE(ox_core_load((std::string(getenv("TEST_DIST_DIR")) + "/res/game").c_str()));
        ox_button_set_state(0, 4, true);
    }
    // One loop pass, the UI sound s started first: the component runs a frame, its sound is pushed and kept.
    void pass(bool mute, Samples *s = nullptr)
    {
        if (s) {
            const UiSound sound = {SDL_AudioSpec{}, (uint32_t)(s->size() * 2), (uint8_t *)s->data()};
            audio_stream_start_effect(stream, sound);
        }
        ox_core_emulate();
        audio_stream_push(stream, mute);
        sent.insert(sent.end(), stream.samples, stream.samples + PUSH);
    }
    Samples last_push() const { return Samples(sent.end() - PUSH, sent.end()); }
};

// A full-scale UI sound over the tone is mixed in and held within +-32767.
TEST_F(DiskAudio, FullScaleUiSoundOverTheToneStaysInRange)
{
    hold_a_tone();
    pass(false);
    Samples loud(FRAME_SAMPLES, 32767);
    pass(false, &loud);
    Samples last = last_push();
    EXPECT_EQ(32767, *std::max_element(last.begin(), last.end()));
    EXPECT_GE(*std::min_element(last.begin(), last.end()), 32767 - 8000) << "the tone is mixed in";
    Samples low(FRAME_SAMPLES, -32768);
    pass(false, &low);
    last = last_push();
    EXPECT_EQ(-32767, *std::min_element(last.begin(), last.end()));
    EXPECT_LE(*std::max_element(last.begin(), last.end()), -32767 + 8000) << "the tone is mixed in";
}

// Muted, the UI sound alone: a long one over three pushes, then the same again cut off by
// another after one push.
TEST_F(DiskAudio, MutedUiSoundPlaysWholeUntilTheNextCutsItOff)
{
    const int f = FRAME_SAMPLES;
    Samples ramp(2000);
    for (int i = 0; i < 2000; i++)
        ramp[i] = (int16_t)(i + 1);
    Samples other(f);
    for (int i = 0; i < f; i++)
        other[i] = (int16_t)(i - 20000);
    pass(true, &ramp);
    for (int i = 1; i < 4; i++)
        pass(true);
    pass(true, &ramp);
    pass(true, &other);
    Samples expect;   // the same sample on both channels
    for (int i = 0; i < 6 * f; i++) {
        int16_t v = 0;
        if (i < 2000)
            v = (int16_t)(i + 1);
        else if (i >= 5 * f)
            v = (int16_t)(i - 5 * f - 20000);
        else if (i >= 4 * f)
            v = (int16_t)(i - 4 * f + 1);
        expect.push_back(v);
        expect.push_back(v);
    }
    EXPECT_EQ("", difference(expect, sent));
}

// Muted, the game's sound is left out of the push.
TEST_F(DiskAudio, MutedPassPushesSilence)
{
    hold_a_tone();
    pass(true);
    const Samples last = last_push();
    EXPECT_EQ((long)last.size(), std::count(last.begin(), last.end(), 0));
}

// Every frame a push makes reaches the queue (the locked device takes none meanwhile).
TEST_F(DiskAudio, APushQueuesAllItsFrames)
{
    hold_a_tone();
    const unsigned before = audio_stream_queued_frames(stream);
    pass(false);
    EXPECT_EQ(before + stream.frames, audio_stream_queued_frames(stream));
}

// The fixture opened the stream at 60 fps with the default latency; the device asked for
// small buffers, or the queue's target would run dry between its takes.
TEST_F(DiskAudio, OpensWithSmallDeviceBuffersAndTheQueueAtItsTarget)
{
    EXPECT_EQ(AUDIO_DEVICE_FRAMES, stream.spec.samples);
    EXPECT_EQ(44100 * SETTINGS_DEFAULT_LATENCY_MS / 1000, stream.target);
    EXPECT_EQ((unsigned)stream.target, audio_stream_queued_frames(stream));
}
// A latency chosen in the menu takes effect at the next pass; below a frame and a device
// buffer the target stays there.
TEST_F(DiskAudio, LatencySettingSetsTheTargetAtTheNextPass)
{
    const struct { int32_t ms, target; } CASES[] = {{125, 5512}, {SETTINGS_MAX_LATENCY_MS, 11025}, {16, 735 + 512}};
    for (const auto &c : CASES) {
        settings.latency_ms = c.ms;
        audio_stream_follow(stream);
        EXPECT_EQ(c.target, stream.target) << c.ms << " ms";
    }
    settings.latency_ms = SETTINGS_DEFAULT_LATENCY_MS;
}

TEST_F(DiskAudio, QueueFoundEmptyIsToppedUpWithSilenceToItsTarget)
{
    SDL_ClearQueuedAudio(stream.device);
    audio_stream_push(stream, true);
    EXPECT_GE(audio_stream_queued_frames(stream), (unsigned)stream.target);
}

// A tenth of a second of 32-bit float sound, stereo at 48000 Hz, every sample at level (a
// fraction of full scale): the loader converts everything in it.
static std::string write_float_wav(const ResDir &dir, double level)
{
    const int frames = 4800;
    const uint32_t data = (uint32_t)(frames * 2 * 4);
    std::string w = "RIFF";
    auto u32 = [&w](uint32_t v) { w.append((const char *)&v, 4); };
    auto u16 = [&w](uint16_t v) { w.append((const char *)&v, 2); };
    u32(36 + data);
    w += "WAVEfmt ";
    u32(16);
    u16(3);            // float
    u16(2);            // channels
    u32(48000);        // frames per second
    u32(48000 * 2 * 4);
    u16(2 * 4);        // bytes a frame
    u16(32);           // bits a sample
    w += "data";
    u32(data);
    const float v = (float)level;
    for (int i = 0; i < frames * 2; i++)
        w.append((const char *)&v, 4);
    dir.write("s_hover", w);
    return dir.path("s_hover");
}

TEST(UiSound, FloatSoundLoadsAtItsLevelNotAsFullScaleNoise)
{
    ResDir dir;
    UiSound sound;
    ASSERT_TRUE(sound_file_load(write_float_wav(dir, 0.1).c_str(), sound));
    // The middle sample: the rate change rings at the start.
    const int16_t middle = ((const int16_t *)(const void *)sound.buffer)[sound.length / 4];
    SDL_FreeWAV(sound.buffer);
    EXPECT_NEAR(middle, 3277, 40);
}

TEST(UiSound, StereoSoundAtAnotherRateLoadsAsMonoAtTheStreamRate)
{
    ResDir dir;
    UiSound sound;
    ASSERT_TRUE(sound_file_load(write_float_wav(dir, 0.5).c_str(), sound));
    SDL_FreeWAV(sound.buffer);
    EXPECT_NEAR(sound.length / 2, 4410, 8) << "samples for a tenth of a second";
}
