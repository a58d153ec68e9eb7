// The key readers, res/conf and res/data: reading rules, the written format, safe replacement.
#include <gtest/gtest.h>
#include <signal.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <string>
#include "config/conf_file.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "input/defaults.h"
#include "support/res_dir.h"

// Each file is read with both readers for one key: the integer reader with default 3, the
// text reader with default "dflt".
TEST(ConfReaders, IntegerAndTextRules)
{
    struct Case {
        std::string text;
        const char *key;
        int32_t number;
        std::string string;
    };
    const Case cases[] = {
        {"scale=0x4\n", "scale", 4, "0x4"},
        {"scale=010\n", "scale", 8, "010"},                          // octal
        {"scale=abc\n", "scale", 3, "abc"},
        {"stretch=1\nstretch=0\n", "stretch", 0, "1"},               // numbers: the last; text: the first
        {"scale=2\r\n", "scale", 2, "2\r"},
        {"stretch=1\nstretch=zz\n", "stretch", 1, "1"},              // the last line that parses
        {"btn_0_11_0_type=4\n", "btn_0_1_0_type", 3, "dflt"},        // a longer key is another key
        {"scale=\nscale=5\n", "scale", 5, "dflt"},                   // the first line is empty
        {"title=\xc3\xa9t\n", "title", 3, "dflt"},                   // begins with a byte above 127
        {"title=Left\tRight\n", "title", 3, "Left"},                 // cut at the tab
        {std::string(1023, 'x') + "scale=9\n", "scale", 9, "9"},     // after a line read in pieces
        {"title=" + std::string(2000, 'a') + "\n", "title", 3, std::string(1017, 'a')},
    };
    ResDir dir;
    for (const Case &c : cases) {
        const std::string shown = c.text.substr(0, 40);
        dir.write("res/test", c.text);
        ASSERT_TRUE(conf_open("res/test", "rb"));
        EXPECT_EQ(c.number, conf_read_int(c.key, 3)) << "integer of " << shown;
        EXPECT_EQ(c.string, conf_read_string(c.key, "dflt")) << "text of " << shown;
        conf_close();
    }
}

TEST(GameInfo, FieldsCappedAndCut)
{
    ResDir dir;
    const std::string long_name(100, 'n');
    dir.write("res/data", "players=5\nnosram=1\npadstyle=2\ntitle=Space Race\nbtnname31=" + long_name + "\n");
    gameinfo_load();
    EXPECT_EQ(2, gameinfo.players) << "capped at 2";
    EXPECT_TRUE(gameinfo.nosram);
    EXPECT_EQ(2, gameinfo.padstyle);
    EXPECT_STREQ("Space Race", gameinfo.title);
    EXPECT_EQ(std::string(63, 'n'), gameinfo.btnname[31]) << "a long name is cut";
    gameinfo.players = 1;
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        input_raw_button_count = [] { return 12; };
        gameinfo.players = 2;
        settings_set_defaults();
        // A table that uses every kind, negative and extreme numbers.
        Binding *all = &settings.bindings[0][0][0];
        for (int i = 0; i < MAX_PLAYERS * MAX_BUTTONS * MAX_SLOTS; i++)
            all[i] = Binding{i % 6, 4 + i, i % 3 == 0 ? -i : i * 1000, i % 4, i % 2 ? 7 : -1};
        settings.bindings[1][3][1] = Binding{BIND_KEY, INT32_MAX, INT32_MIN, 0, 0};
    }
    void TearDown() override
    {
        input_raw_button_count = ox_button_get_count;
        gameinfo.players = 1;
    }
    // The values of the keys a file lacked, or all of them for a file that is damaged.
    static void expect_file_defaults(const std::string &why, int32_t scale)
    {
        EXPECT_EQ(scale, settings.scale) << why;
        EXPECT_FALSE(settings.smoothing) << why;
        EXPECT_FALSE(settings.stretch) << why;
        EXPECT_TRUE(settings.fullscreen) << why;
        EXPECT_TRUE(settings.guide) << why;
    }
    ResDir dir;
};

