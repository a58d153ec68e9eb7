// Prints where the overlay pages put their widgets, so that the end-to-end scripts click
// and compare the places the pages define instead of coordinates of their own. One line
// per widget: NAME X Y W H, its text line (or picture) in overlay units; "slotN_preview" is
// the box a slot's preview is centred in. "reset_ok" and
// "quit_ok" are the "OK?" prompt each of those arms. Run with SDL's dummy video driver;
// the argument is the source folder, for the font.
#include <stdio.h>
#include <string>

#include <SDL.h>

#include "ui/page_widgets.h"
#include "xgui/xgui_internal.h"

static void print_rect(const std::string &name, int32_t index)
{
    if (index < 0)
        return;
    const xgui_widget &w = xgui_widgets[index];
    SDL_Rect r;
    if (w.type == XGUI_PICTURE)
        r = xgui_picture_rect(xgui_mapping(XGUI_OVERLAY_W, XGUI_OVERLAY_H), w);
    else
        xgui_text(&r, nullptr, 0, 0, xgui_text_start(w), w.y, w.text, false);
    printf("%s %d %d %d %d\n", name.c_str(), r.x, r.y, r.w, r.h);
}

// The prompt a click on confirm widget index shows.
static void print_prompt(const std::string &name, int32_t index)
{
    const xgui_widget &w = xgui_widgets[index];
    xgui_set_open(true);
    xgui_update(xgui_text_start(w) + 2, w.y + xgui_font.cell_h / 2, 1);
    print_rect(name, xgui_confirm);
    xgui_set_open(false);
}

int main(int argc, char **argv)
{
    if (argc != 2 || SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window *window = SDL_CreateWindow("", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
    SDL_Renderer *renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    if (!renderer || !xgui_init((std::string(argv[1]) + "/").c_str(), renderer))
        return 1;
    pages_build();
    const MenuWidgets &m = menu_widgets;
    print_rect("play", m.play);
    print_rect("reset", m.reset);
    print_rect("quit", m.quit);
    print_rect("fullscreen", m.fullscreen);
    for (int i = 0; i < MENU_WINDOW_SCALES; i++)
        print_rect("window" + std::to_string(MENU_FIRST_WINDOW_SCALE + i), m.window[i]);
    print_rect("stretch", m.stretch);
    print_rect("tv_shape", m.shape);
    print_rect("change_keys", m.change_keys);
    print_rect("focus_pause", m.focus_pause);
    print_rect("less_lag", m.less_lag);
    for (int n = 0; n < SLOTS_COUNT; n++) {
        print_rect("slot" + std::to_string(n) + "_picture", m.slot_picture[n]);
        print_rect("slot" + std::to_string(n) + "_load", m.slot_load[n]);
        print_rect("slot" + std::to_string(n) + "_save", m.slot_save[n]);
        print_rect("slot" + std::to_string(n) + "_time", m.slot_time[n]);
        const SDL_Rect box = slot_places(n).preview;
        printf("slot%d_preview %d %d %d %d\n", n, box.x, box.y, box.w, box.h);
    }
    const KeysWidgets &k = keys_widgets;
    for (int b = 0; b < k.rows; b++)
        for (int s = 0; s < MAX_SLOTS; s++)
            print_rect("cell" + std::to_string(b) + "_" + std::to_string(s), k.cell[b][s]);
    print_rect("back", k.back);
    print_prompt("reset_ok", m.reset);
    print_prompt("quit_ok", m.quit);
    xgui_free();
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
