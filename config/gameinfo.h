// The game description res/data: what the component cannot tell about the packaged game.
#pragma once

#include <stdint.h>

#include "base/paths.h"
#include "config/binding.h"

#define GAMEINFO_FILE RES_DIR "data"
#define GAMEINFO_TITLE_SIZE 1024
#define GAMEINFO_NAME_SIZE 64
#define GAMEINFO_FOLDER_BYTES 64   // longest folder name made of a title, in bytes

struct GameInfo {
    int32_t players;     // players whose buttons are bound, polled and saved; 1 or 2
    bool nosram;         // component option bit 0: no battery save memory
    int32_t padstyle;    // joystick button names: 1 "A", "B", ...; 2 "Squ", "X", ...; else numbers
    char title[GAMEINFO_TITLE_SIZE];                 // window title (UTF-8)
    char folder[GAMEINFO_FOLDER_BYTES + 1];          // the user folder's name, made of title
    char btnname[MAX_BUTTONS][GAMEINFO_NAME_SIZE];   // emulated button name overrides; "" = none
};

// The one instance: one player, title "None" until gameinfo_load, which start-up calls
// first of all loaders; constant afterwards.
extern GameInfo gameinfo;

// The user folder's name for a title: safe on every system, in any language. A byte a file
// name cannot hold (a separator, :*?"<>|, a control byte) becomes '_'; so does each dot or space
// of a name made of nothing else (".", "..") and each trailing one; a device name Windows
// reserves (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension) gets a '_'
// after it; the name is cut to GAMEINFO_FOLDER_BYTES on a UTF-8 character boundary; an empty
// title reads as "Game". A title that was safe already keeps its name, so no saves move.
void gameinfo_folder_name(const char *title, char *out, size_t size);

// Reads res/data into gameinfo; keys the file lacks take their defaults (title "Game") and
// folder is made of the title; without the file the initial values stay. players is held to 1..2.
void gameinfo_load(void);
