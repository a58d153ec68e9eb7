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
#include "input/binding.h"
#include "support/res_dir.h"

static int fixed_count = 12;
static int fixed_button_count(void) { return fixed_count; }

// Runs reader with text as the open conf_file.
template <typename F>
static auto with_conf_text(const std::string &text, F reader)
{
    ResDir dir;
    dir.write("res/test", text);
    EXPECT_TRUE(conf_open("res/test", "rb"));
    auto result = reader();
    conf_close();
    return result;
}

TEST(ConfReaders, Integers)
{
    std::string long_prefix(1023, 'x');
    struct Case { const char *what; std::string text; const char *key; int32_t expected; } cases[] = {
        {"plain", "scale=2\n", "scale", 2},
        {"hexadecimal", "scale=0x4\n", "scale", 4},
        {"octal", "scale=010\n", "scale", 8},
        {"negative", "scale=-7\n", "scale", -7},
        {"not a number", "scale=abc\n", "scale", 3},
        {"empty value", "scale=\n", "scale", 3},
        {"carriage return", "scale=2\r\n", "scale", 2},
        {"no line feed at the end", "guide=0", "guide", 0},
        {"last line wins", "stretch=1\nstretch=0\n", "stretch", 0},
        {"a bad later line keeps the earlier value", "stretch=1\nstretch=zz\n", "stretch", 1},
        {"key further in the line", "myscale=5\n", "scale", 3},
        {"button 11 is not button 1", "btn_0_11_0_type=4\n", "btn_0_1_0_type", 0},
        {"button 1 is not button 11", "btn_0_1_0_type=4\n", "btn_0_11_0_type", 0},
        {"held at the 32-bit limit", "scale=99999999999\n", "scale", INT32_MAX},
        {"piece after 1023 characters reads as a line", long_prefix + "scale=9\n", "scale", 9},
        {"binary bytes around", std::string("\x01\xff\0scale=1\n", 11) + "scale=6\n\x80", "scale", 6},
    };
    for (const Case &c : cases) {
        int32_t def = strcmp(c.key, "scale") == 0 ? 3 : (strcmp(c.key, "stretch") == 0 ? 1 : 0);
        if (strcmp(c.key, "guide") == 0)
            def = 1;
        int32_t got = with_conf_text(c.text, [&] { return conf_read_int(c.key, def); });
        EXPECT_EQ(c.expected, got) << c.what;
    }
}

TEST(ConfReaders, Texts)
{
    std::string long_value(2000, 'a');
    struct Case { const char *what; std::string text; const char *key; std::string expected; } cases[] = {
        {"plain", "title=Space Race\n", "title", "Space Race"},
        {"first line wins", "title=One\ntitle=Two\n", "title", "One"},
        {"up to a tab", "title=Left\tRight\n", "title", "Left"},
        {"carriage return kept", "title=Game\r\n", "title", "Game\r"},
        {"empty value", "title=\ntitle=Later\n", "title", "dflt"},
        {"byte of 128 or more", "title=\xc3\xa9t\xc3\xa9\n", "title", "dflt"},
        {"control character", "title=\x01x\n", "title", "dflt"},
        {"missing", "other=1\n", "title", "dflt"},
        {"name 11 is not name 1", "btnname11=Jump\n", "btnname1", "dflt"},
        {"key further in the line ends the search", "subtitle=X\ntitle=Y\n", "title", "dflt"},
        {"cut at 1023 characters", "title=" + long_value + "\n", "title", std::string(1017, 'a')},
    };
    for (const Case &c : cases) {
        std::string got = with_conf_text(c.text, [&] { return std::string(conf_read_string(c.key, "dflt")); });
        EXPECT_EQ(c.expected, got) << c.what;
    }
}

TEST(ConfReaders, NoOpenFileGivesDefaults)
{
    conf_file = nullptr;
    EXPECT_EQ(42, conf_read_int("scale", 42));
    EXPECT_STREQ("d", conf_read_string("title", "d"));
    conf_write_int("scale", 1);   // writes nowhere
}

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
    void TearDown() override
    {
        input_raw_button_count = ox_button_get_count;
        gameinfo.players = 1;
        settings = Settings();
    }
    // A table that uses every kind, negative and large numbers.
    static void fill_pattern(int players, int buttons)
    {
        for (int p = 0; p < players; p++)
            for (int b = 0; b < buttons; b++)
                for (int s = 0; s < MAX_SLOTS; s++) {
                    int i = (p * MAX_BUTTONS + b) * MAX_SLOTS + s;
                    settings.bindings[p][b][s] = Binding{i % 6, 4 + i, i % 3 == 0 ? -i : i * 1000,
                                                         i % 4, i % 2 ? 7 : -1};
                }
        settings.bindings[1][3][1] = Binding{BIND_KEY, INT32_MAX, INT32_MIN, 0, 0};
    }
    ResDir dir;
};

TEST_F(SettingsFile, TwoPlayerRoundTripMatchesGolden)
{
    fill_pattern(2, 12);
    settings.scale = 4;
    settings.smoothing = false;
    settings.stretch = true;
    settings_save();

    std::string golden_path = std::string(getenv("TEST_SOURCE_DIR") ? getenv("TEST_SOURCE_DIR") : ".") +
                              "/tests/data/conf_two_players";
    FILE *f = fopen(golden_path.c_str(), "rb");
    ASSERT_NE(nullptr, f) << golden_path;
    std::string golden;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
        golden.append(buf, n);
    fclose(f);
    EXPECT_EQ(golden, dir.read("res/conf"));
    EXPECT_FALSE(dir.exists("res/conf.new"));

    Settings saved = settings;
    settings = Settings();
    settings_load();
    EXPECT_EQ(0, memcmp(&saved.bindings, &settings.bindings, sizeof saved.bindings));
    EXPECT_EQ(4, settings.scale);
    EXPECT_FALSE(settings.smoothing);
    EXPECT_TRUE(settings.stretch);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(settings.guide);

    // Saving again gives the same bytes.
    std::string first = dir.read("res/conf");
    settings_save();
    EXPECT_EQ(first, dir.read("res/conf"));
}

