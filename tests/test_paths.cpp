// The executable's directory, the data file names formed from it, and the user folder where
// the player's files go when res/ cannot be written,
// named after the game's title.
#include <gtest/gtest.h>
#include <string.h>
#include "base/paths.h"
#include "base/user_dir.h"
#include "config/gameinfo.h"

TEST(Paths, CutAfterLastSeparator)
{
    const struct { const char *path, *dir; } cases[] = {
        {"C:\\Games\\x\\player.exe", "C:\\Games\\x\\"},
        {"player", "player"},  // no separator: stays whole
    };
    for (const auto &c : cases) {
        char buf[PATH_BUFFER_SIZE];
        strcpy(buf, c.path);
        cut_after_last_separator(buf);
        EXPECT_STREQ(c.dir, buf) << "from " << c.path;
    }
}

// A name that does not fit must not come out cut ("…/res/co"), which would address another
// file; an unknown executable folder must not turn "res/conf" into a name under the current one.
TEST(Paths, DataNamesFormedWholeOrNotAtAll)
{
    const size_t fits = PATH_BUFFER_SIZE - 1 - strlen(RES_DIR "conf");
    const struct { const char *name; size_t folder; bool formed; } cases[] = {   // folder: exe_dir's length
        {"just fits", fits, true},
        {"a byte too long", fits + 1, false},
        {"folder unknown", 0, false},
    };
    for (const auto &c : cases) {
        const std::string dir = c.folder ? "/" + std::string(c.folder - 2, 'd') + "/" : "";
        strcpy(exe_dir, dir.c_str());
        char out[PATH_BUFFER_SIZE] = "stale";
        EXPECT_EQ(c.formed, data_path(out, sizeof out, RES_DIR "conf")) << c.name;
        EXPECT_EQ(c.formed ? dir + RES_DIR "conf" : "", out) << c.name;
    }
}

TEST(UserDir, FolderForEachPlatformAndEnvironment)
{
    const std::string deep(PATH_BUFFER_SIZE - 3, '/');   // with "/T/", a byte too long
    const struct { const char *name; bool windows; const char *appdata, *xdg, *home, *title, *dir; } cases[] = {
        {"Windows", true, "C:\\Users\\a\\AppData\\Roaming", nullptr, nullptr, "Sunny Meadow",
         "C:\\Users\\a\\AppData\\Roaming\\Sunny Meadow\\"},
        {"Windows without APPDATA", true, nullptr, "/x", "/home/a", "T", ""},
        {"relative XDG_DATA_HOME ignored", false, nullptr, "d", "/home/a", "T", "/home/a/.local/share/T/"},
        {"no XDG_DATA_HOME", false, nullptr, nullptr, "/home/a", "T", "/home/a/.local/share/T/"},
        {"no home at all", false, nullptr, nullptr, nullptr, "T", ""},
        {"too long", false, nullptr, deep.c_str(), nullptr, "T", ""},
    };
    for (const auto &c : cases) {
        char out[PATH_BUFFER_SIZE];
        EXPECT_EQ(c.dir[0] != '\0', user_dir_for(out, sizeof out, c.windows, c.appdata, c.xdg, c.home, c.title))
            << c.name;
        EXPECT_STREQ(c.dir, out) << c.name;
    }
}

// Mended faults: "." and ".." named the folder above (the files went straight into
// ~/.local/share/), a title of 300 letters made a name no system takes, and Windows refused
// its device names and dropped trailing dots.
TEST(UserDir, FolderNameOfATitle)
{
    const std::string letters(300, 'a');
    const std::string cut_in_e = std::string(63, 'a') + "\xc3\xa9";   // the 64th byte starts an "é"
    const struct { const char *name; std::string title; std::string folder; } cases[] = {
        {"already safe: kept", "Sunny Meadow", "Sunny Meadow"},
        {"separators and a control byte", "A/B: C?\x1f", "A_B_ C__"},
        {"empty", "", "Game"},
        {"the folder above", "..", "__"},
        {"only dots and spaces", ". .", "___"},
        {"trailing dot", "Meadow.", "Meadow_"},
        {"a device name", "con", "con_"},
        {"a device name with an extension", "LPT9.txt", "LPT9_.txt"},
        {"a device name with a space", "AUX .a", "AUX_ .a"},
        {"longer than a device name", "CONSOLE", "CONSOLE"},
        {"not a device number", "COM0", "COM0"},
        {"letters beyond ASCII", "\xc3\x89lan vital", "\xc3\x89lan vital"},
        {"too long", letters, letters.substr(0, 64)},
        {"cut before a character", cut_in_e, cut_in_e.substr(0, 63)},
    };
    for (const auto &c : cases) {
        char out[GAMEINFO_FOLDER_BYTES + 1];
        gameinfo_folder_name(c.title.c_str(), out, sizeof out);
        EXPECT_EQ(c.folder, out) << c.name;
    }
}

// Mended fault: once res/ could be written again, the saves made in the user folder meanwhile
// were never read; whichever file is newer is now the one read.
TEST(UserDir, TheNewerFileIsRead)
{
    const struct { const char *name; bool in_user; long long user_time; bool in_res; long long res_time; bool user; }
    cases[] = {
        {"newer in res/", true, 5, true, 6, false},
        {"newer in the user folder", true, 6, true, 5, true},
        {"the same second", true, 5, true, 5, true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.user, user_load_pick(c.in_user, c.user_time, c.in_res, c.res_time)) << c.name;
}
