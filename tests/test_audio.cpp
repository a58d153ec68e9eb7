// The audio stream as the sound card receives it: SDL's disk driver writes every queued
// byte (plus silence of its own) to a file, which the cases search for known signals.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include "host/audio.h"
#include "host/ox_core.h"
#include "support/res_dir.h"
#include "video/gamestate.h"

#define FRAME_SAMPLES 735     // sample frames per video frame at 44100 Hz, 60 fps
#define PUSH (2 * FRAME_SAMPLES)

typedef std::vector<int16_t> Samples;

// "" when got holds expect from index at on, else the first difference.
static std::string difference(const Samples &expect, const Samples &got, size_t at)
{
    for (size_t i = 0; i < expect.size(); i++)
        if (at + i >= got.size() || got[at + i] != expect[i])
            return "sample " + std::to_string(i) + ": expected " + std::to_string(expect[i]) + ", got " +
                   (at + i < got.size() ? std::to_string(got[at + i]) : "the end");
    return "";
}

// A mono effect as the device receives it over silence: every value once per channel.
static Samples stereo(const Samples &mono)
{
    Samples out;
    for (int16_t s : mono)
        out.insert(out.end(), {s, s});
    return out;
}

static UiSound sound_of(Samples &samples)
{
    UiSound sound = {};
    sound.buffer = (uint8_t *)samples.data();
    sound.length = (uint32_t)(samples.size() * sizeof(int16_t));
    return sound;
}

class DiskAudio : public ::testing::Test {
protected:
    ResDir dir;
    const std::string file = dir.path("played");
    AudioStream stream = {};
    Samples sent;
    bool locked = false;

    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        gamestate.frame_rate = 60;
        ox_core_init(44100, 0);
        audio_stream_open(stream);
        ASSERT_NE(stream.device, 0u) << SDL_GetError();
        // The device may not pull between the pushes: on a loaded machine it would pad a
        // partial buffer with silence and split the pushed sound apart.
        SDL_LockAudioDevice(stream.device);
        locked = true;
    }

    void TearDown() override
    {
        if (locked)   // closing waits for the device's thread, which waits for the lock
            SDL_UnlockAudioDevice(stream.device);
        audio_stream_close(stream);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        ox_core_shut();
    }

    // Lets the device drain the queue in real time, then closes it and reads what it played.
    Samples played()
    {
        SDL_UnlockAudioDevice(stream.device);
        locked = false;
        for (int i = 0; i < 300 && audio_stream_queued_frames(stream) > 0; i++)
            SDL_Delay(10);
        SDL_Delay(100);
        audio_stream_close(stream);
        const std::string bytes = read_whole_file(file);
        Samples out(bytes.size() / 2);
        memcpy(out.data(), bytes.data(), out.size() * 2);
        return out;
    }

    // One loop pass: the component runs a frame, then its sound is pushed and kept in sent.
    void pass(bool mute)
    {
        ox_core_emulate();
        audio_stream_push(stream, mute);
        sent.insert(sent.end(), stream.samples, stream.samples + PUSH);
    }
};

TEST_F(DiskAudio, MutedSilenceComponentSoundAndUiSoundsReachTheDevice)
{
    // The demo game with button A of player 1 held sounds a tone from its first frame.
    const char *dist = getenv("TEST_DIST_DIR");
    ASSERT_NE(dist, nullptr);
    ASSERT_TRUE(ox_core_load((std::string(dist) + "/res/game").c_str()));
    ox_button_set_state(0, 4, true);
    for (int i = 0; i < 10; i++)
        pass(true);
    sent.clear();   // from here on: everything pushed after the muted frames
    for (int i = 0; i < 5; i++)
        pass(false);
    EXPECT_GT(*std::max_element(sent.end() - PUSH, sent.end()), 1000) << "no tone in the stream";

    // A full-scale UI sound over the tone (below 8000): the mix stays within -32767..32767
    // and reaches the limit.
    Samples effect;
    for (int level : {32767, -32768, -32767}) {
        effect.assign(FRAME_SAMPLES, (int16_t)level);
        audio_stream_start_effect(stream, sound_of(effect));
        pass(false);
        auto range = std::minmax_element(sent.end() - PUSH, sent.end());
        EXPECT_EQ(level > 0 ? 32767 : -32767, level > 0 ? *range.second : *range.first) << "effect " << level;
        EXPECT_GE(*range.first, level > 0 ? 32767 - 8000 : -32767) << "effect " << level;
        EXPECT_LE(*range.second, level > 0 ? 32767 : -32767 + 8000) << "effect " << level;
    }

    // Muted, the UI sound alone: a long one over four pushes, then one cut off by another
    // after one push, which is cut off by one at the lowest value (held to -32767).
    Samples ramp(2000), other(FRAME_SAMPLES), low(10, -32768);
    std::iota(ramp.begin(), ramp.end(), 1);
    std::iota(other.begin(), other.end(), -20000);
    audio_stream_start_effect(stream, sound_of(ramp));
    for (int i = 0; i < 4; i++)
        pass(true);
    for (Samples *s : {&ramp, &other, &low}) {
        audio_stream_start_effect(stream, sound_of(*s));
        pass(true);
    }
    Samples mono = ramp;
    mono.resize(4 * FRAME_SAMPLES, 0);
    mono.insert(mono.end(), ramp.begin(), ramp.begin() + FRAME_SAMPLES);
    mono.insert(mono.end(), other.begin(), other.end());
    mono.resize(mono.size() + FRAME_SAMPLES, 0);
    std::fill(mono.end() - FRAME_SAMPLES, mono.end() - FRAME_SAMPLES + 10, -32767);
    EXPECT_EQ("", difference(stereo(mono), sent, sent.size() - 7 * PUSH));

    // The device played silence, then everything pushed whole and in order.
    Samples out = played();
    long first = std::search(out.begin(), out.end(), sent.begin(), sent.begin() + PUSH) - out.begin();
    ASSERT_GE(first, 10L * PUSH) << "unmuted sound not found after the muted frames";
    ASSERT_LT(first, (long)out.size()) << "unmuted sound not found";
    EXPECT_EQ(first, std::find_if(out.begin(), out.begin() + first, [](int16_t s) { return s != 0; }) - out.begin())
        << "sound before the unmuted frames";
    EXPECT_EQ("", difference(sent, out, first));
}

TEST(AudioStream, CapacityHoldsTwentyFramesAndSurvivesOddRatesAndNoDevice)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    struct Case { int frame_rate, capacity; } cases[] = {{60, 14700}, {50, 17640}, {0, 14700}, {-7, 14700}};
    for (const Case &c : cases) {
        gamestate.frame_rate = c.frame_rate;
        AudioStream stream = {};
        audio_stream_open(stream);
        EXPECT_EQ(stream.device, 0u);
        EXPECT_EQ(stream.capacity, c.capacity) << "at " << c.frame_rate << " fps";
        Samples beep(100, 1000);
        audio_stream_start_effect(stream, sound_of(beep));
        audio_stream_push(stream, false);
        EXPECT_EQ(audio_stream_queued_frames(stream), 0u);
        audio_stream_close(stream);
        EXPECT_EQ(stream.samples, nullptr);
    }
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
