// The game description res/data.
#include <gtest/gtest.h>

#include <string>

#include "config/gameinfo.h"
#include "input/binding.h"
#include "support/res_dir.h"

static const GameInfo INITIAL = gameinfo;

TEST(GameInfo, Fields)
{
    struct Case {
        const char *what; bool file; std::string text;
        int players, padstyle; bool nosram; std::string title; int name_index; std::string name;
    } cases[] = {
        {"no file: the initial values stay, names cleared", false, "", 1, 0, false, "None", 3, ""},
        {"all keys, carriage returns kept", true,
         "players=2\nnosram=1\npadstyle=2\ntitle=Space Race\nbtnname0=Fire\r\n", 2, 2, true, "Space Race", 0, "Fire\r"},
        {"players capped", true, "players=5\ntitle=Left\tRight\r\n", 2, 0, false, "Left", 0, ""},
        {"last name, cut to fit", true, "btnname31=" + std::string(100, 'n') + "\r\n",
         1, 0, false, "Game", 31, std::string(63, 'n')},
    };
    for (const Case &c : cases) {
        ResDir dir;
        if (c.file)
            dir.write("res/data", c.text);
        gameinfo = INITIAL;
        gameinfo.btnname[c.name_index][0] = 'x';
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
