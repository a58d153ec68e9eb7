// The OpenGL presentation on Mesa's software OpenGL through SDL's offscreen driver: where the
// picture lands, what goes through the CRT program, a shader that does not compile, the
// overlay drawn with GL against the renderer back end, and the background around the picture
// on both paths. The shipped TV effect: e2e_tv_effect.sh.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <SDL.h>
#include <SDL_opengl.h>

#include "base/file_read.h"
#include "base/log.h"
#include "base/paths.h"
#include "config/settings.h"
#include "gfx/picture.h"
#include "record/ox_core.h"
#include "video/video.h"
#include "video/video_state.h"
#include "video/back_fill.h"
#include "video/gl_path.h"
#include "video/present.h"
#include "support/gl_window.h"
#include "xgui_test_files.h"

static const uint32_t BLACK = 0, ANY = 0xFFFFFFFF, PLAIN = 0xFFFFFFFE;  // PLAIN: the picture
static const uint32_t PICTURE = 0x606060, MARK = 0xE01030;  // the component's picture; its mark
static const uint32_t SOLID = 0x4038CC, BACKDROP = 0x0AC81E;  // solid_crtf's colour; background
static const int MARK_SIZE = 8;             // the mark: top-left pixels, to see orientation

static int channel_diff(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = SDL_max(d, abs((int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF)));
    return d;
}

class GlPath : public ::testing::Test {
protected:
    static inline ResDir *res;    // exe_dir and the current directory: res/crtv, res/crtf, log
    std::vector<uint32_t> frame;  // 0xRRGGBB, top row first, of the last read
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
        VideoState &g = video_state();
        g.screen_w = g.raster_w = ox_video_get_screen_width();
        g.screen_h = g.raster_h = ox_video_get_screen_height();
        video_recreate_frame_texture();
        for (int i = 0; i < g.raster_w * g.raster_h; i++) {  // a flat picture with the mark
            uint32_t c = i % g.raster_w < MARK_SIZE && i / g.raster_w < MARK_SIZE ? MARK : PICTURE;
            uint8_t *p = g.pixels + (size_t)i * 4;
            p[0] = (uint8_t)(c >> 16);
            p[1] = (uint8_t)(c >> 8);
            p[2] = (uint8_t)c;
            p[3] = 0xFF;
        }
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
        ASSERT_NE(nullptr, g.frame_texture);
        ASSERT_TRUE(crt_program_usable());
        ASSERT_TRUE(xgui_init(res->path("").c_str(), g.renderer));
        settings.stretch = false;
    }
    static void TearDownTestSuite()
    {
        xgui_free();
        ox_core_shut();
        SDL_Quit();
        delete res;
    }
    void SetUp() override
    {
        xgui_reset();
        xgui_set_open(false);
        xgui_alpha = 0;
    }
    void set_window(int w, int h)
    {
        SDL_SetWindowSize(video_state().window, w, h);
        video_state().window_w = w;
        video_state().window_h = h;
        fw = w;
        fh = h;
    }
    // The offscreen surface keeps its back buffer across the swap.
    void present_and_read()
    {
        video_present_gl();
        read();
    }
    void read()
    {
        frame.assign((size_t)fw * fh, 0);
        ASSERT_EQ(SDL_RenderReadPixels(video_state().renderer, nullptr, SDL_PIXELFORMAT_RGB888,
                                       frame.data(), fw * 4), 0) << SDL_GetError();
    }
    uint32_t at(int x, int y) const { return frame[(size_t)y * fw + x] & 0xFFFFFF; }
    // "" when every pixel is within slack of expected(x, y) in each channel, else what is not.
    template <typename F> std::string mismatches(F expected, int slack)
    {
        int bad = 0;
        char first[80] = "";
        for (int y = 0; y < fh; y++)
            for (int x = 0; x < fw; x++) {
                const uint32_t want = expected(x, y);
                const uint32_t got = at(x, y);
                if (want == ANY || channel_diff(got, want) <= slack)
                    continue;
                if (bad == 0)
                    snprintf(first, sizeof first, "at %d,%d want %06X, got %06X", x, y, want, got);
                bad++;
            }
        return bad ? std::to_string(bad) + " pixels differ, first " + first : "";
    }
    // Loads the shipped background for the current renderer, as the start-up does.
    static void load_back()
    {
        VideoState &g = video_state();
        g.back_texture = load_picture_texture(source_file("res/back").c_str(), g.renderer);
        ASSERT_NE(nullptr, g.back_texture);
        SDL_SetTextureScaleMode(g.back_texture, SDL_ScaleModeNearest);
    }
    static void drop_back()
    {
        back_copy_release();
        SDL_DestroyTexture(video_state().back_texture);
        video_state().back_texture = nullptr;
    }
    // The frame read as drawing the whole background under the picture gives; then a clear in
    // a colour of its own, so nothing of it can show through what is drawn next.
    std::vector<uint32_t> whole_background_frame()
    {
        VideoState &g = video_state();
        SDL_Rect all = {0, 0, fw, fh};
        SDL_Rect src = {0, 0, g.raster_w, g.raster_h};
        SDL_Rect r = picture_rect(fw, fh);
        SDL_RenderCopy(g.renderer, g.back_texture, nullptr, &all);
        SDL_RenderCopy(g.renderer, g.frame_texture, &src, &r);
        read();
        SDL_SetRenderDrawColor(g.renderer, 0xFF, 0x00, 0xFF, 0xFF);
        SDL_RenderClear(g.renderer);
        SDL_SetRenderDrawColor(g.renderer, 0x00, 0x00, 0x00, 0xFF);
        return frame;
    }
    // Mismatches against inside (or the PLAIN picture) on picture_rect, outside elsewhere.
    std::string rect_mismatches(uint32_t inside, uint32_t outside, int slack)
    {
        SDL_Rect r = picture_rect(fw, fh);
        return mismatches([&](int x, int y) {
            bool out = x < r.x || y < r.y || x >= r.x + r.w || y >= r.y + r.h;
            if (out || inside != PLAIN)
                return out ? outside : inside;
            return (x - r.x) * video_state().raster_w / r.w < MARK_SIZE &&
                   (y - r.y) * video_state().raster_h / r.h < MARK_SIZE ? MARK : PICTURE;
        }, slack);
    }
};

