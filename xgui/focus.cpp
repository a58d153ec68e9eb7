// The focus of the open page: which widget it may rest on and where a direction takes it.
#include "xgui/focus.h"

#include <stdlib.h>

#include "xgui/xgui_internal.h"

int32_t xgui_focus = -1;

// The widget xgui_focus_activate asked to press, or -1; taken by the next xgui_update. Kept
// by index, so a move made before that update does not redirect the press.
static int32_t press_target = -1;

bool xgui_focusable(int32_t index)
{
    if (index < 0 || index >= xgui_count || index >= XGUI_MAX_WIDGETS || index == xgui_confirm)
        return false;
    const xgui_widget &w = xgui_widgets[index];
    return (w.type == XGUI_BUTTON || w.type == XGUI_CONFIRM || w.type == XGUI_TOGGLE) &&
           xgui_drawn(w);
}

// A widget's text line in overlay units; an empty text still has a column of its own.
struct Box {
    int64_t left, top, right, bottom;
};

static Box box_of(const xgui_widget &w)
{
    SDL_Rect extent;
    int64_t width = xgui_text(&extent, nullptr, 0, 0, 0, 0, w.text, false)->w;
    Box b;
    b.left = xgui_text_start(w);
    b.right = b.left + SDL_max(width, (int64_t)1);
    b.top = w.y;
    b.bottom = b.top + SDL_max(xgui_font.cell_h, 1);
    return b;
}

// How a candidate lies from the focused widget: sharing its row (or column) first, then the
// distance along the move plus twice the distance across it, centre to centre.
struct Score {
    bool off_line;
    int64_t cost;
};

static bool better(const Score &a, const Score &b)
{
    if (a.off_line != b.off_line)
        return !a.off_line;
    return a.cost < b.cost;
}

// The nearest focusable widget beyond from in direction (dx, dy), or -1. wrapped: every
// widget counts as beyond, measured from the far edge, as if the page repeated.
static int32_t nearest(const Box &from, int32_t skip, int32_t dx, int32_t dy, bool wrapped)
{
    const int64_t FAR = (int64_t)1 << 40;
    int64_t fx = from.left + from.right, fy = from.top + from.bottom;   // doubled centre
    if (wrapped) {
        fx = dx ? -dx * FAR : fx;
        fy = dy ? -dy * FAR : fy;
    }
    int32_t best = -1;
    Score best_score = {};
    int32_t count = SDL_min(xgui_count, XGUI_MAX_WIDGETS);
    for (int32_t i = 0; i < count; i++) {
        if (i == skip || !xgui_focusable(i))
            continue;
        Box c = box_of(xgui_widgets[i]);
        bool beyond = wrapped || (dx > 0 && c.left >= from.right) ||
                      (dx < 0 && c.right <= from.left) || (dy > 0 && c.top >= from.bottom) ||
                      (dy < 0 && c.bottom <= from.top);
        if (!beyond)
            continue;
        int64_t cx = c.left + c.right, cy = c.top + c.bottom;
        Score s;
        if (dx) {
            s.off_line = c.bottom <= from.top || c.top >= from.bottom;
            s.cost = llabs(cx - fx) + 2 * llabs(cy - fy);
        } else {
            s.off_line = c.right <= from.left || c.left >= from.right;
            s.cost = llabs(cy - fy) + 2 * llabs(cx - fx);
        }
        if (best < 0 || better(s, best_score)) {
            best = i;
            best_score = s;
        }
    }
    return best;
}

static int32_t first_focusable(int32_t home)
{
    if (xgui_focusable(home))
        return home;
    int32_t count = SDL_min(xgui_count, XGUI_MAX_WIDGETS);
    for (int32_t i = 0; i < count; i++)
        if (xgui_focusable(i))
            return i;
    return -1;
}

// The focus on its first widget; true when it was not shown before.
static bool show(int32_t home)
{
    if (xgui_focus >= 0 && xgui_focus < xgui_count && xgui_drawn(xgui_widgets[xgui_focus]))
        return false;
    xgui_focus = first_focusable(home);
    return true;
}

bool xgui_focus_move(int32_t dx, int32_t dy, int32_t home)
{
    int32_t before = xgui_focus;
    if (show(home))
        return xgui_focus != before;
    if ((dx == 0) == (dy == 0))
        return false;
    Box from = box_of(xgui_widgets[xgui_focus]);
    int32_t next = nearest(from, xgui_focus, dx, dy, false);
    if (next < 0)
        next = nearest(from, xgui_focus, dx, dy, true);
    if (next < 0 || next == xgui_focus)
        return false;
    xgui_focus = next;
    // Moving away from an armed button takes back its question.
    if (xgui_pending >= 0) {
        xgui_pending = -1;
        xgui_set_visible(xgui_confirm, 0);
    }
    return true;
}

void xgui_focus_activate(int32_t home)
{
    if (!show(home))
        press_target = xgui_focus;
}

int32_t xgui_focus_take_press(void)
{
    int32_t target = press_target;
    press_target = -1;
    return target;
}
