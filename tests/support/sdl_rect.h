// SDL_Rect compared and printed by value, so a test can EXPECT_EQ rectangles and lists of them.
#pragma once

#include <ostream>

#include <SDL.h>

inline bool operator==(const SDL_Rect &a, const SDL_Rect &b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

inline std::ostream &operator<<(std::ostream &out, const SDL_Rect &r)
{
    return out << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}";
}
