#include "input/labels.h"

// Names by SDL scancode; media keys reuse some names of the main block.
static const char *const KEY_NAMES[KEY_NAME_COUNT] = {
    /*   0 */ "Unk", "Unk", "Unk", "Unk", "A", "B", "C", "D",
    /*   8 */ "E", "F", "G", "H", "I", "J", "K", "L",
    /*  16 */ "M", "N", "O", "P", "Q", "R", "S", "T",
    /*  24 */ "U", "V", "W", "X", "Y", "Z", "1", "2",
    /*  32 */ "3", "4", "5", "6", "7", "8", "9", "0",
    /*  40 */ "Enter", "Esc", "Back", "Tab", "Space", "-", "=", "[",
    /*  48 */ "]", "\\", "Unk", ";", "'", "~", ",", ".",
    /*  56 */ "/", "CapsLock", "F1", "F2", "F3", "F4", "F5", "F6",
    /*  64 */ "F7", "F8", "F9", "F10", "F11", "F12", "PrScr", "ScrLock",
    /*  72 */ "Pause", "Insert", "Home", "PgUp", "Delete", "End", "PgDown", "Right",
    /*  80 */ "Left", "Down", "Up", "NumLock", "KP /", "KP *", "KP -", "KP +",
    /*  88 */ "KP Enter", "KP 1", "KP 2", "KP 3", "KP 4", "KP 5", "KP 6", "KP 7",
    /*  96 */ "KP 8", "KP 9", "KP 0", "KP .", "Unk", "App", "Power", "KP =",
    /* 104 */ "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20",
    /* 112 */ "F21", "F22", "F23", "F24", "Exec", "Help", "Menu", "Select",
    /* 120 */ "Stop", "Redo", "Undo", "Cut", "Copy", "Paste", "Find", "Mute",
    /* 128 */ "Vol+", "Vol-", "Unk", "Unk", "Unk", "KP ,", "KP =", "Int1",
    /* 136 */ "Int2", "Int3", "Int4", "Int5", "Int6", "Int7", "Int8", "Int9",
    /* 144 */ "Lang1", "Lang2", "Lang3", "Lang4", "Lang5", "Lang6", "Lang7", "Lang8",
    /* 152 */ "Lang9", "AltErase", "SysReq", "Cancel", "Clear", "Prior", "Enter2", "Sep",
    /* 160 */ "Out", "Oper", "ClrAgain", "CrSel", "ExSel", "Unk", "Unk", "Unk",
    /* 168 */ "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk",
    /* 176 */ "KP 00", "KP 000", "ThouSep", "DecSep", "CurrUnit", "CurrSub", "KP (", "KP )",
    /* 184 */ "KP [", "KP ]", "KP Tab", "KP Back", "KP A", "KP B", "KP C", "KP D",
    /* 192 */ "KP E", "KP F", "KP Xor", "KP Pow", "KP %", "KP <", "KP >", "KP &",
    /* 200 */ "KP &&", "KP |", "KP ||", "KP :", "KP #", "KP Space", "KP @", "KP !",
    /* 208 */ "KP MSTR", "KP MREC", "KP MCLR", "KP MADD", "KP MSUB", "KP MMUL", "KP MDIV", "KP +-",
    /* 216 */ "KP Clear", "KP ClEntry", "KP Bin", "KP Oct", "KP Dec", "KP Hex", "Unk", "Unk",
    /* 224 */ "L.Ctrl", "L.Shift", "L.Alt", "L.Win", "R.Ctrl", "R.Shift", "R.Alt", "R.Win",
    /* 232 */ "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk",
    /* 240 */ "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk",
    /* 248 */ "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk", "Unk",
    /* 256 */ "Unk", "Mode", "Next", "Prev", "Stop", "Play", "Mute", "Select",
    /* 264 */ "WWW", "Mail", "Calc", "Comp", "Search", "Home", "Back", "Forward",
    /* 272 */ "Stop", "Refresh", "Bookmark", "Br-", "Br+", "Display", "Toggle", "Down",
    /* 280 */ "Up", "Eject", "Sleep", "App1", "App2", "REV", "FWD",
};

const char *key_name(int32_t scancode)
{
    if (scancode < 0 || scancode >= KEY_NAME_COUNT)
        return "Unk";
    return KEY_NAMES[scancode];
}
