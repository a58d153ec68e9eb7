// The OpenGL presentation on Mesa's software OpenGL through SDL's offscreen driver: where the
// picture lands, what goes through the CRT program, shaders that fail, the overlay drawn with
// GL against the renderer back end, the background around the picture on both paths, and the
// look of the shipped TV effect. The shipped TV effect's files: e2e_startup.sh.

#include "base/log.h"
#include "base/paths.h"
#include "config/settings.h"
#include "gfx/picture.h"
#include "video/back_fill.h"
#include "video/present.h"
#include "support/gl_window.h"
#include "xgui_test_files.h"

class GlPath : public GlPathFixture {
protected:
    // Against inside (or the PLAIN picture) on the picture's rectangle, and elsewhere outside.
    std::string rect_mismatches(uint32_t inside, uint32_t outside, int slack)
    {
        const SDL_Rect r = picture_rect(fw, fh);
        return frame_mismatches(frame, fw, fh, [&](int x, int y) {
            if (x < r.x || y < r.y || x >= r.x + r.w || y >= r.y + r.h)
                return outside;
            if (inside != PLAIN)
                return inside;
            const bool mark = (x - r.x) * video_state().raster_w / r.w < MARK_SIZE &&
                              (y - r.y) * video_state().raster_h / r.h < MARK_SIZE;
            return mark ? MARK : PICTURE;
        }, slack);
    }
};

// Each program draws the picture on its rectangle from the first frame ever drawn on, and the
// first after a size change: nothing of SDL's viewport or projection is relied on. Only the
// picture goes through the CRT program (the test program paints it SOLID), and only with the
// effect on. A TV effect that fails is logged (with the driver's reason) and leaves the plain
// picture. A program that linked is used even when it does not validate: validation judges
// the state bound when it runs and fails spuriously on some drivers. Missing shader files,
// shipped: e2e_startup.sh.
TEST_F(GlPath, PictureLandsOnItsRectangleFromTheFirstFrameAndOnlyALinkedProgramIsUsed)
{
    // logged: what the log gains ("" for nothing to look for); inside: the picture's rectangle.
    const struct { const char *name, *fragment, *logged; bool effect, linked; uint32_t inside; } cases[] = {
        {"the effect off: the picture as it is", "solid_crtf", "", false, true, PLAIN},
        {"the effect on: through the program", "solid_crtf", "", true, true, SOLID},
        {"a fragment shader that fails", "broken_crtf", "Error: Compiling fragment shader\n", true, false, PLAIN},
        {"the driver's reason", "broken_crtf", "no_such_colour", true, false, PLAIN},
        {"a program that does not validate", "unvalidated_crtf", "CRT program did not validate", true, true, FRAME_ANY},
        {"a missing file", "none", "Error: Can't load pixel shader\n", true, false, PLAIN},
    };
    for (const auto &c : cases) {
        settings.smoothing = c.effect;
        const size_t before = read_whole_file("res/log").size();
        const std::string fragment = source_file("tests/data/") + c.fragment;
        video_state().crt_program = build_crt_program("res/crtv", fragment.c_str());
        EXPECT_NE(std::string::npos, read_whole_file("res/log").find(c.logged, before)) << c.name;
        EXPECT_EQ(c.linked, crt_program_usable()) << c.name;
        for (int w : {768, 515}) {
            set_window(w, w == 768 ? 672 : 451);
            present_and_read();
            EXPECT_EQ(rect_mismatches(c.inside, BLACK, 0), "") << c.name << " at " << fw << "x" << fh;
        }
    }
}

// Both overlay back ends on the same rasteriser, and the renderer path's present, draw the same
// pixels over the background and the picture, the 24-bit preview included (mended fault: GL
// read its padding byte as alpha 0 and drew it invisible). GL places the overlay picture's
// sides in floating point: a column at each side may differ. The background is drawn only
// around the opaque picture, and not through the CRT program (which paints the picture SOLID,
// the colour the renderer is given): from a copy scaled once per window size, as quads on the
// copy's first frame and as blits later.
TEST_F(GlPath, OverlayAndBackgroundMatchTheRendererBackEnd)
{
    settings.smoothing = true;
    set_window(1920, 1080);
    fill_picture(SOLID, SOLID);
    open_overlay_scene();
    const std::vector<uint32_t> sdl = whole_background_frame();
    const XguiMapping map = xgui_mapping(fw, fh);
    auto sdl_at = [&](int x, int y) {
        const bool side = abs(x - map.off) <= 1 || abs(x - map.off - map.sw) <= 1;
        return side ? FRAME_ANY : sdl[(size_t)y * fw + x];
    };
    for (const char *which : {"the copy's first frame", "a later frame"}) {
        present_and_read();
        EXPECT_EQ(frame_mismatches(frame, fw, fh, sdl_at, 1), "") << which;
    }
    video_present_sdl();
    read();
    EXPECT_EQ(frame_mismatches(frame, fw, fh, [&](int x, int y) { return sdl[(size_t)y * fw + x]; }, 1), "")
        << "the renderer path's present";
    EXPECT_FALSE(back_copy_update(video_state().renderer, video_state().back_texture, 100000, 8))
        << "a copy past a texture's size";
}

// The shipped TV effect is made cheap to run, and must keep the look of the effect it replaced
// (kept as tests/data/crtf_reference): frames of the game's picture a second in through both
// differ by at most 2 % of full scale on average, and no single row (a scanline out of place,
// a band) by 5 %.
TEST_F(GlPath, TheTvEffectKeepsTheLookOfTheReferenceEffect)
{
    ASSERT_TRUE(show_game_picture(60));
    settings.smoothing = true;
    set_window(1920, 1080);
    for (bool stretch : {false, true}) {
        settings.stretch = stretch;
        EXPECT_TRUE(present_through("tests/data/crtf_reference"));
        const std::vector<uint32_t> reference = frame;
        EXPECT_TRUE(present_through("res/crtf"));
        double total = 0.0;
        double worst_row = 0.0;
        frame_difference(reference, frame, fw, picture_rect(fw, fh), &total, &worst_row);
        printf("stretch %d: mean difference %.4f, worst row %.4f\n", stretch, total, worst_row);
        EXPECT_LT(total, 0.02) << "stretch " << stretch;
        EXPECT_LT(worst_row, 0.05) << "stretch " << stretch;
    }
}

// The shader files: the current folder's pair first, then the pair beside the executable, so a
// launcher that starts the player elsewhere keeps the effect; with no pair anywhere, the
// current folder's names, whose absence reading them logs (e2e_startup.sh, which also starts
// the player elsewhere).
TEST(ShaderPaths, TheCurrentFolderFirstThenBesideTheExecutable)
{
    const struct { const char *name; bool here_v, here_f, beside_v, beside_f; int place; } cases[] = {
        {"no pair anywhere", false, true, true, false, SHADERS_NONE},
        {"half a pair here: the pair beside the executable", true, false, true, true, SHADERS_BESIDE},
        {"both folders hold a pair: the current folder's", true, true, true, true, SHADERS_HERE},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.place, shader_place(c.here_v, c.here_f, c.beside_v, c.beside_f)) << c.name;
}