// The first frame ever drawn, and the first after each size change, put the picture on its
// rectangle: nothing of SDL's viewport or projection is relied on. Only the picture goes
// through the CRT program (the test program paints it flat), not the background or overlay.
TEST_F(GlPath, PictureLandsOnItsRectangleFromTheFirstFrame)
{
    SDL_Texture *back = SDL_CreateTexture(video_state().renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STATIC, 64, 36);
    std::vector<uint32_t> texels(64 * 36, 0xFF000000 | BACKDROP);
    ASSERT_EQ(SDL_UpdateTexture(back, nullptr, texels.data(), 64 * 4), 0) << SDL_GetError();
    const int sizes[][2] = {
        {768, 672},
        {515, 451},
    };
    for (bool effect : {false, true}) {
        settings.smoothing = effect;
        video_state().back_texture = effect ? back : nullptr;
        for (const auto &s : sizes) {
            set_window(s[0], s[1]);
            present_and_read();
            EXPECT_EQ(rect_mismatches(effect ? SOLID : PLAIN, effect ? BACKDROP : BLACK, 1), "")
                << s[0] << "x" << s[1] << " effect " << effect;
        }
    }
    video_state().back_texture = nullptr;
    SDL_DestroyTexture(back);
}

// A broken fragment shader is logged with the driver's info log (naming what the compiler
// refused), and the TV effect draws the plain picture. Missing shader files: e2e_tv_effect.sh.
TEST_F(GlPath, BrokenShaderLeavesThePlainPicture)
{
    settings.smoothing = true;
    set_window(768, 672);
    const size_t before = read_whole_file("res/log").size();
    video_state().crt_program =
        build_crt_program("res/crtv", source_file("tests/data/broken_crtf").c_str());
    const std::string log = read_whole_file("res/log").substr(before);
    EXPECT_EQ(0u, log.find("Error: Compiling fragment shader\n")) << log;
    EXPECT_NE(std::string::npos, log.find("no_such_colour")) << "the driver's info log is missing:\n" << log;
    EXPECT_FALSE(crt_program_usable());
    present_and_read();
    EXPECT_EQ(rect_mismatches(PLAIN, BLACK, 0), "");
    video_state().crt_program = build_crt_program("res/crtv", "res/crtf");  // the test pair again
    ASSERT_TRUE(crt_program_usable());
}

