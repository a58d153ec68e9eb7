// The key readers, res/conf and res/data: reading rules, the written format, safe replacement.
#include <gtest/gtest.h>
#include "base/conf_file.h"
#include "base/file_read.h"
#include "base/notice.h"
#include "config/gameinfo.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "support/button_recorder.h"
#include "support/disk_full.h"
#include "support/res_dir.h"
#include "support/watch.h"

// Each text is read with both readers for one key: the integer reader with default 3, the
// text reader with default "dflt".
TEST(ConfReaders, IntegerAndTextRules)
{
    const struct {
        const char *name; std::string text; const char *key; int32_t number; std::string string;
    } cases[] = {
        {"octal", "scale=010\n", "scale", 8, "010"},
        {"numbers: the last; text: the first", "stretch=1\nstretch=0\n", "stretch", 0, "1"},
        {"a Windows line end", "title=Meadow\r\n", "title", 3, "Meadow"},
        {"a byte-order mark", "\xEF\xBB\xBFscale=5\n", "scale", 5, "5"},
        {"held, not wrapped to 2", "scale=4294967298\n", "scale", INT32_MAX, "4294967298"},
        {"held at the low end", "scale=-4294967294\n", "scale", INT32_MIN, "-4294967294"},
        {"the last line that parses", "stretch=1\nstretch=zz\n", "stretch", 1, "1"},
        {"the key further in the line", "x_title=A\ntitle=B\n", "title", 3, "dflt"},
        {"begins with a control byte", "title=\x01Up\n", "title", 3, "dflt"},
        {"begins with a space", "title= Up\n", "title", 3, " Up"},
        {"cut at the tab", "title=Left\tRight\n", "title", 3, "Left"},
        {"after a line read in pieces", std::string(1023, 'x') + "scale=9\n", "scale", 9, "9"},
        {"a long line comes in pieces", "title=" + std::string(2000, 'a'), "title", 3, std::string(1017, 'a')},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(conf_open_text(c.text.data(), c.text.size()));
        EXPECT_EQ(c.number, conf_read_int(c.key, 3)) << c.name;
        EXPECT_EQ(c.string, conf_read_string(c.key, "dflt")) << c.name;
        conf_close();
    }
}

// Two players, the table as the player starts with it. The golden file sets every field of
// the binding table, negative and extreme numbers among them.
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        gameinfo.players = 2;
        settings_set_defaults();
    }
    ResDir dir;
    const std::string golden = read_whole_file(source_file("tests/data/conf_two_players"));
};

// Mended faults: players of 0 or below bound no player, so the next save dropped every
// binding; a long button name was written past its field.
TEST_F(SettingsFile, GameDescriptionKeysAndTheirRanges)
{
    const struct {
        const char *name; std::string text; int32_t players; std::string title; std::string button_31;
    } cases[] = {
        {"no players", "players=0\n", 1, "Game", ""},
        {"three players", "players=3\n", 2, "Game", ""},
        {"a long button name", "btnname31=" + std::string(100, 'n'), 1, "Game", std::string(63, 'n')},
    };
    for (const auto &c : cases) {
        dir.write("res/data", c.text);
        gameinfo_load();
        EXPECT_EQ(c.players, gameinfo.players) << c.name;
        EXPECT_EQ(c.title, gameinfo.title) << c.name;
        EXPECT_EQ(c.button_31, gameinfo.btnname[31]) << c.name;
    }
}

// Mended faults: a scale outside 1..8 gave a 1 x 1 or a giant window; a res/conf of display
// settings alone unbound every control. Before each row the table holds scale 7, latency 99
// and a key bound to player 1's first button, so a default read is a default given.
TEST_F(SettingsFile, KeysAndTheirRanges)
{
    const std::string limit(READ_LIMIT_CONF - 8, '\n');
    const struct {
        const char *name; std::string text; int32_t scale; int32_t latency_ms; int32_t binding_type;
    } cases[] = {
        {"scale 0", "scale=0\n", 3, 32, BIND_KEY},
        {"scale 1", "scale=1\n", 1, 32, BIND_KEY},
        {"scale 8", "scale=8\n", 8, 32, BIND_KEY},
        {"scale 9", "scale=9\n", 3, 32, BIND_KEY},
        {"the old default in frames, never chosen", "latency=20\n", 3, SETTINGS_DEFAULT_LATENCY_MS, BIND_KEY},
        {"frames set by hand, at 60 fps", "latency=8\n", 3, 133, BIND_KEY},
        {"milliseconds win over frames", "latency=8\nlatency_ms=125\n", 3, 125, BIND_KEY},
        {"latency below the range", "latency_ms=15\n", 3, SETTINGS_MIN_LATENCY_MS, BIND_KEY},
        {"latency above the range", "latency_ms=251\n", 3, SETTINGS_MAX_LATENCY_MS, BIND_KEY},
        {"a binding line sets every binding", "btn_1_0_0_type=4\n", 3, 32, BIND_NONE},
        {"a file of the size limit", limit + "scale=5\n", 5, 32, BIND_KEY},
        {"a byte over the size limit", limit + "scale=5\n\n", 7, 99, BIND_KEY},
    };
    LogCapture log;
    for (const auto &c : cases) {
        settings.scale = 7;
        settings.latency_ms = 99;
        settings.bindings[0][0][0] = Binding{BIND_KEY, 5, 0, 0, 0};
        dir.write("res/conf", c.text);
        settings_load();
        EXPECT_EQ(c.scale, settings.scale) << c.name;
        EXPECT_EQ(c.latency_ms, settings.latency_ms) << c.name;
        EXPECT_EQ(c.binding_type, settings.bindings[0][0][0].type) << c.name;
    }
    EXPECT_TRUE(log.has("latency of 251 ms in res/conf is outside 16..250, 250 is used")) << log.text();
}

// Each row loads the golden file and saves it with its counts; a load and save with the
// full counts must then give back the same bytes. Mended faults: a save while the component
// reported no buttons (or fewer, or only after its start), or while the game had fewer
// players, dropped the binding lines of the others; a save that fails on a full disk must
// leave the old res/conf whole, and say why (on screen too: mended, only the log did).
TEST_F(SettingsFile, SavesGiveTheFileBackWithLinesOfButtonsAndPlayersNotKnownKept)
{
    const struct { const char *what; int load_buttons; int save_buttons; int32_t players; } cases[] = {
        {"a negative count", -5, -5, 2},
        {"no buttons before the start, 12 after", 0, 12, 2},
        {"one player", 12, 12, 1},
    };
    LogCapture log;
    for (const auto &c : cases) {
        dir.write("res/conf", golden);
        gameinfo.players = c.players;
        fixture_buttons = c.load_buttons;
        settings_load();
        fixture_buttons = c.save_buttons;
        settings_save();
        gameinfo.players = 2;
        fixture_buttons = 12;
        settings_load();
        settings_save();
        EXPECT_EQ(golden, dir.read("res/conf")) << c.what;
    }
    EXPECT_TRUE(log.has("the component reports -5 buttons, 0 are used")) << log.text();
    settings.scale = 2;
    with_disk_full(200, [] { settings_save(); });
    EXPECT_EQ(golden, dir.read("res/conf")) << "after a failed save";
    EXPECT_TRUE(log.has("cannot save " + dir.path("res/conf") + ": File too large")) << log.text();
    EXPECT_STREQ("Cannot save: file too large", notice_text()) << "on screen too";
}
