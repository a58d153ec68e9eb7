// The latency setting of res/conf: the audio queue's capacity in video frames, saved with the
// other settings, brought into 3..20 when the file holds something else.
#include <gtest/gtest.h>

#include <string>

#include "config/settings.h"
#include "host/audio.h"
#include "record/gamestate.h"
#include "support/res_dir.h"
#include "support/watch.h"

class LatencySetting : public ::testing::Test {
protected:
    void SetUp() override { settings_set_defaults(); }
    ResDir dir;
};

TEST_F(LatencySetting, SavedValueIsReadBack)
{
    settings.latency = 7;
    settings_save();
    settings_set_defaults();
    settings_load();
    EXPECT_EQ(7, settings.latency);
}

TEST_F(LatencySetting, FileWithoutTheKeyGivesTwenty)
{
    settings.latency = 7;
    dir.write("res/conf", "scale=2\n");
    settings_load();
    EXPECT_EQ(SETTINGS_DEFAULT_LATENCY, settings.latency);
}

TEST_F(LatencySetting, ValuesOutsideTheRangeGoToTheNearerEndWithALogLine)
{
    const struct { const char *text; int32_t latency; } CASES[] = {
        {"latency=2\n", 3},
        {"latency=-5\n", 3},
        {"latency=21\n", 20},
    };
    for (const auto &c : CASES) {
        dir.write("res/conf", c.text);
        LogCapture log;
        settings_load();
        EXPECT_EQ(c.latency, settings.latency) << c.text;
        EXPECT_NE(std::string::npos, log.text().find("outside 3..20")) << c.text << log.text();
    }
}

TEST_F(LatencySetting, SetsTheAudioQueueCapacity)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
    gamestate.frame_rate = 60;
    settings.latency = 5;
    AudioStream stream;
    audio_stream_open(stream);
    EXPECT_EQ(44100 * 5 / 60, stream.capacity);
    audio_stream_close(stream);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
