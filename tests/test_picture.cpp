// Picture loading: PNG decoding to R, G, B, A, refusal of damaged files and of pictures past
// the size limit, and the headers read before the background decoder is trusted with a file.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>
#include <string.h>
#include <vector>
#include "gfx/picture.h"
#include "gfx/picture_decode.h"
#include "support/byte_text.h"
#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/surface_pixels.h"
#include "support/watch.h"

enum { PAL = PNG_COLOR_TYPE_PALETTE, GREY = PNG_COLOR_TYPE_GRAY, GREY_A = PNG_COLOR_TYPE_GRAY_ALPHA };
static const uint8_t PALETTE[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
static const uint8_t PALETTE_ALPHA[] = {0, 7};

// 4 x 1 pictures of the colour types that need converting, each asking the decoder for its
// own conversions to R, G, B, A (libpng carries them out). Palettes are PALETTE with the
// first alphas of PALETTE_ALPHA; pixels as a little-endian machine reads the bytes: 0xAABBGGRR.
TEST(Picture, EachColourTypeDecodesToRgbaBytes)
{
    const struct {
        int color_type, bit_depth, alphas; std::vector<uint16_t> samples; std::vector<uint32_t> pixels;
    } cases[] = {
        {PAL, 2, 2, {3, 2, 1, 0}, {0xFF1E140A, 0xFFFF0000, 0x0700FF00, 0x000000FF}},
        {PAL, 8, 0, {3, 2, 1, 0}, {0xFF1E140A, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF}},
        {GREY, 1, 0, {0, 1, 1, 0}, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}},
        {GREY, 16, 0, {0, 0x12FF, 0x8001, 0xFFFF}, {0xFF000000, 0xFF121212, 0xFF808080, 0xFFFFFFFF}},
        {GREY_A, 8, 0, {100, 50, 0, 0, 255, 255, 7, 200}, {0x32646464, 0x00000000, 0xFFFFFFFF, 0xC8070707}},
    };
    ResDir dir;
    const std::string path = dir.path("case.png");
    for (const auto &c : cases) {
        const PngSpec spec = png_spec(4, 1, c.color_type, c.bit_depth, c.samples.data());
        ASSERT_TRUE(write_png(path.c_str(), png_with_palette(spec, PALETTE, 4, PALETTE_ALPHA, c.alphas)));
        EXPECT_EQ(c.pixels, surface_pixels(load_png_surface(path.c_str())))
            << "type " << c.color_type << " depth " << c.bit_depth;
    }
}

// A whole, valid file past the limit of decoded bytes (16384 x 4097 x 4 > 256 MiB, no side
// past 16384) is refused by the limit itself: libpng would read it. A picture one pixel high
// is refused by the side limit the decoder is given.
TEST(Picture, APngPastASizeLimitYieldsNothing)
{
    ResDir dir;
    const std::string path = dir.path("large.png");
    const int height = PICTURE_MAX_BYTES / 4 / PICTURE_MAX_SIDE + 1;
    ASSERT_TRUE(write_png(path.c_str(), png_spec(PICTURE_MAX_SIDE, height, GREY, 1, nullptr)));
    LogCapture log;
    EXPECT_EQ(nullptr, load_png_surface(path.c_str()));
    EXPECT_EQ("Error: " + path + ": picture too large\n", log.text());
    ASSERT_TRUE(write_png(path.c_str(), png_spec(PICTURE_MAX_SIDE + 1, 1, GREY, 1, nullptr)));
    EXPECT_EQ(nullptr, load_png_surface(path.c_str())) << "a picture a pixel wider than a side may be";
}

// A BMP's file header and the start of its info header: length and the two sizes.
static std::string bmp_header(uint32_t info_size, uint32_t w, uint32_t h, int size_bytes)
{
    return "BM" + le_field(0, 12) + le_field(info_size, 4) + le_field(w, size_bytes) + le_field(h, size_bytes);
}

