// The OpenGL presentation in process, on Mesa's software OpenGL through SDL's offscreen video
// driver: where the picture lands on the first frame and after size changes, what goes
// through the CRT program and what does not, shader build failures, the shipped TV effect's
// scanlines, and the overlay drawn with GL against the renderer back end.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_opengl.h>

#include "app/log.h"
#include "config/settings.h"
#include "host/ox_core.h"
#include "support/res_dir.h"
#include "video/gamestate.h"
#include "video/gl_path.h"
#include "video/present.h"
#include "xgui_test_files.h"

// Offscreen surfaces keep the size they were created with; the window is created at the
// largest size tested and then resized, so every tested size reads back from the bottom-left
// corner of the surface, as GL counts rows.
#define SURFACE_W 1920
#define SURFACE_H 1080

static const uint32_t BLACK = 0x000000;
static const uint32_t PICTURE = 0x606060;    // the component's flat picture
static const uint32_t MARK = 0xE01030;       // its top-left 8 x 8 pixels, to see orientation
static const uint32_t SOLID = 0x4038CC;      // tests/data/solid_crtf for a 256 x 224 screen
static const uint32_t BACKDROP = 0x0AC81E;   // background picture
static const int MARK_SIZE = 8;

static std::string source_file(const char *name)
{
    const char *root = getenv("TEST_SOURCE_DIR");
    return std::string(root ? root : ".") + "/" + name;
}

static int channel_diff(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int x = (int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF);
        d = SDL_max(d, abs(x));
    }
    return d;
}

class GlPath : public ::testing::Test {
protected:
    static ResDir *res;          // exe_dir and the current directory: res/crtv, res/crtf, log
    static std::string log_path;
    size_t log_seen = 0;         // log bytes that belong to earlier steps
    std::vector<uint32_t> frame; // 0xRRGGBB, top row first, of the last read
    int frame_w = 0, frame_h = 0;

    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        res = new ResDir;
        log_path = res->path("res/log");
        ASSERT_TRUE(log_open(log_path.c_str()));
        res->write("res/crtv", read_whole_file(source_file("tests/data/solid_crtv")));
        res->write("res/crtf", read_whole_file(source_file("tests/data/solid_crtf")));
        ASSERT_EQ(chdir(res->path("").c_str()), 0);
        ox_core_init(44100, 0);

        // The start-up steps that make the window, the renderer and the GL path.
        GameState &g = gamestate;
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
        g.window = SDL_CreateWindow("", 0, 0, SURFACE_W, SURFACE_H,
                                    SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
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
        settings.scale = 3;
        settings.stretch = false;
    }

    static void TearDownTestSuite()
    {
        GameState &g = gamestate;
        xgui_free();
        SDL_DestroyTexture(g.frame_texture);
        SDL_DestroyRenderer(g.renderer);
        SDL_DestroyWindow(g.window);
        free(g.pixels);
        g.frame_texture = nullptr;
        g.renderer = nullptr;
        g.window = nullptr;
        g.pixels = nullptr;
        g.pixels_size = 0;
        g.gl_path = false;
        ox_core_shut();
        if (chdir("/") != 0)
            perror("chdir");
        delete res;
        res = nullptr;
        if (log_file)
            fclose(log_file);
        log_file = nullptr;
        SDL_Quit();
    }

    void SetUp() override
    {
        log_seen = read_whole_file(log_path).size();
        fill_picture(PICTURE);
        gamestate.back_texture = nullptr;
        gamestate.splash_texture = nullptr;
        gamestate.splash_frames = 0;
        xgui_alpha = 0;
    }

    // The log written since the test began (or since the last call).
    std::string new_log()
    {
        std::string all = read_whole_file(log_path);
        std::string fresh = all.substr(SDL_min(log_seen, all.size()));
        log_seen = all.size();
        return fresh;
    }

    // What the component renders: a flat colour with the orientation mark, uploaded as the
    // per-frame update does.
    void fill_picture(uint32_t colour)
    {
        GameState &g = gamestate;
        for (int y = 0; y < g.raster_h; y++) {
            for (int x = 0; x < g.raster_w; x++) {
                uint32_t c = (x < MARK_SIZE && y < MARK_SIZE) ? MARK : colour;
                uint8_t *p = g.pixels + ((size_t)y * g.raster_w + x) * 4;
                p[0] = (uint8_t)(c >> 16);
                p[1] = (uint8_t)(c >> 8);
                p[2] = (uint8_t)c;
                p[3] = 0xFF;
            }
        }
        SDL_UpdateTexture(g.frame_texture, nullptr, g.pixels, g.raster_w * 4);
    }

