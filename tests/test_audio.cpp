// The audio stream as the sound card receives it: SDL's disk driver files every queued byte.
#include <gtest/gtest.h>
#include <math.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>
#include "host/audio.h"
#include "host/ox_core.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#define FRAME_SAMPLES 735     // sample frames per video frame at 44100 Hz, 60 fps
#define PUSH (2 * FRAME_SAMPLES)
typedef std::vector<int16_t> Samples;
static std::string difference(const Samples &expect, const Samples &got, size_t at)   // "": got has expect at at
{
    for (size_t i = 0; i < expect.size(); i++)
        if (at + i >= got.size() || got[at + i] != expect[i])
            return "sample " + std::to_string(i) + ": expected " + std::to_string(expect[i]) + ", got " +
                   (at + i < got.size() ? std::to_string(got[at + i]) : "the end");
    return "";
}
class DiskAudio : public ::testing::Test {
protected:
    ResDir dir;
    AudioStream stream = {};
    Samples sent;
    bool locked = false;
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", dir.path("played").c_str(), 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        gamestate.frame_rate = 60;
        ox_core_init(44100, 0);
        audio_stream_open(stream);
        ASSERT_NE(stream.device, 0u) << SDL_GetError();
        // No pull between pushes: on a loaded machine it would pad with silence and split the sound.
        SDL_LockAudioDevice(stream.device), locked = true;
    }
    void TearDown() override
    {
        if (locked) SDL_UnlockAudioDevice(stream.device);   // closing waits for the thread, which waits for it
        audio_stream_close(stream);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ox_core_shut();
    }
    // One loop pass, the UI sound s started first: the component runs a frame, its sound is pushed and kept.
    void pass(bool mute, Samples *s = nullptr)
    {
        if (s)
            audio_stream_start_effect(stream, UiSound{SDL_AudioSpec{}, (uint32_t)(s->size() * 2), (uint8_t *)s->data()});
        ox_core_emulate();
        audio_stream_push(stream, mute);
        sent.insert(sent.end(), stream.samples, stream.samples + PUSH);
    }
};
TEST_F(DiskAudio, MutedSilenceComponentSoundAndUiSoundsReachTheDevice)
{
    // The demo game with button A of player 1 held sounds a tone (below 8000) from its first frame.
    ASSERT_TRUE(ox_core_load((std::string(getenv("TEST_DIST_DIR")) + "/res/game").c_str()));
    ox_button_set_state(0, 4, true);
    for (int i = 0; i < 15; i++)
        pass(i < 10);
    sent.erase(sent.begin(), sent.begin() + 10 * PUSH);   // kept: everything after the muted frames
    EXPECT_GT(*std::max_element(sent.end() - PUSH, sent.end()), 1000) << "no tone in the stream";
    for (int level : {32767, -32768}) {   // a full-scale UI sound over the tone: mixed, held within +-32767
        Samples effect(FRAME_SAMPLES, (int16_t)level);
        pass(false, &effect);
        auto r = std::minmax_element(sent.end() - PUSH, sent.end());
        EXPECT_TRUE(level > 0 ? *r.second == 32767 && *r.first >= 32767 - 8000
                              : *r.first == -32767 && *r.second <= -32767 + 8000)
            << "effect " << level << " gave " << *r.first << ".." << *r.second;
    }
    // Muted, the UI sound alone: a long one over four pushes, then one cut off by another after one push.
    Samples ramp(2000), other(FRAME_SAMPLES), expect;
    for (int i = 0; i < 2000; i++)
        ramp[i] = (int16_t)(i + 1), other[i % FRAME_SAMPLES] = (int16_t)(i % FRAME_SAMPLES - 20000);
    for (int i = 0; i < 6; i++)
        pass(true, i == 0 || i == 4 ? &ramp : i == 5 ? &other : nullptr);
    for (int j = 0, f = FRAME_SAMPLES, i = 0; j < 12 * f; i = ++j / 2)   // sample i on both channels
        expect.push_back((int16_t)(i < 2000 ? i + 1 : i < 4 * f ? 0 : i < 5 * f ? i - 4 * f + 1 : i - 5 * f - 20000));
    EXPECT_EQ("", difference(expect, sent, sent.size() - 6 * PUSH));
    SDL_UnlockAudioDevice(stream.device), locked = false;   // it plays silence, then all pushed, whole and in order
    for (int i = 0; i < 300 && audio_stream_queued_frames(stream) > 0; i++)
        SDL_Delay(10);
    SDL_Delay(100);
    audio_stream_close(stream);
    const std::string bytes = read_whole_file(dir.path("played"));
    const Samples out((const int16_t *)bytes.data(), (const int16_t *)bytes.data() + bytes.size() / 2);
    const long first = std::search(out.begin(), out.end(), sent.begin(), sent.begin() + PUSH) - out.begin();
    ASSERT_TRUE(first >= 10L * PUSH && first < (long)out.size()) << "unmuted sound at " << first << " of " << out.size();
    EXPECT_TRUE(std::all_of(out.begin(), out.begin() + first, [](int16_t s) { return s == 0; })) << "sound while muted";
    EXPECT_EQ("", difference(sent, out, first));
}
TEST(AudioStream, CapacityHoldsTwentyFramesAndSurvivesOddRatesAndNoDevice)
{
    const int cases[][2] = {{60, 14700}, {50, 17640}, {0, 14700}, {-7, 14700}};   // frame rate, capacity
    for (const auto &c : cases) {
        gamestate.frame_rate = c[0];
        AudioStream stream = {};
        audio_stream_open(stream);
        EXPECT_EQ(c[1], stream.capacity) << "at " << c[0] << " fps";
        audio_stream_push(stream, false);   // audio not even started, so no device: nothing breaks
        audio_stream_close(stream);
    }
}
TEST(AudioStream, OpensWithTheQueueFilledToATargetBetweenTheHurryMarkAndCapacity)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    gamestate.frame_rate = 60;
    AudioStream stream = {};
    audio_stream_open(stream);
    unsigned queued = audio_stream_queued_frames(stream);
    audio_stream_close(stream);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    EXPECT_GT(queued, 14700u - 14700u / 3) << "a queue below the hurry mark at the start";
    EXPECT_LT(queued, 14700u) << "a queue at capacity leaves no room for the control";
}
TEST(AudioStream, QueueFoundEmptyIsToppedUpWithSilenceToItsTarget)
{
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    gamestate.frame_rate = 60;
    AudioStream stream = {};
    audio_stream_open(stream);
    SDL_LockAudioDevice(stream.device);   // nothing drains while the queue is read
    SDL_ClearQueuedAudio(stream.device);
    audio_stream_push(stream, true);
    unsigned queued = audio_stream_queued_frames(stream);
    int target = stream.target;
    SDL_UnlockAudioDevice(stream.device);
    audio_stream_close(stream);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    EXPECT_GE(queued, (unsigned)target);
}

