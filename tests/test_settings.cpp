// The key readers, res/conf and res/data: reading rules, the written format, safe replacement.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <functional>
#include <string>
#include "base/file_read.h"
#include "base/conf_file.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "record/ox_core.h"
#include "input/defaults.h"
#include "support/res_dir.h"
#include "support/watch.h"

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
        {"scale=010\n", "scale", 8, "010"},                          // octal
        {"stretch=1\nstretch=0\n", "stretch", 0, "1"},               // numbers: the last; text: the first
        {"title=Meadow\r\n", "title", 3, "Meadow"},                  // a Windows line end
        {"\xEF\xBB\xBFscale=5\n", "scale", 5, "5"},                 // a byte-order mark
        {"scale=4294967298\n", "scale", INT32_MAX, "4294967298"},      // held, not wrapped to 2
        {"scale=-4294967294\n", "scale", INT32_MIN, "-4294967294"},
        {"stretch=1\nstretch=zz\n", "stretch", 1, "1"},              // the last line that parses
        {"btn_0_11_0_type=4\n", "btn_0_1_0_type", 3, "dflt"},        // a longer key is another key
        {"title=\xc3\xa9t\n", "title", 3, "dflt"},                   // begins with a byte above 127
        {"title=\x01Up\n", "title", 3, "dflt"},                       // begins with a control byte
        {"title=\n", "title", 3, "dflt"},                             // empty
        {"title=Left\tRight\n", "title", 3, "Left"},                 // cut at the tab
        {std::string(1023, 'x') + "scale=9\n", "scale", 9, "9"},     // after a line read in pieces
        {"title=" + std::string(2000, 'a') + "\n", "title", 3, std::string(1017, 'a')},
    };
    ResDir dir;
    for (const Case &c : cases) {
        const std::string shown = c.text.substr(0, 40);
        dir.write("res/test", c.text);
        ASSERT_TRUE(conf_open("res/test"));
        EXPECT_EQ(c.number, conf_read_int(c.key, 3)) << "integer of " << shown;
        EXPECT_EQ(c.string, conf_read_string(c.key, "dflt")) << "text of " << shown;
        conf_close();
    }
}

// A button name longer than the record's field is cut, not written past it.
TEST(GameInfo, ALongButtonNameIsCut)
{
    ResDir dir;
    dir.write("res/data", "btnname31=" + std::string(100, 'n') + "\n");
    gameinfo_load();
    EXPECT_EQ(std::string(63, 'n'), gameinfo.btnname[31]);
}

static int buttons_reported = 12;   // the component's button count in the settings tests
// The component's count, replaced at link time.
int ox_button_get_count(void)
{
    return buttons_reported;
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        buttons_reported = 12;
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
        gameinfo.players = 1;
    }
    // The values of all keys after loading a damaged file.
    static void expect_file_defaults(const std::string &why)
    {
        EXPECT_EQ(SETTINGS_DEFAULT_SCALE, settings.scale) << why;
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
    const std::string golden = read_whole_file(source_file("tests/data/conf_two_players"));
    EXPECT_EQ(golden, dir.read("res/conf"));
    settings = Settings();
    settings_load();
    settings_save();
    EXPECT_EQ(golden, dir.read("res/conf")) << "after loading and saving again";
}