    void set_window(int w, int h)
    {
        SDL_SetWindowSize(gamestate.window, w, h);
        gamestate.window_w = w;
        gamestate.window_h = h;
    }

    // The window's pixels as last drawn: the offscreen surface keeps its back buffer across
    // the swap, so the presented frame is still there to read.
    void read_window()
    {
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

    void present_and_read()
    {
        gamestate.present_gl();
        read_window();
    }

    uint32_t at(int x, int y) const { return frame[(size_t)y * frame_w + x]; }

    // Counts the pixels that differ from what expected(x, y) gives by more than slack in a
    // channel, and reports the first.
    template <typename F> int mismatches(F expected, int slack, std::string *first)
    {
        int bad = 0;
        for (int y = 0; y < frame_h; y++) {
            for (int x = 0; x < frame_w; x++) {
                uint32_t want = expected(x, y);
                if (channel_diff(at(x, y), want) <= slack)
                    continue;
                if (bad++ == 0) {
                    char text[96];
                    snprintf(text, sizeof text, "at %d,%d expected %06X, got %06X", x, y, want,
                             at(x, y));
                    *first = text;
                }
            }
        }
        return bad;
    }
};

ResDir *GlPath::res;
std::string GlPath::log_path;

// Colour of window pixel (x, y) when the plain picture fills r (whole multiples only).
static uint32_t plain_picture_at(const SDL_Rect &r, int x, int y, uint32_t outside)
{
    if (x < r.x || y < r.y || x >= r.x + r.w || y >= r.y + r.h)
        return outside;
    int tx = (x - r.x) * gamestate.raster_w / r.w;
    int ty = (y - r.y) * gamestate.raster_h / r.h;
    return (tx < MARK_SIZE && ty < MARK_SIZE) ? MARK : PICTURE;
}

TEST_F(GlPath, SetUpBuildsTheProgramFromTheCurrentDirectory)
{
    EXPECT_TRUE(gamestate.gl_path);
    EXPECT_TRUE(crt_program_usable());
    std::string log = read_whole_file(log_path);
    EXPECT_EQ(log.find("initializing GL extensions\ncompiling shaders\n"), 0u) << log;
    EXPECT_EQ(log.find("Error"), std::string::npos) << log;
}

// The first frame ever drawn, and the first after each size change, already put the picture
// on its rectangle: nothing of SDL's own viewport or projection is relied upon.
TEST_F(GlPath, PictureLandsOnItsRectangleFromTheFirstFrame)
{
    struct Size {
        int w, h;
    } sizes[] = {{768, 672}, {1920, 1080}, {640, 480}, {515, 451}, {1920, 1080}, {200, 100}};
    for (bool effect : {false, true}) {
        settings.smoothing = effect;
        for (const Size &s : sizes) {
            SCOPED_TRACE(::testing::Message() << s.w << "x" << s.h << " effect " << effect);
            set_window(s.w, s.h);
            present_and_read();
            SDL_Rect r = picture_rect(s.w, s.h);
            std::string first;
            int bad = mismatches(
                [&](int x, int y) {
                    uint32_t plain = plain_picture_at(r, x, y, BLACK);
                    return (effect && plain != BLACK) ? SOLID : plain;
                },
                1, &first);
            EXPECT_EQ(bad, 0) << first;
        }
    }
}

// Only the picture goes through the CRT program: the background picture keeps its colour,
// and the overlay is drawn with the default program over everything.
TEST_F(GlPath, BackgroundAndOverlayBypassTheCrtProgram)
{
    SDL_Texture *back = SDL_CreateTexture(gamestate.renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STATIC, 64, 36);
    ASSERT_NE(back, nullptr);
    std::vector<uint32_t> texels(64 * 36, 0xFF000000 | BACKDROP);
    SDL_UpdateTexture(back, nullptr, texels.data(), 64 * 4);
    gamestate.back_texture = back;
    settings.smoothing = true;
    set_window(1920, 1080);
    present_and_read();
    SDL_Rect r = picture_rect(1920, 1080);
    std::string first;
    EXPECT_EQ(mismatches([&](int x, int y) { return plain_picture_at(r, x, y, BACKDROP) == BACKDROP
                                                        ? BACKDROP : SOLID; },
                         1, &first), 0) << first;

    // The generated overlay picture is opaque: faded fully in it covers the whole window.
    ASSERT_TRUE(test_write_overlay(res->path("res/overlay")));
    ASSERT_TRUE(test_write_font(res->path("res/font")));
    ASSERT_TRUE(xgui_init(res->path("").c_str(), gamestate.renderer));
    xgui_reset();
    xgui_set_open(true);
    for (int i = 0; i < 32; i++)
        xgui_update(1920, 1080, 0, 0, 0);
    present_and_read();
    const uint32_t overlay = TEST_OVERLAY_R << 16 | TEST_OVERLAY_G << 8 | TEST_OVERLAY_B;
    EXPECT_EQ(mismatches([&](int, int) { return overlay; }, 1, &first), 0) << first;

    xgui_free();
    xgui_set_open(false);
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
    const std::string broken_f = source_file("tests/data/broken_crtf");
    const std::string missing = res->path("res/none");
    struct Case {
        const char *name;
        std::string vertex, fragment;
        const char *log_start;
    } cases[] = {
        {"both missing", missing, missing,
         "Error: Can't load vertex shader\nError: Can't load pixel shader\n"},
        {"vertex missing", missing, good_f, "Error: Can't load vertex shader\n"},
        {"fragment missing", good_v, missing, "Error: Can't load pixel shader\n"},
        {"fragment broken", good_v, broken_f, "Error: Compiling fragment shader\n"},
        {"vertex broken", broken_f, good_f, "Error: Compiling vertex shader\n"},
    };
    settings.smoothing = true;
    set_window(768, 672);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        new_log();
        gamestate.crt_program = build_crt_program(c.vertex.c_str(), c.fragment.c_str());
        std::string log = new_log();
        EXPECT_EQ(log.find(c.log_start), 0u) << log;
        if (strstr(c.log_start, "Compiling")) {
            // The driver's info log follows, and the name the compiler refused is in it.
            EXPECT_GT(log.size(), strlen(c.log_start)) << log;
            EXPECT_NE(log.find("no_such_colour"), std::string::npos) << log;
            EXPECT_EQ(log.find("Error: Compiling program"), std::string::npos) << log;
        } else {
            EXPECT_EQ(log, c.log_start);
        }
        EXPECT_FALSE(crt_program_usable());
        GLint linked = GL_TRUE;
        get_programiv(gamestate.crt_program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_FALSE);
        EXPECT_TRUE(gamestate.gl_path);

        present_and_read();
        SDL_Rect r = picture_rect(768, 672);
        std::string first;
        EXPECT_EQ(mismatches([&](int x, int y) { return plain_picture_at(r, x, y, BLACK); }, 0,
                             &first), 0) << first;
    }
    gamestate.crt_program = build_crt_program(good_v.c_str(), good_f.c_str());
    ASSERT_TRUE(crt_program_usable());
}