// Saved, then loaded into an empty table and saved again: the same bytes as the golden file.
TEST_F(SettingsFile, GoldenRoundTrip)
{
    settings.scale = 4;
    settings.smoothing = false;
    settings.stretch = true;
    settings_save();
    const std::string golden = read_whole_file(std::string(getenv("TEST_SOURCE_DIR")) + "/tests/data/conf_two_players");
    EXPECT_EQ(golden, dir.read("res/conf"));
    settings = Settings();
    settings_load();
    settings_save();
    EXPECT_EQ(golden, dir.read("res/conf")) << "after loading and saving again";
}

TEST_F(SettingsFile, KeysMissingFromTheFileTakeTheirDefaults)
{
    dir.write("res/conf", "scale=2\n");
    settings_load();
    expect_file_defaults("a file with scale alone", 2);
    EXPECT_EQ(BIND_NONE, settings.bindings[1][11][1].type) << "the game's bindings become unbound";
}

// Mended fault: a failed save must leave the old res/conf whole.
TEST_F(SettingsFile, FailedSaveKeepsOldFile)
{
    const std::string old = "scale=2\nbtn_0_0_0_type=1\nbtn_0_0_0_code=44\n";
    dir.write("res/conf", old);
    mkdir(dir.path("res/conf.new").c_str(), 0755);   // the temporary name cannot be created
    settings_save();
    EXPECT_EQ(old, dir.read("res/conf"));
}

// Mended fault: a save that fills the disk must leave the old res/conf whole.
TEST_F(SettingsFile, DiskFullSaveKeepsOldFile)
{
    const std::string old = "scale=2\nbtn_0_0_0_type=1\nbtn_0_0_0_code=44\n";
    dir.write("res/conf", old);
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    const struct rlimit small = {200, limit.rlim_max};   // the disk fills up in the middle of the file
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    settings_save();
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(old, dir.read("res/conf"));
}

// Mended fault: damaged res/conf, res/data and res/donf load with defaults, out-of-range buttons ignored.
TEST_F(SettingsFile, DamagedFilesLoadWithDefaults)
{
    std::string big;
    for (int i = 0; i < 2000; i++)   // button 0 last typed 1960; buttons 32-39 do not exist
        big += "btn_0_" + std::to_string(i % 40) + "_0_type=" + std::to_string(i) + "\n";
    const struct {
        const char *what;
        std::string text;
        int32_t button_0_type;
    } cases[] = {
        {"empty", std::string(), BIND_NONE},
        {"zero bytes", std::string("\0\0\0\0", 4), BIND_NONE},
        {"bytes 0xFF", std::string(5000, '\xff'), BIND_NONE},
        {"empty and keyless lines", "scale=\nsmoothing\n=1\nplayers=\nbtn_0_0_0_type=0x\n", BIND_NONE},
        {"2000 binding lines", big, 1960},
    };
    for (const auto &c : cases) {
        for (const char *name : {"res/conf", "res/data", "res/donf"})
            dir.write(name, c.text);
        gameinfo_load();
        EXPECT_EQ(1, gameinfo.players) << c.what;
        EXPECT_STREQ("Game", gameinfo.title) << c.what;
        settings.bindings[0][0][0] = Binding{BIND_KEY, 5, 0, 0, 0};
        settings_load();
        EXPECT_EQ(c.button_0_type, settings.bindings[0][0][0].type) << c.what << ": res/conf";
        expect_file_defaults(c.what, 3);
        settings.bindings[0][0][0] = Binding{BIND_KEY, 5, 0, 0, 0};
        bindings_set_defaults(-1);
        EXPECT_EQ(c.button_0_type, settings.bindings[0][0][0].type) << c.what << ": res/donf";
    }
}
