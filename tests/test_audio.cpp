// The audio stream as the sound card receives it: SDL's disk driver writes every queued
// byte (plus silence of its own) to a file, which the cases search for known signals.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "host/audio.h"
#include "host/ox_core.h"
#include "video/gamestate.h"

#define FRAME_SAMPLES 735     // sample frames per video frame at 44100 Hz, 60 fps

static std::vector<int16_t> read_samples(const std::string &path)
{
    std::vector<int16_t> out;
    FILE *f = fopen(path.c_str(), "rb");
    if (!f)
        return out;
    int16_t buffer[4096];
    size_t n;
    while ((n = fread(buffer, sizeof buffer[0], 4096, f)) > 0)
        out.insert(out.end(), buffer, buffer + n);
    fclose(f);
    return out;
}

// Index of the first occurrence of needle in haystack, or -1.
static long find_run(const std::vector<int16_t> &haystack, const std::vector<int16_t> &needle)
{
    auto it = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end());
    return it == haystack.end() ? -1 : (long)(it - haystack.begin());
}

// Every value of a mono effect, once per channel, as the device should receive it over silence.
static std::vector<int16_t> stereo(const std::vector<int16_t> &mono)
{
    std::vector<int16_t> out;
    for (int16_t s : mono) {
        out.push_back(s);
        out.push_back(s);
    }
    return out;
}

static UiSound sound_of(std::vector<int16_t> &samples)
{
    UiSound sound = {};
    sound.buffer = (uint8_t *)samples.data();
    sound.length = (uint32_t)(samples.size() * sizeof(int16_t));
    return sound;
}

class DiskAudio : public ::testing::Test {
protected:
    std::string file;
    AudioStream stream = {};

    void SetUp() override
    {
        char name[] = "/tmp/test_audio.XXXXXX";
        int fd = mkstemp(name);
        ASSERT_GE(fd, 0);
        close(fd);
        file = name;
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        gamestate.frame_rate = 60;
        ox_core_init(44100, 0);
        audio_stream_open(stream);
        ASSERT_NE(stream.device, 0u) << SDL_GetError();
    }

    void TearDown() override
    {
        audio_stream_close(stream);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ox_core_shut();
        remove(file.c_str());
    }

    // Lets the device drain the queue in real time, then closes it and reads what it played.
    std::vector<int16_t> played()
    {
        for (int i = 0; i < 300 && audio_stream_queued_frames(stream) > 0; i++)
            SDL_Delay(10);
        SDL_Delay(100);
        audio_stream_close(stream);
        return read_samples(file);
    }

    // The demo game with button A of player 1 held: it sounds a tone from its first frame.
    void start_tone()
    {
        const char *dist = getenv("TEST_DIST_DIR");
        ASSERT_NE(dist, nullptr);
        std::string game = std::string(dist) + "/res/game";
        ASSERT_TRUE(ox_core_load(game.c_str())) << game;
        ox_button_set_state(0, 4, true);
    }

    // One loop pass's worth: the component runs a frame, then its sound is pushed. Returns
    // what was queued.
    std::vector<int16_t> pass(bool mute, bool emulate)
    {
        if (emulate)
            ox_core_emulate();
        audio_stream_push(stream, mute);
        return std::vector<int16_t>(stream.samples, stream.samples + 2 * FRAME_SAMPLES);
    }
};

TEST_F(DiskAudio, MutedFramesReachTheDeviceAsSilenceUnmutedOnesAsTheComponentsSound)
{
    start_tone();
    for (int i = 0; i < 10; i++)
        pass(true, true);
    std::vector<std::vector<int16_t>> loud;
    for (int i = 0; i < 5; i++)
        loud.push_back(pass(false, true));
    std::vector<int16_t> out = played();

    long first = find_run(out, loud[0]);
    ASSERT_GE(first, 10L * 2 * FRAME_SAMPLES) << "unmuted sound not found after the muted frames";
    for (long i = 0; i < first; i++)
        ASSERT_EQ(out[i], 0) << "sample " << i << " before the unmuted frames is not silent";
    long at = first;
    for (size_t k = 0; k < loud.size(); k++) {
        ASSERT_LE(at + 2 * FRAME_SAMPLES, (long)out.size());
        EXPECT_TRUE(std::equal(loud[k].begin(), loud[k].end(), out.begin() + at))
            << "frame " << k << " not queued in order";
        at += 2 * FRAME_SAMPLES;
    }
    int peak = 0;
    for (int16_t s : loud[4])
        peak = std::max(peak, abs(s));
    EXPECT_GT(peak, 1000) << "the component's tone did not reach the device";
}

