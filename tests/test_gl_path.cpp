// The OpenGL presentation in process, on Mesa's software OpenGL through SDL's offscreen video
// driver: where the picture lands on the first frame and after size changes, what goes
// through the CRT program and what does not, shader build failures, the shipped TV effect's
// scanlines, and the overlay drawn with GL against the renderer back end.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_opengl.h>

#include "app/log.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "video/gamestate.h"
#include "video/gl_path.h"
#include "video/present.h"
#include "xgui_test_files.h"

static const uint32_t BLACK = 0x000000;
static const uint32_t PICTURE = 0x606060;    // the component's flat picture
static const uint32_t MARK = 0xE01030;       // its top-left 8 x 8 pixels, to see orientation
static const uint32_t SOLID = 0x4038CC;      // tests/data/solid_crtf for a 256 x 224 screen
static const uint32_t BACKDROP = 0x0AC81E;   // background picture
static const uint32_t ANY = 0xFFFFFFFF;      // an expected colour that matches every pixel
static const int MARK_SIZE = 8;

static std::string source_file(const char *name)
{
    const char *root = getenv("TEST_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + name;
}

static int channel_diff(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = SDL_max(d, abs((int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF)));
    return d;
}

class GlPath : public ::testing::Test {
protected:
    static ResDir *res;          // exe_dir and the current directory: res/crtv, res/crtf, log
    size_t log_seen = 0;         // log bytes that belong to earlier steps
    std::vector<uint32_t> frame; // 0xRRGGBB, top row first, of the last read
    int frame_w = 0, frame_h = 0;

    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        res = new ResDir;
        ASSERT_TRUE(log_open(res->path("res/log").c_str()));
        res->write("res/crtv", read_whole_file(source_file("tests/data/solid_crtv")));
        res->write("res/crtf", read_whole_file(source_file("tests/data/solid_crtf")));
        ASSERT_TRUE(test_write_res(*res));
        ASSERT_EQ(chdir(res->path("").c_str()), 0);
        ox_core_init(44100, 0);

        // The start-up steps that make the window, the renderer and the GL path. Offscreen
        // surfaces keep their first size, so the window starts at the largest size tested.
        GameState &g = gamestate;
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
        g.window = SDL_CreateWindow("", 0, 0, 1920, 1080, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        ASSERT_NE(g.window, nullptr) << SDL_GetError();
        g.renderer = SDL_CreateRenderer(g.window, -1, SDL_RENDERER_ACCELERATED);
        ASSERT_NE(g.renderer, nullptr) << SDL_GetError();
        SDL_RendererInfo info;
        ASSERT_EQ(SDL_GetRendererInfo(g.renderer, &info), 0);
        ASSERT_STREQ(info.name, "opengl");
        gl_path_setup();
        g.screen_w = g.raster_w = ox_video_get_screen_width();
        g.screen_h = g.raster_h = ox_video_get_screen_height();
        g.recreate_frame_texture();
        ASSERT_NE(g.frame_texture, nullptr);
        // What the component renders: a flat colour with the orientation mark.
        for (int i = 0; i < g.raster_w * g.raster_h; i++) {
            bool mark = i % g.raster_w < MARK_SIZE && i / g.raster_w < MARK_SIZE;
            uint32_t c = mark ? MARK : PICTURE;
            uint8_t *p = g.pixels + (size_t)i * 4;
            p[0] = (uint8_t)(c >> 16), p[1] = (uint8_t)(c >> 8), p[2] = (uint8_t)c, p[3] = 0xFF;
        }
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
        ASSERT_TRUE(g.gl_path);
        ASSERT_TRUE(crt_program_usable()) << "the program is built from the current directory";
        std::string log = read_whole_file("res/log");
        ASSERT_EQ(log.find("initializing GL extensions\ncompiling shaders\n"), 0u) << log;
        ASSERT_EQ(log.find("Error"), std::string::npos) << log;
        ASSERT_TRUE(xgui_init(res->path("").c_str(), g.renderer));
        settings.scale = 3;
        settings.stretch = false;
    }
    static void TearDownTestSuite()
    {
        xgui_free();
        SDL_DestroyTexture(gamestate.frame_texture);
        SDL_DestroyRenderer(gamestate.renderer);
        SDL_DestroyWindow(gamestate.window);
        free(gamestate.pixels);
        gamestate = GameState();
        ox_core_shut();
        if (chdir("/") != 0)
            perror("chdir");
        delete res;
        if (log_file)
            fclose(log_file);
        log_file = nullptr;
        SDL_Quit();
    }
    void SetUp() override
    {
        log_seen = read_whole_file("res/log").size();
        gamestate.back_texture = nullptr;
        gamestate.splash_texture = nullptr;
        xgui_reset();
        xgui_set_open(false);
        xgui_alpha = 0;
    }

    // The log written since the test began (or since the last call).
    std::string new_log()
    {
        std::string all = read_whole_file("res/log");
        std::string fresh = all.substr(SDL_min(log_seen, all.size()));
        log_seen = all.size();
        return fresh;
    }

    void set_window(int w, int h)
    {
        SDL_SetWindowSize(gamestate.window, w, h);
        gamestate.window_w = w;
        gamestate.window_h = h;
    }

    // Presents a frame and reads it back: the offscreen surface keeps its back buffer across
    // the swap. GL counts rows from the bottom left.
    void present_and_read()
    {
        gamestate.present_gl();
        frame_w = gamestate.window_w;
        frame_h = gamestate.window_h;
        std::vector<uint8_t> rgba((size_t)frame_w * frame_h * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, frame_w, frame_h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        frame.assign((size_t)frame_w * frame_h, 0);
        for (int y = 0; y < frame_h; y++) {
            const uint8_t *row = rgba.data() + (size_t)(frame_h - 1 - y) * frame_w * 4;
            for (int x = 0; x < frame_w; x++)
                frame[(size_t)y * frame_w + x] =
                    (uint32_t)row[x * 4] << 16 | row[x * 4 + 1] << 8 | row[x * 4 + 2];
        }
    }

    uint32_t at(int x, int y) const { return frame[(size_t)y * frame_w + x]; }

    // Counts the pixels that differ from expected(x, y) by more than slack in a channel
    // (ANY matches all), and describes the first.
    template <typename F> int mismatches(F expected, int slack, std::string *first)
    {
        int bad = 0;
        for (int y = 0; y < frame_h; y++) {
            for (int x = 0; x < frame_w; x++) {
                uint32_t want = expected(x, y);
                if (want == ANY || channel_diff(at(x, y), want) <= slack || bad++)
                    continue;
                char text[96];
                snprintf(text, sizeof text, "at %d,%d expected %06X, got %06X", x, y, want,
                         at(x, y));
                *first = text;
            }
        }
        return bad;
    }
    // Mismatches against the plain picture on picture_rect, outside it the given colour.
    int plain_mismatches(uint32_t outside, int slack, std::string *first)
    {
        SDL_Rect r = picture_rect(frame_w, frame_h);
        return mismatches([&](int x, int y) {
            if (x < r.x || y < r.y || x >= r.x + r.w || y >= r.y + r.h)
                return outside;
            bool mark = (x - r.x) * gamestate.raster_w / r.w < MARK_SIZE &&
                        (y - r.y) * gamestate.raster_h / r.h < MARK_SIZE;
            return mark ? MARK : PICTURE;
        }, slack, first);
    }
};

ResDir *GlPath::res;

// The first frame ever drawn, and the first after each size change, already put the picture
// on its rectangle: nothing of SDL's own viewport or projection is relied upon. Only the
// picture goes through the CRT program (the test program paints it flat): the background
// picture keeps its colour, and the overlay is drawn with the default program over all.
TEST_F(GlPath, PictureLandsOnItsRectangleFromTheFirstFrame)
{
    SDL_Texture *back = SDL_CreateTexture(gamestate.renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STATIC, 64, 36);
    ASSERT_NE(back, nullptr);
    std::vector<uint32_t> texels(64 * 36, 0xFF000000 | BACKDROP);
    SDL_UpdateTexture(back, nullptr, texels.data(), 64 * 4);
    const int sizes[][2] = {{768, 672}, {1920, 1080}, {640, 480}, {515, 451}, {200, 100}};
    std::string first;
    for (bool effect : {false, true}) {
        settings.smoothing = effect;
        gamestate.back_texture = effect ? back : nullptr;
        for (const auto &s : sizes) {
            SCOPED_TRACE(::testing::Message() << s[0] << "x" << s[1] << " effect " << effect);
            set_window(s[0], s[1]);
            present_and_read();
            SDL_Rect r = picture_rect(s[0], s[1]);
            int bad = effect ? mismatches([&](int x, int y) {
                                   SDL_Point p = {x, y};
                                   return SDL_PointInRect(&p, &r) ? SOLID : BACKDROP;
                               }, 1, &first)
                             : plain_mismatches(BLACK, 1, &first);
            EXPECT_EQ(bad, 0) << first;
        }
    }
    // The generated overlay picture is opaque: faded fully in it covers the whole window.
    set_window(1920, 1080);
    xgui_set_open(true);
    for (int i = 0; i < 32; i++)
        xgui_update(1920, 1080, 0, 0, 0);
    present_and_read();
    EXPECT_EQ(mismatches([&](int, int) { return TEST_OVERLAY; }, 1, &first), 0) << first;
    gamestate.back_texture = nullptr;
    SDL_DestroyTexture(back);
}

// Shader files that are missing or do not compile are logged, the program is not linked, and
// the TV effect then draws the plain picture. The good program is built again afterwards.
TEST_F(GlPath, FailedShadersLeaveThePlainPicture)
{
    auto get_programiv = (PFNGLGETPROGRAMIVPROC)SDL_GL_GetProcAddress("glGetProgramiv");
    ASSERT_NE(get_programiv, nullptr);
    const std::string good_v = source_file("tests/data/solid_crtv");
    const std::string good_f = source_file("tests/data/solid_crtf");
    const std::string broken = source_file("tests/data/broken_crtf"), missing = "res/none";
    struct Case {
        std::string vertex, fragment;
        const char *log;  // the whole log, or its start when the driver's info log follows
        bool compiled;
    } cases[] = {
        {missing, missing, "Error: Can't load vertex shader\nError: Can't load pixel shader\n",
         1},
        {missing, good_f, "Error: Can't load vertex shader\n", 1},
        {good_v, missing, "Error: Can't load pixel shader\n", 1},
        {good_v, broken, "Error: Compiling fragment shader\n", 0},
        {broken, good_f, "Error: Compiling vertex shader\n", 0},
    };
    settings.smoothing = true;
    set_window(768, 672);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.log);
        new_log();
        gamestate.crt_program = build_crt_program(c.vertex.c_str(), c.fragment.c_str());
        std::string log = new_log();
        if (c.compiled) {
            EXPECT_EQ(log, c.log);
        } else {
            // The driver's info log follows, naming what the compiler refused.
            EXPECT_EQ(log.find(c.log), 0u) << log;
            EXPECT_NE(log.find("no_such_colour"), std::string::npos) << log;
            EXPECT_EQ(log.find("Error: Compiling program"), std::string::npos) << log;
        }
        EXPECT_FALSE(crt_program_usable());
        GLint linked = GL_TRUE;
        get_programiv(gamestate.crt_program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_FALSE);
        EXPECT_TRUE(gamestate.gl_path);
        present_and_read();
        std::string first;
        EXPECT_EQ(plain_mismatches(BLACK, 0, &first), 0) << first;
    }
    gamestate.crt_program = build_crt_program(good_v.c_str(), good_f.c_str());
    ASSERT_TRUE(crt_program_usable());
}

