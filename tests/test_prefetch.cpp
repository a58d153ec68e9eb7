// Start-up pictures decoded ahead on a worker thread: the loader gets the picture decoded
// ahead. (A damaged picture's log lines appearing where its loader runs: e2e_startup's font
// case.)
#include <gtest/gtest.h>
#include <png.h>
#include "gfx/picture.h"
#include "gfx/prefetch.h"
#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/surface_pixels.h"

static const uint16_t SAMPLES[] = {10, 20, 30, 200, 150, 100};   // two RGB pixels
static const std::vector<uint32_t> PIXELS = {0xFF1E140A, 0xFF6496C8};   // as decoded, 0xAABBGGRR

// The pictures are decoded in turn; taking "last" waits for the worker to have decoded the
// ones before. Once a file is gone, only a picture decoded ahead can still come back, and
// only until the end, which frees what was never taken (the sanitizer build finds a leak
// otherwise).
TEST(Prefetching, TheLoaderGetsThePictureDecodedAheadUntilTheEnd)
{
    ResDir dir;
    const std::string good = dir.path("res/good");
    const std::string last = dir.path("res/last");
    const std::string untaken = dir.path("res/untaken");
    for (const std::string &path : {good, last, untaken})
        ASSERT_TRUE(write_png(path.c_str(), png_spec(2, 1, PNG_COLOR_TYPE_RGB, 8, SAMPLES)));
    const PrefetchRequest requests[] = {{good.c_str(), PREFETCH_PNG}, {last.c_str(), PREFETCH_PNG},
                                        {untaken.c_str(), PREFETCH_PNG}};
    ASSERT_TRUE(picture_prefetch_start(requests, 3));
    EXPECT_EQ(PIXELS, surface_pixels(load_png_surface(last.c_str()))) << "the last picture";
    dir.remove("res/good");
    dir.remove("res/untaken");
    EXPECT_EQ(PIXELS, surface_pixels(load_png_surface(good.c_str()))) << "a picture decoded ahead";
    picture_prefetch_end();
    EXPECT_EQ(nullptr, load_png_surface(untaken.c_str())) << "a picture taken after the end";
}