TEST_F(SettingsFile, LoadRules)
{
    // No file: everything stays as start-up set it.
    fill_pattern(2, 12);
    Settings before = settings;
    settings_load();
    EXPECT_EQ(0, memcmp(&before, &settings, sizeof before));

    // Only scale=2: missing booleans read as their file defaults, bindings become unbound,
    // but only for the game's players and buttons.
    gameinfo.players = 1;
    settings.bindings[0][12][0] = Binding{BIND_KEY, 5, 0, 0, 0};   // beyond the buttons
    dir.write("res/conf", "scale=2\n");
    settings_load();
    EXPECT_EQ(2, settings.scale);
    EXPECT_FALSE(settings.smoothing);
    EXPECT_FALSE(settings.stretch);
    EXPECT_TRUE(settings.fullscreen);
    EXPECT_TRUE(settings.guide);
    for (int b = 0; b < 12; b++)
        for (int s = 0; s < MAX_SLOTS; s++)
            EXPECT_EQ(BIND_NONE, settings.bindings[0][b][s].type) << b << "/" << s;
    EXPECT_EQ(BIND_KEY, settings.bindings[0][12][0].type);
    EXPECT_EQ(0, memcmp(&before.bindings[1], &settings.bindings[1], sizeof before.bindings[1]));
}

TEST_F(SettingsFile, OnePlayerSavesOnlyPlayerZero)
{
    gameinfo.players = 1;
    fill_pattern(2, 12);
    settings_save();
    std::string text = dir.read("res/conf");
    EXPECT_EQ(std::string::npos, text.find("btn_1_"));
    EXPECT_EQ(5u + 12 * 2 * 5, (size_t)std::count(text.begin(), text.end(), '\n'));
    const std::string head = "scale=3\nsmoothing=1\nstretch=0\nfullscreen=1\nguide=1\nbtn_0_0_0_type=";
    EXPECT_EQ(head, text.substr(0, head.size()));
    EXPECT_EQ(std::string::npos, text.find('\r'));
}

TEST_F(SettingsFile, ButtonCountHeldToTable)
{
    struct Case { int reported; size_t lines; } cases[] = {
        {40, 5 + 2 * 32 * 2 * 5},   // the first 32 buttons
        {32, 5 + 2 * 32 * 2 * 5},
        {-3, 5},
        {0, 5},
    };
    for (const Case &c : cases) {
        fixed_count = c.reported;
        fill_pattern(2, 32);
        settings_save();
        std::string text = dir.read("res/conf");
        EXPECT_EQ(c.lines, (size_t)std::count(text.begin(), text.end(), '\n')) << c.reported;
        Settings saved = settings;
        settings_load();
        EXPECT_EQ(0, memcmp(&saved.bindings, &settings.bindings, sizeof saved.bindings)) << c.reported;
    }
}

TEST_F(SettingsFile, FailedSaveKeepsOldFile)
{
    const std::string old = "scale=2\nbtn_0_0_0_type=1\nbtn_0_0_0_code=44\n";

    // The temporary name cannot be created.
    dir.write("res/conf", old);
    mkdir(dir.path("res/conf.new").c_str(), 0755);
    settings_save();
    EXPECT_EQ(old, dir.read("res/conf"));
    rmdir(dir.path("res/conf.new").c_str());

    // The disk fills up in the middle of the file.
    fill_pattern(2, 12);
    struct rlimit saved_limit;
    getrlimit(RLIMIT_FSIZE, &saved_limit);
    struct rlimit small = saved_limit;
    small.rlim_cur = 200;
    void (*saved_handler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    settings_save();
    setrlimit(RLIMIT_FSIZE, &saved_limit);
    signal(SIGXFSZ, saved_handler);
    EXPECT_EQ(old, dir.read("res/conf"));
    EXPECT_FALSE(dir.exists("res/conf.new"));

    // No res folder at all, and a folder name too long for the path buffer.
    dir.remove("res/conf");
    rmdir(dir.path("res").c_str());
    settings_save();
    EXPECT_FALSE(dir.exists("res/conf"));
    std::string saved_dir = exe_dir;
    memset(exe_dir, 'd', sizeof exe_dir - 1);
    exe_dir[sizeof exe_dir - 1] = '\0';
    settings_save();
    settings_load();
    snprintf(exe_dir, sizeof exe_dir, "%s", saved_dir.c_str());
}

TEST_F(SettingsFile, DamagedFilesLoad)
{
    std::string big;
    for (int i = 0; i < 2000; i++)
        big += "btn_0_" + std::to_string(i % 40) + "_0_type=" + std::to_string(i) + "\n";
    const std::string files[] = {
        "",
        std::string("\0\0\0\0", 4),
        std::string(5000, '\xff'),
        std::string(3000, '='),
        "scale=\nsmoothing\n=1\nbtn_0_0_0_type=0x\nbtn_0_0_0_code=--4\n",
        big,
    };
    for (const std::string &text : files) {
        dir.write("res/conf", text);
        settings_load();
        EXPECT_TRUE(settings.fullscreen);
        EXPECT_TRUE(settings.guide);
    }
    EXPECT_EQ(1968, settings.bindings[0][8][0].type);   // the last line of button 8
    EXPECT_EQ(3, settings.scale);
}
