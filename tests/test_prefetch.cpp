// Start-up pictures decoded ahead on a worker thread: the loader gets the picture decoded
// ahead, and a damaged picture's log lines appear where its loader runs, not when the worker
// happened to decode it.
#include <gtest/gtest.h>

#include <string.h>

#include <SDL.h>
#include <png.h>

#include "base/log.h"
#include "gfx/picture.h"
#include "gfx/prefetch.h"
#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/watch.h"

static const uint16_t SAMPLES[] = {10, 20, 30, 200, 150, 100};   // two RGB pixels

class Prefetching : public ::testing::Test {
protected:
    ResDir dir;
    std::string good = dir.path("res/good");
    std::string cut = dir.path("res/cut");
    void SetUp() override
    {
        ASSERT_TRUE(write_png(good.c_str(), png_spec(2, 1, PNG_COLOR_TYPE_RGB, 8, SAMPLES)));
        dir.write("res/cut", dir.read("res/good").substr(0, 40));
    }
    void TearDown() override { picture_prefetch_end(); }
};

// Taking the damaged picture, decoded last, waits for the worker to finish.
TEST_F(Prefetching, TheLoaderGetsThePictureDecodedAhead)
{
    const PrefetchRequest requests[] = {{good.c_str(), PREFETCH_PNG}, {cut.c_str(), PREFETCH_PNG}};
    ASSERT_TRUE(picture_prefetch_start(requests, 2));
    load_png_surface(cut.c_str());
    dir.remove("res/good");   // only a picture decoded ahead can still come back
    SDL_Surface *s = load_png_surface(good.c_str());
    ASSERT_NE(nullptr, s);
    const uint8_t second[4] = {200, 150, 100, 255};
    EXPECT_EQ(0, memcmp((const uint8_t *)s->pixels + 4, second, 4));
    SDL_FreeSurface(s);
}

// The damaged picture is decoded first; taking the good one waits for the worker to finish.
TEST_F(Prefetching, ADamagedPicturesLinesAppearWhereItsLoaderRuns)
{
    LogCapture log;
    const PrefetchRequest requests[] = {{cut.c_str(), PREFETCH_PNG}, {good.c_str(), PREFETCH_PNG}};
    ASSERT_TRUE(picture_prefetch_start(requests, 2));
    SDL_FreeSurface(load_png_surface(good.c_str()));
    log_write("loading the damaged one\n");
    EXPECT_EQ(nullptr, load_png_surface(cut.c_str()));
    EXPECT_EQ(0u, log.text().find("loading the damaged one\nError: " + cut)) << log.text();
}

TEST_F(Prefetching, APictureNeverTakenIsFreedAtTheEnd)
{
    const PrefetchRequest request = {good.c_str(), PREFETCH_PNG};
    ASSERT_TRUE(picture_prefetch_start(&request, 1));
    picture_prefetch_end();   // the sanitizer build finds a leak here otherwise
    dir.remove("res/good");
    EXPECT_EQ(nullptr, load_png_surface(good.c_str())) << "a picture taken after the end";
}
