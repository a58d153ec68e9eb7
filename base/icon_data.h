// The window icon compiled into the executable (made by tools/make_icon.py).
#pragma once

#define PLAYER_ICON_SIZE 48

// PLAYER_ICON_SIZE x PLAYER_ICON_SIZE pixels, bytes R, G, B, A, rows packed.
extern const unsigned char PLAYER_ICON_RGBA[PLAYER_ICON_SIZE * PLAYER_ICON_SIZE * 4];