// The shipped TV effect at scale 3: off, the picture's pixels are the component's; on, each
// emulated line is a beam, brightest at its centre, so the rows show one bright band per
// emulated line and dimmer rows between.
TEST_F(GlPath, ShippedEffectDrawsOneScanlinePerEmulatedLine)
{
    const std::string vertex = source_file("res/crtv"), fragment = source_file("res/crtf");
    GLuint shipped = build_crt_program(vertex.c_str(), fragment.c_str());
    ASSERT_TRUE(crt_program_usable()) << new_log();
    gamestate.crt_program = shipped;
    set_window(768, 672);

    settings.smoothing = false;
    present_and_read();
    std::string first;
    SDL_Rect r = picture_rect(768, 672);
    EXPECT_EQ(mismatches([&](int x, int y) { return plain_picture_at(r, x, y, BLACK); }, 0,
                         &first), 0) << first;

    settings.smoothing = true;
    present_and_read();
    // Mean green of each row across a central band of whole mask periods (three columns).
    const int x0 = 300, x1 = 468, y0 = 200, y1 = 472;
    std::vector<double> row(frame_h, 0.0);
    for (int y = y0 - 1; y <= y1; y++) {
        for (int x = x0; x < x1; x++)
            row[y] += at(x, y) >> 8 & 0xFF;
        row[y] /= x1 - x0;
    }
    std::vector<int> peaks;
    double lowest = 255.0, highest = 0.0;
    for (int y = y0; y < y1; y++) {
        lowest = SDL_min(lowest, row[y]);
        highest = SDL_max(highest, row[y]);
        if (row[y] > row[y - 1] && row[y] >= row[y + 1])
            peaks.push_back(y);
    }
    EXPECT_GT(highest - lowest, 20.0) << "no visible line structure";
    // 272 rows hold about 90 emulated lines at scale 3 (fewer with the tube's curvature).
    EXPECT_GE(peaks.size(), 80u);
    EXPECT_LE(peaks.size(), 92u);
    for (size_t i = 1; i < peaks.size(); i++) {
        int gap = peaks[i] - peaks[i - 1];
        EXPECT_TRUE(gap == 3 || gap == 4) << "peaks at rows " << peaks[i - 1] << " and "
                                          << peaks[i];
    }
    for (int y : peaks) {
        double valley = SDL_min(row[y - 1], row[y + 1]);
        EXPECT_GT(row[y] - valley, 5.0) << "line centre at row " << y << " barely brighter";
    }

    gamestate.crt_program = build_crt_program(source_file("tests/data/solid_crtv").c_str(),
                                              source_file("tests/data/solid_crtf").c_str());
    ASSERT_TRUE(crt_program_usable());
}

