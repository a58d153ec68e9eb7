// The OpenGL presentation path on Mesa's software OpenGL through SDL's offscreen driver:
// one set-up for every test of the GL path, and the frames it draws read back.
#pragma once

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <SDL.h>

#include "base/log.h"
#include "config/settings.h"
#include "core_api/ox_core.h"
#include "gfx/picture.h"
#include "video/present.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/gl_path.h"
#include "support/frame_read.h"
#include "support/res_dir.h"
#include "xgui_test_files.h"

// A w x h window with SDL's OpenGL renderer in the running state and the GL path set up on
// it, and the frame texture for the component's screen, as the start-up does; false (SDL's
// error set) when any of it fails. The offscreen drawing surface keeps its first size, so a
// test that resizes starts at its largest. The component must be started first.
inline bool gl_window_open(int w, int h)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
    VideoState &g = video_state();
    g.window = SDL_CreateWindow("", 0, 0, w, h, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    g.renderer = g.window ? SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    SDL_RendererInfo info;
    if (!g.renderer || SDL_GetRendererInfo(g.renderer, &info) != 0 || strcmp(info.name, "opengl") != 0)
        return false;
    gl_path_setup();
    g.screen_w = g.raster_w = ox_video_get_screen_width();
    g.screen_h = g.raster_h = ox_video_get_screen_height();
    video_recreate_frame_texture();
    return g.gl_path && g.frame_texture;
}

static const uint32_t BLACK = 0;
static const uint32_t PLAIN = 0xFFFFFFFE;    // the picture as the component made it
static const uint32_t PICTURE = 0x606060;    // the component's picture
static const uint32_t MARK = 0xE01030;       // its top-left pixels, to see its orientation
static const int MARK_SIZE = 8;
static const uint32_t SOLID = 0x4038CC;      // what solid_crtf paints

// The GL path's tests, on a 1920 x 1080 window: the test shader pair (res/crtv, res/crtf paint
// the picture SOLID) in the current folder, the toolkit's files and the log beside it, the
// component started for its screen size.
class GlPathFixture : public ::testing::Test {
protected:
    static inline ResDir *res;   // exe_dir and the current directory: res/crtv, res/crtf, log
    std::vector<uint32_t> frame;
    int fw = 0, fh = 0;
    static void SetUpTestSuite()
    {
        res = new ResDir;
        ASSERT_TRUE(log_open(res->path("res/log").c_str()));
        res->write("res/crtv", read_whole_file(source_file("tests/data/solid_crtv")));
        res->write("res/crtf", read_whole_file(source_file("tests/data/solid_crtf")));
        ASSERT_TRUE(test_write_res(*res));
        ASSERT_EQ(chdir(res->path("").c_str()), 0);
        ox_core_init(44100, 0);
        ASSERT_TRUE(gl_window_open(1920, 1080)) << SDL_GetError();
        ASSERT_TRUE(crt_program_usable());
        ASSERT_TRUE(xgui_init(res->path("").c_str(), video_state().renderer));
    }
    // A flat picture with the mark.
    static void fill_picture(uint32_t picture = PICTURE, uint32_t mark_colour = MARK)
    {
        VideoState &g = video_state();
        for (int i = 0; i < g.raster_w * g.raster_h; i++) {
            const bool mark = i % g.raster_w < MARK_SIZE && i / g.raster_w < MARK_SIZE;
            const uint32_t c = mark ? mark_colour : picture;
            const uint8_t rgba[] = {(uint8_t)(c >> 16), (uint8_t)(c >> 8), (uint8_t)c, 0xFF};
            memcpy(g.pixels + (size_t)i * 4, rgba, 4);
        }
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
    }
    static void TearDownTestSuite()
    {
        xgui_free();
        ox_core_shut();
        SDL_Quit();
        delete res;
    }
    // The flat picture through the test program, unstretched, the overlay closed.
    void SetUp() override
    {
        settings.stretch = false;
        video_state().crt_program = build_crt_program("res/crtv", "res/crtf");
        fill_picture();
        xgui_reset();
        xgui_set_open(false);
        xgui_alpha = 0;
    }
    // The background goes with the test that loaded it.
    void TearDown() override
    {
        if (video_state().back_texture)
            SDL_DestroyTexture(video_state().back_texture);
        video_state().back_texture = nullptr;
    }
    // The toolkit's scene under a page-wide label, half faded in (blending shows in every
    // pixel), its button hovered.
    static void open_overlay_scene()
    {
        xgui_add(XGUI_LABEL, -1, 20, 1000, "page-wide label", 0);
        test_add_scene(video_state().renderer, "M?$", "res/0P");
        for (int i = 0; i < 16; i++)
            xgui_update(0, 0, 0);
        xgui_update(435, 305, 0);
    }
    // The demo game's picture after frames frames, uploaded as the frame; false when the game
    // does not load or its raster is not the frame texture's.
    static bool show_game_picture(int frames)
    {
        VideoState &g = video_state();
        if (!ox_core_load(source_file("res/game").c_str()))
            return false;
        const int w = ox_video_get_raster_width();
        if (raster_step(w, ox_video_get_raster_height(), g.raster_w, g.raster_h) != RASTER_KEEP)
            return false;
        for (int i = 0; i < frames; i++)
            ox_core_emulate();
        ox_video_render(g.pixels);
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
        return true;
    }
    // The frame presented through the CRT program of the shipped vertex shader and fragment (a
    // file of the source tree); false when that program did not link.
    bool present_through(const char *fragment)
    {
        const std::string vertex = source_file("res/crtv");
        video_state().crt_program = build_crt_program(vertex.c_str(), source_file(fragment).c_str());
        present_and_read();
        return crt_program_usable();
    }
    void set_window(int w, int h)
    {
        SDL_SetWindowSize(video_state().window, w, h);
        video_state().window_w = fw = w;
        video_state().window_h = fh = h;
    }
    // The offscreen surface keeps its back buffer across the swap.
    void present_and_read()
    {
        video_present_gl();
        read();
    }
    // Then clears in a colour of its own, so nothing of this frame can show through the next.
    void read()
    {
        frame = read_frame(video_state().renderer, fw, fh);
        SDL_SetRenderDrawColor(video_state().renderer, 0xFF, 0x00, 0xFF, 0xFF);
        SDL_RenderClear(video_state().renderer);
        SDL_SetRenderDrawColor(video_state().renderer, 0x00, 0x00, 0x00, 0xFF);
    }
    // The shipped background loaded for the current renderer, and the frame that drawing it
    // whole under the picture and the overlay, through the renderer back end, gives (then presented).
    std::vector<uint32_t> whole_background_frame()
    {
        VideoState &g = video_state();
        g.back_texture = load_picture_texture(source_file("res/back").c_str(), g.renderer);
        EXPECT_NE(nullptr, g.back_texture);
        SDL_SetTextureScaleMode(g.back_texture, SDL_ScaleModeNearest);
        const SDL_Rect all = {0, 0, fw, fh};
        const SDL_Rect r = picture_rect(fw, fh);
        SDL_RenderCopy(g.renderer, g.back_texture, nullptr, &all);
        SDL_RenderCopy(g.renderer, g.frame_texture, nullptr, &r);
        xgui_draw(g.renderer, fw, fh);
        read();
        SDL_RenderPresent(g.renderer);
        return frame;
    }
};
