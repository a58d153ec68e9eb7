// The audio stream on SDL's dummy driver, its device locked so that the queue keeps every
// push, with the demo game sounding a tone (button A of player 1 held).
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "config/settings.h"
#include "core_api/ox_core.h"
#include "sound/audio.h"
#include "support/component_run.h"

class AudioDevice : public ::testing::Test {
protected:
    AudioStream stream = {};
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load(component_game().c_str()));
        ox_button_set_state(0, 4, true);
    }
    // Opens the stream with the latency setting at latency_ms.
    void open(int latency_ms)
    {
        settings.latency_ms = latency_ms;
        audio_stream_open(stream);
        ASSERT_NE(stream.device, 0u) << SDL_GetError();
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