// Both overlay back ends on the same rasteriser draw the same pixels. The GL back end places
// the overlay picture's sides in floating point, so a column at each side may differ.
TEST_F(GlPath, OverlayMatchesTheRendererBackEnd)
{
    ASSERT_TRUE(test_write_overlay(res->path("res/overlay")));
    ASSERT_TRUE(test_write_font(res->path("res/font")));
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, 40, 30, 24, SDL_PIXELFORMAT_BGR24);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 10, 200, 30));
    ASSERT_EQ(SDL_SaveBMP(s, res->path("res/0P").c_str()), 0);
    SDL_FreeSurface(s);
    ASSERT_TRUE(xgui_init(res->path("").c_str(), gamestate.renderer));

    struct Shape {
        int w, h;
    } shapes[] = {{1920, 1080}, {640, 480}, {2560 / 2, 1080 / 2}};
    settings.smoothing = false;
    for (const Shape &shape : shapes) {
        SCOPED_TRACE(::testing::Message() << shape.w << "x" << shape.h);
        set_window(shape.w, shape.h);
        xgui_reset();
        int32_t button = xgui_add(XGUI_BUTTON, 0, 425, 300, "MMMM", 0);
        int32_t toggle = xgui_add(XGUI_TOGGLE, 0, 1495, 600, "M?$", XGUI_ALIGN_RIGHT);
        xgui_set_selected(toggle, 1);
        xgui_add(XGUI_LABEL, -1, 20, 1000, "page-wide label", 0);
        int32_t picture = xgui_add(XGUI_PICTURE, 0, 960, 900, "", 0);
        xgui_set_picture(picture, gamestate.renderer, res->path("res/0P").c_str());
        xgui_set_open(true);
        for (int i = 0; i < 16; i++)   // half faded in: blending shows in every pixel
            xgui_update(shape.w, shape.h, 0, 0, 0);
        xgui_update(shape.w, shape.h, 435, 305, 0);  // hover the button: drawn yellow
        ASSERT_NE(button, -1);

        // Renderer back end: the same frame built with SDL copies, read before presenting.
        SDL_Rect r = picture_rect(shape.w, shape.h);
        SDL_RenderClear(gamestate.renderer);
        SDL_RenderCopy(gamestate.renderer, gamestate.frame_texture, nullptr, &r);
        xgui_draw(gamestate.renderer, shape.w, shape.h);
        std::vector<uint32_t> sdl((size_t)shape.w * shape.h);
        ASSERT_EQ(SDL_RenderReadPixels(gamestate.renderer, nullptr, SDL_PIXELFORMAT_RGB888,
                                       sdl.data(), shape.w * 4), 0) << SDL_GetError();
        SDL_RenderPresent(gamestate.renderer);

        present_and_read();
        XguiMapping map = xgui_mapping(shape.w, shape.h);
        int edge_l = map.off, edge_r = map.off + map.sw;
        int bad = 0, at_edges = 0;
        std::string first;
        for (int y = 0; y < frame_h; y++) {
            for (int x = 0; x < frame_w; x++) {
                uint32_t want = sdl[(size_t)y * frame_w + x] & 0xFFFFFF;
                if (channel_diff(at(x, y), want) <= 1)
                    continue;
                if (abs(x - edge_l) <= 1 || abs(x - edge_r) <= 1) {
                    at_edges++;
                    continue;
                }
                if (bad++ == 0) {
                    char text[96];
                    snprintf(text, sizeof text, "at %d,%d renderer %06X, GL %06X", x, y, want,
                             at(x, y));
                    first = text;
                }
            }
        }
        EXPECT_EQ(bad, 0) << first;
        EXPECT_LE(at_edges, 4 * shape.h);
    }
    xgui_free();
    xgui_set_open(false);
    xgui_alpha = 0;
}