// The shipped TV effect at scale 3: off, the picture's pixels are the component's; on, each
// emulated line is a beam, brightest at its centre, so the rows show one bright band per
// emulated line and dimmer rows between.
TEST_F(GlPath, ShippedEffectDrawsOneScanlinePerEmulatedLine)
{
    gamestate.crt_program = build_crt_program(source_file("res/crtv").c_str(),
                                              source_file("res/crtf").c_str());
    ASSERT_TRUE(crt_program_usable()) << new_log();
    set_window(768, 672);
    settings.smoothing = false;
    present_and_read();
    std::string first;
    EXPECT_EQ(plain_mismatches(BLACK, 0, &first), 0) << first;

    settings.smoothing = true;
    present_and_read();
    // Mean green of each row across a central band of whole mask periods (three columns).
    const int x0 = 300, x1 = 468, y0 = 200, y1 = 472;
    std::vector<double> row(frame_h, 0.0);
    for (int y = y0 - 1; y <= y1; y++)
        for (int x = x0; x < x1; x++)
            row[y] += (at(x, y) >> 8 & 0xFF) / double(x1 - x0);
    std::vector<int> peaks;
    for (int y = y0; y < y1; y++) {
        if (row[y] > row[y - 1] && row[y] >= row[y + 1]) {
            peaks.push_back(y);
            EXPECT_GT(row[y] - SDL_min(row[y - 1], row[y + 1]), 5.0) << "faint line at row " << y;
        }
    }
    auto range = std::minmax_element(row.begin() + y0, row.begin() + y1);
    EXPECT_GT(*range.second - *range.first, 20.0) << "no visible line structure";
    // 272 rows hold about 90 emulated lines at scale 3 (fewer with the tube's curvature).
    EXPECT_GE(peaks.size(), 80u);
    EXPECT_LE(peaks.size(), 92u);
    for (size_t i = 1; i < peaks.size(); i++) {
        EXPECT_TRUE(peaks[i] - peaks[i - 1] == 3 || peaks[i] - peaks[i - 1] == 4)
            << "peaks at rows " << peaks[i - 1] << " and " << peaks[i];
    }
    gamestate.crt_program = build_crt_program(source_file("tests/data/solid_crtv").c_str(),
                                              source_file("tests/data/solid_crtf").c_str());
    ASSERT_TRUE(crt_program_usable());
}

