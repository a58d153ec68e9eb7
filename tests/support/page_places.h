// Where the overlay's pages put things, read back for tests of their layout, in overlay units.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <SDL.h>

#include "ui/page_widgets.h"
#include "xgui/xgui_internal.h"

using NamedRects = std::vector<std::pair<std::string, SDL_Rect>>;

// The box a widget's text takes.
inline SDL_Rect text_rect(int32_t index)
{
    const xgui_widget &w = xgui_widgets[index];
    SDL_Rect r;
    xgui_text(&r, nullptr, 0, 0, xgui_text_start(w), w.y, w.text, false);
    return r;
}

// True when a lies wholly inside b.
inline bool rect_inside(const SDL_Rect &a, const SDL_Rect &b)
{
    SDL_Rect common;
    return SDL_IntersectRect(&a, &b, &common) && common.x == a.x && common.y == a.y && common.w == a.w &&
           common.h == a.h;
}

// Every item of the menu page with text, labels aside, named by it (a toggle's box takes in
// its check mark), then each slot's preview box and the line under it.
inline NamedRects menu_page_places()
{
    NamedRects placed;
    for (int32_t i = 0; i < xgui_count; i++) {
        const xgui_widget &w = xgui_widgets[i];
        if (w.page != MENU_PAGE || w.type == XGUI_PICTURE || w.type == XGUI_NONE || w.type == XGUI_LABEL ||
            !w.text[0])
            continue;
        SDL_Rect r = text_rect(i);
        if (w.type == XGUI_TOGGLE) {
            const int32_t check_x = xgui_check_x(xgui_text_start(w));
            r.w += r.x - check_x;
            r.x = check_x;
        }
        placed.push_back({w.text, r});
    }
    for (int n = 0; n < SLOTS_COUNT; n++) {
        const SlotPlaces p = slot_places(n);
        placed.push_back({"preview " + std::to_string(n), p.preview});
        placed.push_back({"text line " + std::to_string(n), p.text_line});
    }
    return placed;
}
