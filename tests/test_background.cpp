// The background is drawn only around the opaque picture, from a copy scaled once per window
// size: every frame must stay pixel for pixel what drawing the whole background under the
// picture gives, on the GL path and on the SDL path (OpenGL and software renderers).
#include <gtest/gtest.h>

#include <stdlib.h>

#include <vector>

#include <SDL.h>
#include <SDL_opengl.h>

#include "config/settings.h"
#include "gfx/gl_quad.h"
#include "gfx/picture.h"
#include "record/gamestate.h"
#include "record/ox_core.h"
#include "video/back_fill.h"
#include "video/gl_path.h"
#include "video/present.h"

static const int WINDOW_W = 1920, WINDOW_H = 1080;

class Background : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        ox_core_init(44100, 0);
        GameState &g = gamestate;
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
        g.window =
            SDL_CreateWindow("", 0, 0, WINDOW_W, WINDOW_H, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        g.renderer = SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED);
        ASSERT_NE(nullptr, g.renderer) << SDL_GetError();
        gl_path_setup();
        ASSERT_TRUE(g.gl_path);
        g.screen_w = g.raster_w = ox_video_get_screen_width();
        g.screen_h = g.raster_h = ox_video_get_screen_height();
        g.window_w = WINDOW_W;
        g.window_h = WINDOW_H;
    }
    static void TearDownTestSuite()
    {
        ox_core_shut();
        SDL_Quit();
    }
    void TearDown() override { use_renderer(nullptr); }

    // Background and a picture with detail in every pixel, made for renderer.
    void use_renderer(SDL_Renderer *renderer)
    {
        GameState &g = gamestate;
        back_copy_release();
        if (g.back_texture)
            SDL_DestroyTexture(g.back_texture);
        g.back_texture = nullptr;
        if (!renderer)
            return;
        g.renderer = renderer;
        const char *root = getenv("TEST_SOURCE_DIR");
        std::string back = std::string(root ? root : ".") + "/res/back";
        g.back_texture = load_picture_texture(back.c_str(), renderer);
        ASSERT_NE(nullptr, g.back_texture);
        SDL_SetTextureScaleMode(g.back_texture, SDL_ScaleModeNearest);
        g.recreate_frame_texture();
        ASSERT_NE(nullptr, g.frame_texture);
        for (int i = 0; i < g.raster_w * g.raster_h; i++) {
            uint8_t *p = g.pixels + (size_t)i * 4;
            p[0] = (uint8_t)(i * 7);
            p[1] = (uint8_t)(i / g.raster_w * 3);
            p[2] = (uint8_t)(i % g.raster_w);
            p[3] = 0xFF;
        }
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
    }
    static std::vector<uint32_t> read(SDL_Renderer *renderer)
    {
        std::vector<uint32_t> frame((size_t)WINDOW_W * WINDOW_H);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, frame.data(),
                                       WINDOW_W * 4), 0) << SDL_GetError();
        return frame;
    }
    // Nothing of the drawing before may show through what is drawn next.
    static void wipe(SDL_Renderer *renderer)
    {
        SDL_SetRenderDrawColor(renderer, 0xFF, 0x00, 0xFF, 0xFF);
        SDL_RenderClear(renderer);
        SDL_SetRenderDrawColor(renderer, 0x00, 0x00, 0x00, 0xFF);
    }
    static size_t differing(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b)
    {
        size_t n = 0;
        for (size_t i = 0; i < a.size(); i++)
            n += (a[i] & 0xFFFFFF) != (b[i] & 0xFFFFFF);
        return n;
    }
    // The frame as the renderer path drew it before: the whole background, then the picture.
    static void draw_whole_sdl(SDL_Renderer *renderer)
    {
        GameState &g = gamestate;
        SDL_Rect all = {0, 0, WINDOW_W, WINDOW_H};
        SDL_RenderCopy(renderer, g.back_texture, nullptr, &all);
        SDL_Rect r = picture_rect(WINDOW_W, WINDOW_H);
        SDL_Rect src = {0, 0, g.raster_w, g.raster_h};
        SDL_RenderCopy(renderer, g.frame_texture, &src, &r);
    }
    // The same as the GL path drew it before, with the effect off.
    static void draw_whole_gl()
    {
        GameState &g = gamestate;
        auto use_program = (PFNGLUSEPROGRAMPROC)SDL_GL_GetProcAddress("glUseProgram");
        SDL_SetRenderTarget(g.renderer, nullptr);
        SDL_RenderClear(g.renderer);
        glViewport(0, 0, WINDOW_W, WINDOW_H);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, WINDOW_W, WINDOW_H, 0.0, 0.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        use_program((GLuint)g.default_program);
        gl_texture_quad(g.back_texture, 0.0f, 0.0f, (float)WINDOW_W, (float)WINDOW_H);
        SDL_Rect r = picture_rect(WINDOW_W, WINDOW_H);
        float x1 = (float)(r.x + r.w), y1 = (float)(r.y + r.h);
        gl_texture_quad(g.frame_texture, (float)r.x, (float)r.y, x1, y1);
        use_program((GLuint)g.default_program);
        glFinish();
    }
};

TEST_F(Background, GlFramesEqualTheWholeBackgroundDrawing)
{
    use_renderer(SDL_GetRenderer(gamestate.window));
    settings.smoothing = false;
    for (bool stretch : {false, true}) {
        SCOPED_TRACE(stretch ? "stretch" : "whole multiples");
        settings.stretch = stretch;
        draw_whole_gl();
        std::vector<uint32_t> whole = read(gamestate.renderer);
        wipe(gamestate.renderer);
        gamestate.present_gl();
        EXPECT_EQ(differing(whole, read(gamestate.renderer)), 0u);
    }
}

TEST_F(Background, RendererFramesEqualTheWholeBackgroundDrawing)
{
    SDL_Surface *surface =
        SDL_CreateRGBSurfaceWithFormat(0, WINDOW_W, WINDOW_H, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(nullptr, surface);
    SDL_Renderer *software = SDL_CreateSoftwareRenderer(surface);
    SDL_Renderer *renderers[] = {SDL_GetRenderer(gamestate.window), software};
    for (SDL_Renderer *renderer : renderers) {
        SCOPED_TRACE(renderer == software ? "software renderer" : "OpenGL renderer");
        use_renderer(renderer);
        for (bool stretch : {false, true}) {
            SCOPED_TRACE(stretch ? "stretch" : "whole multiples");
            settings.stretch = stretch;
            draw_whole_sdl(renderer);
            std::vector<uint32_t> whole = read(renderer);
            wipe(renderer);
            gamestate.present_sdl();
            EXPECT_EQ(differing(whole, read(renderer)), 0u);
        }
    }
    use_renderer(nullptr);
    SDL_DestroyTexture(gamestate.frame_texture);
    gamestate.frame_texture = nullptr;
    gamestate.renderer = SDL_GetRenderer(gamestate.window);
    SDL_DestroyRenderer(software);
    SDL_FreeSurface(surface);
}
