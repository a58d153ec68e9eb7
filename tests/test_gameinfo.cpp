// The game description res/data.
#include <gtest/gtest.h>

#include <string>

#include "config/gameinfo.h"
#include "input/binding.h"
#include "support/res_dir.h"

static const GameInfo INITIAL = gameinfo;

TEST(GameInfo, InitialValuesWithoutFile)
{
    ResDir dir;
    gameinfo = INITIAL;
    gameinfo.btnname[3][0] = 'x';
    gameinfo_load();
    EXPECT_EQ(1, gameinfo.players);
    EXPECT_FALSE(gameinfo.nosram);
    EXPECT_EQ(0, gameinfo.padstyle);
    EXPECT_STREQ("None", gameinfo.title);
    EXPECT_STREQ("", gameinfo.btnname[3]);
}

TEST(GameInfo, Fields)
{
    struct Case {
        const char *what;
        std::string text;
        int players, padstyle;
        bool nosram;
        std::string title;
        int name_index;
        std::string name;
    } cases[] = {
        {"empty file", "", 1, 0, false, "Game", 0, ""},
        {"all keys", "players=2\nnosram=1\npadstyle=2\ntitle=Space Race\nbtnname0=Fire\n",
         2, 2, true, "Space Race", 0, "Fire"},
        {"players capped", "players=5\n", 2, 0, false, "Game", 0, ""},
        {"no lower bound", "players=-1\n", -1, 0, false, "Game", 0, ""},
        {"bad integers keep defaults", "players=two\npadstyle=x\nnosram=\n", 1, 0, false, "Game", 0, ""},
        {"title up to a tab", "title=Left\tRight\n", 1, 0, false, "Left", 0, ""},
        {"carriage returns kept", "title=Game One\r\nbtnname2=Jump\r\n", 1, 0, false, "Game One\r", 2, "Jump\r"},
        {"empty name", "btnname3=\n", 1, 0, false, "Game", 3, ""},
        {"name 11 is not name 1", "btnname11=Kick\n", 1, 0, false, "Game", 1, ""},
        {"name 31", "btnname31=Last\n", 1, 0, false, "Game", 31, "Last"},
        {"title of a byte above 127", "title=\xe9t\xe9\n", 1, 0, false, "Game", 0, ""},
        {"title cut", "title=" + std::string(1500, 't') + "\n", 1, 0, false, std::string(1017, 't'), 0, ""},
        {"name cut", "btnname4=" + std::string(100, 'n') + "\n", 1, 0, false, "Game", 4, std::string(63, 'n')},
        {"binary", std::string("\0\xff\x01players", 11), 1, 0, false, "Game", 0, ""},
    };
    for (const Case &c : cases) {
        ResDir dir;
        dir.write("res/data", c.text);
        gameinfo = INITIAL;
        gameinfo_load();
        EXPECT_EQ(c.players, gameinfo.players) << c.what;
        EXPECT_EQ(c.padstyle, gameinfo.padstyle) << c.what;
        EXPECT_EQ(c.nosram, gameinfo.nosram) << c.what;
        EXPECT_EQ(c.title, gameinfo.title) << c.what;
        EXPECT_EQ(c.name, gameinfo.btnname[c.name_index]) << c.what;
    }
    gameinfo = INITIAL;
}

TEST(GameInfo, PlayerCountHeldToTable)
{
    const int cases[][2] = { {-5, 0}, {0, 0}, {1, 1}, {2, 2}, {7, 2} };
    for (const auto &c : cases) {
        gameinfo.players = c[0];
        EXPECT_EQ(c[1], input_player_count()) << c[0];
    }
    gameinfo = INITIAL;
}
