#include "config/gameinfo.h"

#include <stdio.h>
#include <string.h>

#include "base/conf_file.h"

GameInfo gameinfo = { 1, false, 0, "None", {} };

// Copies src into out, cut to fit.
static void copy_text(char *out, size_t size, const char *src)
{
    snprintf(out, size, "%s", src);
}

void gameinfo_load(void)
{
    memset(gameinfo.btnname, 0, sizeof gameinfo.btnname);
    if (conf_open(GAMEINFO_FILE)) {
        gameinfo.nosram = conf_read_int("nosram", 0) != 0;
        gameinfo.players = conf_read_int("players", 1);
        gameinfo.padstyle = conf_read_int("padstyle", 0);
        copy_text(gameinfo.title, sizeof gameinfo.title, conf_read_string("title", "Game"));
        char key[CONF_KEY_SIZE];
        for (int i = 0; i < MAX_BUTTONS; i++) {
            snprintf(key, sizeof key, "btnname%i", i);
            copy_text(gameinfo.btnname[i], sizeof gameinfo.btnname[i], conf_read_string(key, ""));
        }
        conf_close();
    }
    // No players would bind, poll and save no button at all: the next settings save would
    // drop every binding.
    if (gameinfo.players < 1)
        gameinfo.players = 1;
    if (gameinfo.players > MAX_PLAYERS)
        gameinfo.players = MAX_PLAYERS;
}