// A WAV file of frames frames: format 1 (16-bit PCM) or 3 (32-bit float), every channel at level
// (a fraction of full scale).
static std::string write_wav(const ResDir &dir, const char *name, int format, int rate, int channels,
                             int frames, double level)
{
    const int bytes_per_sample = format == 3 ? 4 : 2;
    const uint32_t data = (uint32_t)(frames * channels * bytes_per_sample);
    std::string w = "RIFF";
    auto u32 = [&w](uint32_t v) { w.append((const char *)&v, 4); };
    auto u16 = [&w](uint16_t v) { w.append((const char *)&v, 2); };
    u32(36 + data);
    w += "WAVEfmt ";
    u32(16);
    u16((uint16_t)format);
    u16((uint16_t)channels);
    u32((uint32_t)rate);
    u32((uint32_t)(rate * channels * bytes_per_sample));
    u16((uint16_t)(channels * bytes_per_sample));
    u16((uint16_t)(bytes_per_sample * 8));
    w += "data";
    u32(data);
    for (int i = 0; i < frames * channels; i++) {
        if (format == 3) {
            float v = (float)level;
            w.append((const char *)&v, 4);
        } else {
            u16((uint16_t)(int16_t)lrint(level * 32767));
        }
    }
    dir.write(name, w);
    return dir.path(name);
}

TEST(UiSound, FloatSoundLoadsAtItsLevelNotAsFullScaleNoise)
{
    ResDir dir;
    UiSound sound;
    ASSERT_TRUE(audio_sound_load(write_wav(dir, "s_hover", 3, 44100, 1, 4410, 0.1).c_str(), sound));
    const int16_t *s = (const int16_t *)(const void *)sound.buffer;
    int16_t peak = *std::max_element(s, s + sound.length / 2);
    SDL_FreeWAV(sound.buffer);
    EXPECT_NEAR(peak, 3277, 40);
}

TEST(UiSound, StereoSoundAtAnotherRateLoadsAsMonoAtTheStreamRate)
{
    ResDir dir;
    UiSound sound;
    ASSERT_TRUE(audio_sound_load(write_wav(dir, "s_select", 1, 48000, 2, 4800, 0.5).c_str(), sound));
    SDL_FreeWAV(sound.buffer);
    EXPECT_NEAR(sound.length / 2, 4410, 8) << "samples for a tenth of a second";
}

TEST(UiSound, FileThatIsNoWavIsRefused)
{
    ResDir dir;
    dir.write("s_hover", "not a sound");
    UiSound sound;
    EXPECT_FALSE(audio_sound_load(dir.path("s_hover").c_str(), sound));
    EXPECT_EQ(sound.buffer, nullptr);
}
