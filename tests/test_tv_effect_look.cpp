// The shipped TV effect is made cheap to run, and must keep the look of the effect it
// replaced (kept as tests/data/crtf_reference): frames of the game's picture through both
// differ by at most 2 % on average, and no single row (a scanline out of place, a band)
// stands out.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include <SDL.h>

#include "config/settings.h"
#include "video/video.h"
#include "video/video_state.h"
#include "record/ox_core.h"
#include "video/gl_path.h"
#include "video/present.h"
#include "support/gl_window.h"
#include "support/res_dir.h"

static const int WINDOW_W = 1920, WINDOW_H = 1080;
static const double MEAN_LIMIT = 0.02;  // of full scale, over the picture
static const double ROW_LIMIT = 0.05;   // of full scale, over any one row of the picture


class TvEffectLook : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(gl_window_open(WINDOW_W, WINDOW_H)) << SDL_GetError();
        VideoState &g = video_state();
        // A picture with detail: the shipped game a second in.
        ox_core_init(44100, 0);
        ASSERT_TRUE(ox_core_load(source_file("res/game").c_str()));
        g.screen_w = g.raster_w = ox_video_get_screen_width();
        g.screen_h = g.raster_h = ox_video_get_screen_height();
        g.window_w = WINDOW_W;
        g.window_h = WINDOW_H;
        video_recreate_frame_texture();
        for (int i = 0; i < 60; i++)
            ox_core_emulate();
        ox_video_render(g.pixels);
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
        settings.smoothing = true;
    }
    static void TearDownTestSuite()
    {
        ox_core_shut();
        SDL_Quit();
    }
    // The picture's pixels (0xAARRGGBB, top row first) as the given fragment stage draws it.
    static std::vector<uint32_t> draw(const char *fragment, SDL_Rect r)
    {
        std::string vertex = source_file("res/crtv");
        video_state().crt_program = build_crt_program(vertex.c_str(), source_file(fragment).c_str());
        EXPECT_TRUE(crt_program_usable()) << fragment;
        video_present_gl();
        std::vector<uint32_t> picture((size_t)r.w * r.h);
        EXPECT_EQ(SDL_RenderReadPixels(video_state().renderer, &r, SDL_PIXELFORMAT_ARGB8888,
                                       picture.data(), r.w * 4), 0) << SDL_GetError();
        return picture;
    }
};

TEST_F(TvEffectLook, FramesStayWithinTwoPercentOfTheReferenceEffect)
{
    for (bool stretch : {false, true}) {
        SCOPED_TRACE(stretch ? "stretch" : "whole multiples");
        settings.stretch = stretch;
        SDL_Rect r = picture_rect(WINDOW_W, WINDOW_H);
        r.x = SDL_max(r.x, 0);
        r.w = SDL_min(r.w, WINDOW_W);
        std::vector<uint32_t> reference = draw("tests/data/crtf_reference", r);
        std::vector<uint32_t> cheap = draw("res/crtf", r);
        double total = 0.0, worst_row = 0.0;
        for (int y = 0; y < r.h; y++) {
            double row = 0.0;
            for (int x = 0; x < r.w; x++)
                for (int shift = 0; shift < 24; shift += 8) {
                    size_t i = (size_t)y * r.w + x;
                    int a = (int)(reference[i] >> shift & 0xFF);
                    int b = (int)(cheap[i] >> shift & 0xFF);
                    row += abs(a - b);
                }
            row /= 3.0 * 255.0 * r.w;
            total += row;
            worst_row = SDL_max(worst_row, row);
        }
        printf("mean difference %.4f, worst row %.4f\n", total / r.h, worst_row);
        EXPECT_LT(total / r.h, MEAN_LIMIT);
        EXPECT_LT(worst_row, ROW_LIMIT);
    }
}
