// The key readers and res/conf: reading rules, the written format and safe replacement.
#include <gtest/gtest.h>

#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "app/paths.h"
#include "config/conf_file.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/defaults.h"
#include "support/res_dir.h"

TEST(ConfReaders, IntegerAndTextRules)
{
    // Each text read as an integer (default 3) and as text (default "dflt").
    struct Case { const char *what; std::string text; const char *key; int32_t num; std::string str; } cases[] = {
        {"plain", "scale=2\n", "scale", 2, "2"},
        {"hexadecimal", "scale=0x4\n", "scale", 4, "0x4"},
        {"octal", "scale=010\n", "scale", 8, "010"},
        {"not a number", "scale=abc\n", "scale", 3, "abc"},
        {"last number, first text", "stretch=1\nstretch=0\n", "stretch", 0, "1"},
        {"a bad later line keeps the number", "stretch=1\nstretch=zz\n", "stretch", 1, "1"},
        {"empty value decides the text", "scale=\nscale=5\n", "scale", 5, "dflt"},
        {"no line feed at the end", "guide=0", "guide", 0, "0"},
        {"carriage return", "scale=2\r\n", "scale", 2, "2\r"},
        {"up to a tab", "title=Left\tRight\n", "title", 3, "Left"},
        {"byte of 128 or more", "title=\xc3\xa9t\xc3\xa9\n", "title", 3, "dflt"},
        {"control character", "title=\x01x\n", "title", 3, "dflt"},
        {"key further in the line", "myscale=5\nscale=6\n", "scale", 6, "dflt"},
        {"button 11 is not button 1", "btn_0_11_0_type=4\n", "btn_0_1_0_type", 3, "dflt"},
        {"held at the 32-bit limit", "scale=99999999999\n", "scale", INT32_MAX, "99999999999"},
        {"piece after 1023 characters reads as a line", std::string(1023, 'x') + "scale=9\n", "scale", 9, "9"},
        {"text cut at 1023 characters", "title=" + std::string(2000, 'a') + "\n", "title", 3, std::string(1017, 'a')},
        {"binary bytes around", std::string("\x01\xff\0scale=1\n", 11) + "scale=6\n\x80", "scale", 6, "6"},
    };
    ResDir dir;
    for (const Case &c : cases) {
        dir.write("res/test", c.text);
        ASSERT_TRUE(conf_open("res/test", "rb"));
        EXPECT_EQ(c.num, conf_read_int(c.key, 3)) << c.what;
        EXPECT_EQ(c.str, conf_read_string(c.key, "dflt")) << c.what;
        conf_close();
    }
}

static int fixed_count;
static int fixed_button_count(void) { return fixed_count; }

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        input_raw_button_count = fixed_button_count;
        fixed_count = 12;
        gameinfo.players = 2;
        settings = Settings();
        settings_set_defaults();
    }
    void TearDown() override { input_raw_button_count = ox_button_get_count; gameinfo.players = 1; }
    // A table that uses every kind, negative and large numbers.
    static void fill_pattern(int buttons)
    {
        for (int p = 0; p < MAX_PLAYERS; p++)
            for (int b = 0; b < buttons; b++)
                for (int s = 0; s < MAX_SLOTS; s++) {
                    int i = (p * MAX_BUTTONS + b) * MAX_SLOTS + s;
                    settings.bindings[p][b][s] = Binding{i % 6, 4 + i, i % 3 == 0 ? -i : i * 1000,
                                                         i % 4, i % 2 ? 7 : -1};
                }
        settings.bindings[1][3][1] = Binding{BIND_KEY, INT32_MAX, INT32_MIN, 0, 0};
    }
    static std::string scalars(void)
    {
        char s[96];
        snprintf(s, sizeof s, "scale %i smoothing %i stretch %i fullscreen %i guide %i", settings.scale,
                 settings.smoothing, settings.stretch, settings.fullscreen, settings.guide);
        return s;
    }
    ResDir dir;
};