// A shader object that cannot be created is logged as a line of its own.
TEST_F(GlPath, AShaderThatCannotBeCreatedIsALineOfItsOwn)
{
    std::string text;
    log_defer(&text);
    EXPECT_EQ(compile_shader("", GL_TEXTURE_2D), 0u);  // not a shader type: no shader object
    log_defer(nullptr);
    while (glGetError() != GL_NO_ERROR) {
    }
    EXPECT_EQ(text, "Error: Can't create fragment shader\n");
}

// Both overlay back ends on the same rasteriser draw the same pixels, the 24-bit preview
// included (mended fault: GL read its padding byte as alpha 0 and drew it invisible). GL
// places the overlay picture's sides in floating point: a column at each side may differ.
TEST_F(GlPath, OverlayMatchesTheRendererBackEnd)
{
    const int w = 1920;
    const int h = 1080;
    settings.smoothing = false;
    set_window(w, h);
    xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
    xgui_set_selected(xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M?$", XGUI_ALIGN_RIGHT), 1);
    xgui_add(XGUI_LABEL, -1, 20, 1000, "page-wide label", 0);
    int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
    xgui_set_picture(picture, video_state().renderer, "res/0P");
    xgui_set_open(true);
    for (int i = 0; i < 16; i++)  // half faded in: blending shows in every pixel
        xgui_update(0, 0, 0);
    xgui_update(435, 305, 0);  // the button hovered: yellow
    // The renderer back end: the same frame from SDL copies, read before presenting.
    SDL_Rect r = picture_rect(w, h);
    SDL_RenderClear(video_state().renderer);
    SDL_RenderCopy(video_state().renderer, video_state().frame_texture, nullptr, &r);
    xgui_draw(video_state().renderer, w, h);
    read();
    const std::vector<uint32_t> sdl = frame;
    SDL_RenderPresent(video_state().renderer);
    present_and_read();
    XguiMapping map = xgui_mapping(w, h);
    SDL_Rect pv = xgui_picture_rect(map, xgui_widgets[picture]);
    const int cx = pv.x + pv.w / 2;
    EXPECT_GT(channel_diff(at(cx, pv.y + pv.h / 2), at(cx, pv.y - 2)), 8)
        << "the 24-bit preview does not show on the GL overlay";
    auto sdl_at = [&](int x, int y) {
        bool side = abs(x - map.off) <= 1 || abs(x - map.off - map.sw) <= 1;
        return side ? ANY : sdl[(size_t)y * w + x] & 0xFFFFFF;
    };
    EXPECT_EQ(mismatches(sdl_at, 1), "");
}

// Validation judges the state bound when it runs and fails spuriously on some drivers: a
// program that linked is used even when it does not validate.
TEST_F(GlPath, LinkedProgramIsUsedThoughItFailsValidation)
{
    auto get_programiv = (PFNGLGETPROGRAMIVPROC)SDL_GL_GetProcAddress("glGetProgramiv");
    ASSERT_NE(get_programiv, nullptr);
    const std::string unvalidated = source_file("tests/data/unvalidated_crtf");
    video_state().crt_program = build_crt_program("res/crtv", unvalidated.c_str());
    GLint valid = GL_TRUE;
    get_programiv(video_state().crt_program, GL_VALIDATE_STATUS, &valid);
    ASSERT_EQ(valid, GL_FALSE) << "the test shader validated: it proves nothing";
    EXPECT_TRUE(crt_program_usable());
    video_state().crt_program = build_crt_program("res/crtv", "res/crtf");
}

// The background is drawn only around the opaque picture, from a copy scaled once per window
// size: a frame must stay pixel for pixel what drawing the whole background under it gives.
TEST_F(GlPath, BackgroundAroundThePictureEqualsTheWholeBackground)
{
    settings.smoothing = false;
    set_window(1920, 1080);
    load_back();
    const std::vector<uint32_t> whole = whole_background_frame();
    auto expected = [&](int x, int y) { return whole[(size_t)y * fw + x] & 0xFFFFFF; };
    present_and_read();
    EXPECT_EQ(mismatches(expected, 0), "") << "the copy's first frame";
    // Later frames copy the strips with blits; the frame is cleared to another colour first,
    // since this surface keeps the last frame.
    SDL_SetRenderDrawColor(video_state().renderer, 255, 0, 255, 255);
    SDL_RenderClear(video_state().renderer);
    SDL_SetRenderDrawColor(video_state().renderer, 0, 0, 0, 255);
    present_and_read();
    EXPECT_EQ(mismatches(expected, 0), "") << "a later frame";
    drop_back();
}

// The same on the renderer path, which the player takes on any renderer but desktop OpenGL.
TEST_F(GlPath, SoftwareRendererBackgroundEqualsTheWholeBackground)
{
    VideoState &g = video_state();
    SDL_Renderer *gl = g.renderer;
    SDL_Texture *gl_frame = g.frame_texture;
    SDL_Surface *surface = SDL_CreateRGBSurfaceWithFormat(0, 1920, 1080, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(nullptr, surface);
    g.renderer = SDL_CreateSoftwareRenderer(surface);
    g.frame_texture = nullptr;
    video_recreate_frame_texture();
    SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
    set_window(1920, 1080);
    load_back();
    const std::vector<uint32_t> whole = whole_background_frame();
    video_present_sdl();
    read();
    EXPECT_EQ(mismatches([&](int x, int y) { return whole[(size_t)y * fw + x] & 0xFFFFFF; }, 0), "");
    drop_back();
    SDL_DestroyTexture(g.frame_texture);
    SDL_DestroyRenderer(g.renderer);
    SDL_FreeSurface(surface);
    g.frame_texture = gl_frame;
    g.renderer = gl;
}

// The shader files: the current folder's pair first, then the pair beside the executable, so a
// launcher that starts the player elsewhere keeps the effect; with no pair anywhere, the
// current folder's names, whose absence reading them logs.
TEST(ShaderPaths, TheCurrentFolderFirstThenBesideTheExecutable)
{
    ResDir here, beside;
    ASSERT_EQ(chdir(here.path("").c_str()), 0);
    const std::string beside_vertex = beside.path("res/crtv");
    const struct { const char *name; int here_files, beside_files; std::string want; } cases[] = {
        {"both folders hold a pair: the current folder's", 2, 2, "res/crtv"},
        {"only beside the executable", 0, 2, beside_vertex},
        {"half a pair here: the pair beside the executable", 1, 2, beside_vertex},
        {"no pair anywhere: the current folder's names", 0, 1, "res/crtv"},
    };
    for (const auto &c : cases) {
        for (ResDir *dir : {&here, &beside}) {
            const int files = dir == &here ? c.here_files : c.beside_files;
            dir->remove("res/crtv");
            dir->remove("res/crtf");
            if (files >= 1)
                dir->write("res/crtv", "void main() {}");
            if (files >= 2)
                dir->write("res/crtf", "void main() {}");
        }
        char vertex[PATH_BUFFER_SIZE], fragment[PATH_BUFFER_SIZE];
        shader_paths(beside.path("").c_str(), vertex, fragment, sizeof vertex);
        EXPECT_EQ(vertex, c.want) << c.name;
    }
}