// Both overlay back ends on the same rasteriser draw the same pixels, the 24-bit preview
// included (mended fault: GL read its padding byte as alpha 0 and drew it invisible). The GL
// back end places the overlay picture's sides in floating point, so a column at each side
// may differ.
TEST_F(GlPath, OverlayMatchesTheRendererBackEnd)
{
    const int shapes[][2] = {{1920, 1080}, {640, 480}, {2560 / 2, 1080 / 2}};
    settings.smoothing = false;
    for (const auto &shape : shapes) {
        const int w = shape[0], h = shape[1];
        SCOPED_TRACE(::testing::Message() << w << "x" << h);
        set_window(w, h);
        xgui_reset();
        xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        xgui_set_selected(xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M?$", XGUI_ALIGN_RIGHT), 1);
        xgui_add(XGUI_LABEL, -1, 20, 1000, "page-wide label", 0);
        int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
        xgui_set_picture(picture, gamestate.renderer, "res/0P");
        ASSERT_NE(xgui_widgets[picture].texture, nullptr);
        xgui_set_open(true);
        for (int i = 0; i < 16; i++)   // half faded in: blending shows in every pixel
            xgui_update(w, h, 0, 0, 0);
        xgui_update(w, h, 435, 305, 0);  // hover the button: drawn yellow

        // Renderer back end: the same frame built with SDL copies, read before presenting.
        SDL_Rect r = picture_rect(w, h);
        SDL_RenderClear(gamestate.renderer);
        SDL_RenderCopy(gamestate.renderer, gamestate.frame_texture, nullptr, &r);
        xgui_draw(gamestate.renderer, w, h);
        std::vector<uint32_t> sdl((size_t)w * h);
        ASSERT_EQ(SDL_RenderReadPixels(gamestate.renderer, nullptr, SDL_PIXELFORMAT_RGB888,
                                       sdl.data(), w * 4), 0) << SDL_GetError();
        SDL_RenderPresent(gamestate.renderer);

        present_and_read();
        XguiMapping map = xgui_mapping(w, h);
        SDL_Rect preview = xgui_picture_rect(map, xgui_widgets[picture]);
        uint32_t bg = sdl[(size_t)(preview.y - 2) * w + preview.x + preview.w / 2] & 0xFFFFFF;
        EXPECT_GT(channel_diff(at(preview.x + preview.w / 2, preview.y + preview.h / 2), bg), 8)
            << "the 24-bit preview does not show on the GL overlay";
        auto sdl_at = [&](int x, int y) { return sdl[(size_t)y * w + x] & 0xFFFFFF; };
        auto sdl_inside = [&](int x, int y) {
            return abs(x - map.off) <= 1 || abs(x - map.off - map.sw) <= 1 ? ANY : sdl_at(x, y);
        };
        std::string first;
        EXPECT_EQ(mismatches(sdl_inside, 1, &first), 0) << first;
        EXPECT_LE(mismatches(sdl_at, 1, &first), 4 * h) << "differences at the overlay's sides";
    }
}