// A whole BMP of 3 x 2 grey pixels under the old 12-byte core header, rows padded to 12 bytes.
static const std::string OLD_BMP = "BM" + le_field(26 + 24, 4) + le_field(0, 4) + le_field(26, 4) + le_field(12, 4) +
                                   le_field(3, 2) + le_field(2, 2) + le_field(1, 2) + le_field(24, 2) +
                                   std::string(24, '\x40');

// The size the decoder would allocate for, and what the background loader makes of the file:
// nothing reaches a decoder before its header is read and its size allowed. Mended faults:
// headers claiming 100000 x 100000 were allocated for; the core header's 16-bit sizes were
// read as 32-bit fields, so 3 x 2 became 131075 x 0 and the picture was refused; a 123-byte
// SVG crashed the SVG decoder.
TEST(PictureHeader, TheSizeEachFormatDeclaresAndWhatTheBackgroundLoaderMakesOfIt)
{
    const std::string gif = "GIF89a" + le_field(1, 2) + le_field(1, 2) + std::string(3, '\0') +
                            byte_string({0x21, 0xF9, 0x04, 0, 0, 0, 0, 0, 0x2C}) + le_field(0, 4) +
                            le_field(40000, 2) + le_field(300, 2) + std::string(1, '\0');
    const std::string jpeg = byte_string({0xFF, 0xD8, 0xFF, 0xE0, 0, 2, 0xFF, 0xC0, 0, 17, 8, 0xFD, 0xFD, 0xFD, 0xFE});
    const std::string png = byte_string({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D',
                                         'R', 0, 0, 0, 5, 0, 0, 0, 7});
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30000\" height=\"30000\">"
                            "<rect width=\"30000\" height=\"30000\" fill=\"red\"/></svg>\n";
    const char *const TOO_LARGE = "picture too large: ";
    const char *const DAMAGED = "damaged picture: ";
    const char *const NOT_ONE = "not a BMP, GIF, JPEG or PNG picture: ";
    // refusal: the start of the loader's log line; "" when it loads the picture.
    const struct { const char *name; std::string file; bool read; uint32_t w, h; const char *refusal; } cases[] = {
        {"BMP with a core header", OLD_BMP, true, 3, 2, ""},
        {"BMP a pixel too wide", bmp_header(40, PICTURE_MAX_SIDE + 1, 1, 4), true, PICTURE_MAX_SIDE + 1, 1, TOO_LARGE},
        {"BMP, rows top-down", bmp_header(40, 100000, (uint32_t)-100000, 4), true, 100000, 100000, TOO_LARGE},
        {"BMP, an info header too short", bmp_header(39, 1, 1, 4), false, 0, 0, NOT_ONE},
        {"GIF, the first image past the screen", gif, true, 40000, 300, TOO_LARGE},
        {"GIF, no image before the trailer", gif.substr(0, 13) + ";" + std::string(9, '\0'), false, 0, 0, NOT_ONE},
        {"JPEG, the frame after an empty segment", jpeg, true, 0xFDFE, 0xFDFD, TOO_LARGE},
        {"JPEG without a frame", jpeg.substr(0, 6), false, 0, 0, NOT_ONE},
        {"JPEG cut inside its frame header", jpeg.substr(0, 14), false, 0, 0, NOT_ONE},
        {"PNG", png, true, 5, 7, DAMAGED},
        {"SVG", svg, false, 0, 0, NOT_ONE},
    };
    ResDir dir;
    const std::string path = dir.path("back");
    for (const auto &c : cases) {
        PictureHeader header = {};
        EXPECT_EQ(c.read, picture_header((const uint8_t *)c.file.data(), c.file.size(), &header)) << c.name;
        EXPECT_EQ(c.w, header.w) << c.name;
        EXPECT_EQ(c.h, header.h) << c.name;
        LogCapture log;
        dir.write("back", c.file);
        EXPECT_EQ(c.refusal[0] == '\0', !surface_pixels(picture_surface_decode(path.c_str())).empty()) << c.name;
        EXPECT_EQ(c.refusal, log.text().substr(0, strlen(c.refusal))) << c.name;
    }
}
