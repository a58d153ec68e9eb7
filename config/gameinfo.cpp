#include "config/gameinfo.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include <string>

#include "base/conf_file.h"

GameInfo gameinfo = { 1, false, 0, "None", "None", {} };

// Copies src into out, cut to fit.
static void copy_text(char *out, size_t size, const char *src)
{
    snprintf(out, size, "%s", src);
}

// Whether base (a name's part before its first dot, trailing spaces aside) is a device name
// Windows reserves in every folder.
static bool reserved_device(const std::string &base)
{
    std::string b = base.substr(0, base.find_last_not_of(' ') + 1);
    for (char &c : b)
        c = (char)toupper((unsigned char)c);
    if (b == "CON" || b == "PRN" || b == "AUX" || b == "NUL")
        return true;
    return b.size() == 4 && (b.compare(0, 3, "COM") == 0 || b.compare(0, 3, "LPT") == 0) &&
           b[3] >= '1' && b[3] <= '9';
}

void gameinfo_folder_name(const char *title, char *out, size_t size)
{
    std::string name = title && *title ? title : "Game";
    for (char &c : name) {
        if (strchr("/\\:*?\"<>|", c) || (unsigned char)c < 32)
            c = '_';
    }
    const size_t base_end = name.find('.');
    if (reserved_device(name.substr(0, base_end)))
        name.insert(name.find_last_not_of(' ', base_end - 1) + 1, "_");   // before trailing spaces
    if (name.size() > GAMEINFO_FOLDER_BYTES) {
        size_t cut = GAMEINFO_FOLDER_BYTES;
        while (cut > 0 && ((unsigned char)name[cut] & 0xC0) == 0x80)
            cut--;   // inside a character: cut before its first byte
        name.resize(cut);
    }
    if (name.empty())
        name = "_";   // no character boundary at all
    // Windows drops trailing dots and spaces, so "A." would be the folder "A"; a name of only
    // dots and spaces is then all trailing, "." and ".." included.
    for (size_t i = name.size(); i > 0 && (name[i - 1] == '.' || name[i - 1] == ' '); i--)
        name[i - 1] = '_';
    snprintf(out, size, "%s", name.c_str());
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
        gameinfo_folder_name(gameinfo.title, gameinfo.folder, sizeof gameinfo.folder);
    }
    // No players would bind, poll and save no button at all: the next settings save would
    // drop every binding.
    if (gameinfo.players < 1)
        gameinfo.players = 1;
    if (gameinfo.players > MAX_PLAYERS)
        gameinfo.players = MAX_PLAYERS;
}