TEST_F(SettingsFile, GoldenRoundTripAndLoadRules)
{
    fill_pattern(12);
    Settings before = settings;
    settings_load();   // no file: everything stays as start-up set it
    EXPECT_EQ(0, memcmp(&before, &settings, sizeof before));

    settings.scale = 4;
    settings.smoothing = false;
    settings.stretch = true;
    settings_save();
    const char *source = getenv("TEST_SOURCE_DIR");
    const std::string golden = read_whole_file(std::string(source ? source : ".") + "/tests/data/conf_two_players");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(golden, dir.read("res/conf"));
    settings = Settings();   // loaded into an empty table and saved again: the same bytes
    settings_load();
    settings_save();
    EXPECT_EQ(golden, dir.read("res/conf"));
    EXPECT_FALSE(dir.exists("res/conf.new"));

    // Only scale=2: missing keys take their file defaults and the bindings of the game's
    // players and buttons become unbound; the rest stays.
    gameinfo.players = 1;
    settings.bindings[0][12][0] = Binding{BIND_KEY, 5, 0, 0, 0};
    dir.write("res/conf", "scale=2\n");
    settings_load();
    EXPECT_EQ("scale 2 smoothing 0 stretch 0 fullscreen 1 guide 1", scalars());
    for (int b = 0; b < 12; b++)
        for (int s = 0; s < MAX_SLOTS; s++)
            EXPECT_EQ(BIND_NONE, settings.bindings[0][b][s].type) << b << "/" << s;
    EXPECT_EQ(BIND_KEY, settings.bindings[0][12][0].type);
    EXPECT_EQ(0, memcmp(&before.bindings[1], &settings.bindings[1], sizeof before.bindings[1]));
}

TEST_F(SettingsFile, PlayersAndButtonsHeldToTheTable)
{
    struct Case { int players, reported; size_t lines; } cases[] = {
        {1, 12, 5 + 12 * 2 * 5},
        {2, 40, 5 + 2 * 32 * 2 * 5},   // the first 32 buttons
        {2, -3, 5},
    };
    for (const Case &c : cases) {
        gameinfo.players = c.players;
        fixed_count = c.reported;
        fill_pattern(32);
        settings_save();
        const std::string text = dir.read("res/conf");
        EXPECT_EQ(c.lines, (size_t)std::count(text.begin(), text.end(), '\n'))
            << c.players << " players, " << c.reported << " buttons";
        Settings saved = settings;
        settings_load();
        EXPECT_EQ(0, memcmp(&saved.bindings, &settings.bindings, sizeof saved.bindings)) << c.reported;
    }
}

// Mended fault: a failed save must leave the old res/conf whole.
TEST_F(SettingsFile, FailedSaveKeepsOldFile)
{
    const std::string old = "scale=2\nbtn_0_0_0_type=1\nbtn_0_0_0_code=44\n";
    dir.write("res/conf", old);
    fill_pattern(12);

    // The temporary name cannot be created.
    mkdir(dir.path("res/conf.new").c_str(), 0755);
    settings_save();
    EXPECT_EQ(old, dir.read("res/conf")) << "temporary file not created";
    rmdir(dir.path("res/conf.new").c_str());

    // The disk fills up in the middle of the file.
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlim_t saved_limit = limit.rlim_cur;
    limit.rlim_cur = 200;
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    settings_save();
    limit.rlim_cur = saved_limit;
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(old, dir.read("res/conf")) << "disk full";
    EXPECT_FALSE(dir.exists("res/conf.new"));

    // No res folder at all.
    dir.remove("res/conf");
    rmdir(dir.path("res").c_str());
    settings_save();
    EXPECT_FALSE(dir.exists("res/conf"));
}

TEST_F(SettingsFile, DamagedFilesLoadWithDefaults)
{
    std::string big;
    for (int i = 0; i < 2000; i++)
        big += "btn_0_" + std::to_string(i % 40) + "_0_type=" + std::to_string(i) + "\n";
    const std::string files[] = {
        "", std::string("\0\0\0\0", 4), std::string(5000, '\xff'), std::string(3000, '='),
        "scale=\nsmoothing\n=1\nplayers=\ntitle=\nbtn_0_0_0_type=0x\nbtn_0_0_0_code=--4\n", big,
    };
    for (const std::string &text : files) {
        const std::string what = "file of " + std::to_string(text.size()) + " bytes";
        for (const char *name : {"res/conf", "res/data", "res/donf"})
            dir.write(name, text);
        gameinfo_load();
        EXPECT_EQ(1, gameinfo.players) << what;
        EXPECT_STREQ("Game", gameinfo.title) << what;
        const int32_t first_type = text == big ? 1960 : BIND_NONE;   // the last line of button 0
        for (void (*load)(void) : {settings_load, +[] { bindings_set_defaults(-1); }}) {
            settings.bindings[0][0][0] = Binding{BIND_KEY, 5, 0, 0, 0};
            load();
            EXPECT_EQ(first_type, settings.bindings[0][0][0].type) << what;
        }
        EXPECT_EQ("scale 3 smoothing 0 stretch 0 fullscreen 1 guide 1", scalars()) << what;
    }
}