TEST_F(DiskAudio, UiSoundIsMixedInAndClippedAtPlusMinus32767)
{
    start_tone();
    for (int i = 0; i < 3; i++)
        pass(false, true);   // past the tone's fade-in

    struct Case {
        int16_t effect;
        int lowest, highest;  // every mixed sample lies within, with the tone below 8000
    } cases[] = {
        {32767, 32767 - 8000, 32767},
        {-32768, -32767, -32767 + 8000},
        {-32767, -32767, -32767 + 8000},
    };
    std::vector<std::vector<int16_t>> mixed;
    std::vector<int16_t> effect;
    for (const Case &c : cases) {
        effect.assign(FRAME_SAMPLES, c.effect);
        audio_stream_start_effect(stream, sound_of(effect));
        mixed.push_back(pass(false, true));
        bool some_clipped = false;
        for (int16_t s : mixed.back()) {
            ASSERT_GE(s, c.lowest) << "effect " << c.effect;
            ASSERT_LE(s, c.highest) << "effect " << c.effect;
            some_clipped |= s == 32767 || s == -32767;
        }
        EXPECT_TRUE(some_clipped) << "effect " << c.effect << ": nothing reached the limit";
    }
    std::vector<int16_t> out = played();
    for (size_t k = 0; k < mixed.size(); k++)
        EXPECT_GE(find_run(out, mixed[k]), 0) << "mixed frame " << k << " not played";
}

TEST_F(DiskAudio, LongUiSoundContinuesOverSeveralPushesAndANewOneCutsItOff)
{
    // Over silence (no game loaded, muted) the device receives the effect itself.
    std::vector<int16_t> ramp(2000), other(FRAME_SAMPLES), low(10, -32768);
    for (size_t i = 0; i < ramp.size(); i++)
        ramp[i] = (int16_t)(1 + i);
    for (size_t i = 0; i < other.size(); i++)
        other[i] = (int16_t)(-20000 + (int)i);

    // The device may not pull between the pushes: on a loaded machine it would pad a partial
    // buffer with silence and split the sound apart.
    SDL_LockAudioDevice(stream.device);
    audio_stream_start_effect(stream, sound_of(ramp));
    for (int i = 0; i < 4; i++)
        pass(true, false);
    EXPECT_EQ(stream.effect_samples, nullptr) << "a finished effect is still mixed";

    audio_stream_start_effect(stream, sound_of(ramp));
    pass(true, false);
    audio_stream_start_effect(stream, sound_of(other));
    pass(true, false);
    audio_stream_start_effect(stream, sound_of(low));
    pass(true, false);
    SDL_UnlockAudioDevice(stream.device);
    std::vector<int16_t> out = played();

    // The whole ramp across three pushes, then silence for the rest of the fourth.
    std::vector<int16_t> expect = stereo(ramp);
    expect.resize(expect.size() + 2 * (4 * FRAME_SAMPLES - ramp.size()), 0);
    long at = find_run(out, expect);
    EXPECT_GE(at, 0) << "the long sound did not play whole and in order";

    // The second start: one frame of the ramp, then the other sound from its beginning.
    std::vector<int16_t> cut(ramp.begin(), ramp.begin() + FRAME_SAMPLES);
    cut.insert(cut.end(), other.begin(), other.end());
    long cut_at = find_run(out, stereo(cut));
    EXPECT_GT(cut_at, at) << "the new sound did not cut the old one off";

    // Over silence the lowest sample is held to -32767.
    std::vector<int16_t> held(10, -32767);
    held.resize(held.size() + FRAME_SAMPLES - 10, 0);
    EXPECT_GT(find_run(out, stereo(held)), cut_at);
    EXPECT_EQ(find_run(out, {-32768}), -1);
}

TEST(AudioStream, CapacityHoldsTwentyFramesAndSurvivesOddRatesAndNoDevice)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    struct Case {
        int frame_rate, capacity;
    } cases[] = {{60, 14700}, {50, 17640}, {0, 14700}, {-7, 14700}};
    for (const Case &c : cases) {
        gamestate.frame_rate = c.frame_rate;
        AudioStream stream = {};
        audio_stream_open(stream);
        EXPECT_EQ(stream.device, 0u);
        EXPECT_EQ(stream.capacity, c.capacity) << "at " << c.frame_rate << " fps";
        std::vector<int16_t> beep(100, 1000);
        audio_stream_start_effect(stream, sound_of(beep));
        audio_stream_push(stream, false);
        EXPECT_EQ(audio_stream_queued_frames(stream), 0u);
        audio_stream_close(stream);
        EXPECT_EQ(stream.samples, nullptr);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