// Mended fault: a save that fails on a full disk must leave the old res/conf whole, and say why.
TEST_F(SettingsFile, FailedSaveKeepsOldFileAndIsLogged)
{
    const std::string old = "scale=2\nbtn_0_0_0_type=1\nbtn_0_0_0_code=44\n";
    dir.write("res/conf", old);
    LogCapture log;
    struct rlimit limit;   // the disk fills up in the middle of the file
    getrlimit(RLIMIT_FSIZE, &limit);
    struct rlimit small = {200, limit.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    settings_save();
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(old, dir.read("res/conf"));
    EXPECT_NE(std::string::npos, log.text().find("cannot save " + dir.path("res/conf") + ": File too large"))
        << log.text();
}
// Mended fault: a scale outside 1..8 gave a 1 x 1 or a giant window.
TEST_F(SettingsFile, ScaleOutsideOneToEightReadsAsThree)
{
    const struct { const char *text; int32_t scale; } CASES[] = {
        {"scale=0\n", 3},
        {"scale=1\n", 1},
        {"scale=8\n", 8},
        {"scale=9\n", 3},
    };
    for (const auto &c : CASES) {
        dir.write("res/conf", c.text);
        settings_load();
        EXPECT_EQ(c.scale, settings.scale) << c.text;
    }
}
// latency_ms wins; without it, the "latency=20" every earlier file holds was never chosen and
// reads as the new default, another frame count (set by hand) as its milliseconds at 60 fps.
// The row before each leaves another value, so a default read is a default given.
TEST_F(SettingsFile, LatencyIsReadInMillisecondsAndOldFilesGetTheNewDefault)
{
    const struct { const char *text; int32_t latency_ms; } CASES[] = {
        {"latency_ms=64\n", 64},
        {"latency=20\n", SETTINGS_DEFAULT_LATENCY_MS},
        {"latency=8\n", 133},
        {"scale=2\n", SETTINGS_DEFAULT_LATENCY_MS},
        {"latency=8\nlatency_ms=125\n", 125},
        {"latency_ms=5\n", SETTINGS_MIN_LATENCY_MS},
        {"latency_ms=900\n", SETTINGS_MAX_LATENCY_MS},
    };
    for (const auto &c : CASES) {
        dir.write("res/conf", c.text);
        settings_load();
        EXPECT_EQ(c.latency_ms, settings.latency_ms) << c.text;
    }
}
TEST_F(SettingsFile, LatencyOutsideTheRangeIsLogged)
{
    dir.write("res/conf", "latency_ms=900\n");
    LogCapture log;
    settings_load();
    EXPECT_NE(std::string::npos, log.text().find("outside 16..250")) << log.text();
}
// A file of exactly the size limit is legal and read to its end.
TEST_F(SettingsFile, AConfOfTheLimitSizeIsRead)
{
    const std::string tail = "scale=5\n";
    dir.write("res/conf", std::string(READ_LIMIT_CONF - tail.size(), '\n') + tail);
    settings_load();
    EXPECT_EQ(5, settings.scale);
}
// Mended fault: a FIFO, an endless device or a huge file in place of a settings file stalled
// the start (a device is refused as the FIFO is: not a regular file). Each load runs in a
// child that an alarm ends if it waits; its exit code is the value read, which must be the
// one held before.
TEST_F(SettingsFile, UnusableConfFilesAreRefusedWithoutWaiting)
{
    const std::string over = "scale=5\n" + std::string(READ_LIMIT_CONF, '\n');
    const struct { const char *what; std::function<void(void)> make; } CASES[] = {
        {"FIFO", [this] { mkfifo(dir.path("res/conf").c_str(), 0644); }},
        {"one byte over the limit", [&] { dir.write("res/conf", over); }},
    };
    for (const auto &c : CASES) {
        dir.remove("res/conf");
        c.make();
        EXPECT_EXIT(finish_within_seconds([] { settings_load(); return (int)settings.scale; }),
                    ::testing::ExitedWithCode(SETTINGS_DEFAULT_SCALE), "") << c.what;
    }
}
// Mended fault: a res/conf of display settings alone unbound every control. A file with a
// binding line still sets every binding, 0 where it has no line.
TEST_F(SettingsFile, AConfWithoutBindingLinesKeepsTheBindings)
{
    const struct { const char *text; int32_t type; } CASES[] = {
        {"fullscreen=0\n", BIND_KEY},
        {"fullscreen=0\nbtn_0_0_0_type=4\n", BIND_NONE},
    };
    for (const auto &c : CASES) {
        settings.bindings[1][3][1] = Binding{BIND_KEY, 5, 0, 0, 0};
        dir.write("res/conf", c.text);
        settings_load();
        EXPECT_EQ(c.type, settings.bindings[1][3][1].type) << c.text;
    }
}
// Mended fault: a save while the component reported no buttons (or fewer, or only after its
// start), or while the game had fewer players, dropped the binding lines of the others. Each
// row loads and saves with its counts; a load and save with the full counts must then give
// back the file as it was.
TEST_F(SettingsFile, BindingLinesOfButtonsAndPlayersNotKnownAreKept)
{
    const struct { const char *what; int load_buttons; int save_buttons; int32_t players; } CASES[] = {
        {"no buttons", 0, 0, 2},
        {"a negative count", -5, -5, 2},
        {"fewer buttons", 4, 4, 2},
        {"no buttons before the start, 12 after", 0, 12, 2},
        {"one player", 12, 12, 1},
    };
    settings_save();
    const std::string full = dir.read("res/conf");
    LogCapture log;
    for (const auto &c : CASES) {
        dir.write("res/conf", full);
        gameinfo.players = c.players;
        buttons_reported = c.load_buttons;
        settings_load();
        buttons_reported = c.save_buttons;
        settings_save();
        gameinfo.players = 2;
        buttons_reported = 12;
        settings_load();
        settings_save();
        EXPECT_EQ(full, dir.read("res/conf")) << c.what;
    }
    EXPECT_NE(std::string::npos, log.text().find("the component reports -5 buttons, 0 are used")) << log.text();
}
// Mended fault: players of 0 or below bound no player, so the next save dropped every binding.
TEST(GameInfo, PlayersAreHeldToOneOrTwo)
{
    const struct { std::string text; int32_t players; } CASES[] = {
        {"players=0\n", 1},
        {"players=1\n", 1},
        {"players=2\n", 2},
        {"players=3\n", 2},
    };
    ResDir dir;
    for (const auto &c : CASES) {
        dir.write("res/data", c.text);
        gameinfo_load();
        EXPECT_EQ(c.players, gameinfo.players) << c.text.substr(0, 40);
    }
    gameinfo.players = 1;
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
        int32_t button_0_type;   // from res/donf
        int32_t conf_type;       // from res/conf, which without a binding line keeps the bindings
    } cases[] = {
        {"zero bytes", std::string("\0\0\0\0", 4), BIND_NONE, BIND_KEY},
        {"bytes 0xFF", std::string(5000, '\xff'), BIND_NONE, BIND_KEY},
        {"empty and keyless lines", "scale=\nsmoothing\n=1\nplayers=\nbtn_0_0_0_type=0x\n", BIND_NONE, BIND_NONE},
        {"2000 binding lines", big, 1960, 1960},
    };
    for (const auto &c : cases) {
        for (const char *name : {"res/conf", "res/data", "res/donf"})
            dir.write(name, c.text);
        gameinfo_load();
        EXPECT_EQ(1, gameinfo.players) << c.what;
        EXPECT_STREQ("Game", gameinfo.title) << c.what;
        settings.bindings[0][0][0] = Binding{BIND_KEY, 5, 0, 0, 0};
        settings_load();
        EXPECT_EQ(c.conf_type, settings.bindings[0][0][0].type) << c.what << ": res/conf";
        expect_file_defaults(c.what);
        settings.bindings[0][0][0] = Binding{BIND_KEY, 5, 0, 0, 0};
        bindings_set_defaults(-1);
        EXPECT_EQ(c.button_0_type, settings.bindings[0][0][0].type) << c.what << ": res/donf";
    }
}
