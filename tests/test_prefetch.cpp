// Start-up pictures decoded ahead on a worker thread: the loader gets the picture decoded
// ahead, and a damaged picture's log lines appear where its loader runs, not when the worker
// happened to decode it.
#include <gtest/gtest.h>
#include <png.h>
#include "base/log.h"
#include "gfx/picture.h"
#include "gfx/prefetch.h"
#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/surface_pixels.h"
#include "support/watch.h"

static const uint16_t SAMPLES[] = {10, 20, 30, 200, 150, 100};   // two RGB pixels
static const std::vector<uint32_t> PIXELS = {0xFF1E140A, 0xFF6496C8};   // as decoded, 0xAABBGGRR

// The pictures are decoded in turn; taking "last" waits for the worker to have decoded the
// ones before. A damaged picture yields nothing, and libpng's reason reaches the log, not
// stderr alone. Once a file is gone, only a picture decoded ahead can still come back, and
// only until the end, which frees what was never taken (the sanitizer build finds a leak
// otherwise).
TEST(Prefetching, TheLoaderGetsThePictureDecodedAheadAndItsLinesWhereItRuns)
{
    ResDir dir;
    const std::string good = dir.path("res/good");
    const std::string cut = dir.path("res/cut");
    const std::string last = dir.path("res/last");
    const std::string untaken = dir.path("res/untaken");
    for (const std::string &path : {good, last, untaken})
        ASSERT_TRUE(write_png(path.c_str(), png_spec(2, 1, PNG_COLOR_TYPE_RGB, 8, SAMPLES)));
    dir.write("res/cut", dir.read("res/good").substr(0, 40));
    LogCapture log;
    const PrefetchRequest requests[] = {{cut.c_str(), PREFETCH_PNG}, {good.c_str(), PREFETCH_PNG},
                                        {last.c_str(), PREFETCH_PNG}, {untaken.c_str(), PREFETCH_PNG}};
    ASSERT_TRUE(picture_prefetch_start(requests, 4));
    EXPECT_EQ(PIXELS, surface_pixels(load_png_surface(last.c_str()))) << "the last picture";
    dir.remove("res/good");
    dir.remove("res/untaken");
    EXPECT_EQ(PIXELS, surface_pixels(load_png_surface(good.c_str()))) << "a picture decoded ahead";
    log_write("loading the damaged one\n");
    EXPECT_EQ(nullptr, load_png_surface(cut.c_str()));
    EXPECT_EQ(0u, log.text().find("loading the damaged one\nError: " + cut)) << log.text();
    picture_prefetch_end();
    EXPECT_EQ(nullptr, load_png_surface(untaken.c_str())) << "a picture taken after the end";
}
