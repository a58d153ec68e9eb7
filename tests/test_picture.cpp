// Picture loading: PNG decoding to R, G, B, A for every colour type (interlacing once: the
// passes themselves are libpng's), refusal of damaged files and of pictures past the size
// limit, and the background decoder's header checks.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <png.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "base/log.h"
#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/test_window.h"
#include "gfx/picture.h"

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    static void TearDownTestSuite() { SDL_Quit(); }
    void SetUp() override { ASSERT_TRUE(win.open(64, 64)) << SDL_GetError(); }
    ResDir dir;
    TestWindow win;
};

static std::string hex(const uint8_t *p)  // bytes R, G, B, A as "RRGGBBAA"
{
    char text[16];
    snprintf(text, sizeof text, "%02X%02X%02X%02X", p[0], p[1], p[2], p[3]);
    return text;
}

static const uint8_t PALETTE[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};
enum { PAL = PNG_COLOR_TYPE_PALETTE, GREY = PNG_COLOR_TYPE_GRAY, GREY_A = PNG_COLOR_TYPE_GRAY_ALPHA,
       RGB = PNG_COLOR_TYPE_RGB };

// 4 x 1 pictures: samples, then pixels 0 to 3 as RRGGBBAA. Palettes are PALETTE with tRNS
// alphas; other types may name a clear grey (or R = G = B) in trns_value (-1: none).
struct DecodeCase {
    int color_type, bit_depth;
    std::vector<uint8_t> trns_alpha;
    int trns_value;
    std::vector<uint16_t> samples;
    const char *expected[4];
    bool interlaced;   // once: the passes themselves are libpng's
};
static const DecodeCase DECODE_CASES[] = {
    {PAL, 2, {0, 7}, -1, {3, 2, 1, 0}, {"0A141EFF", "0000FFFF", "00FF0007", "FF000000"}, false},
    {PAL, 2, {0, 7}, -1, {3, 2, 1, 0}, {"0A141EFF", "0000FFFF", "00FF0007", "FF000000"}, true},
    {GREY, 1, {}, -1, {0, 1, 1, 0}, {"000000FF", "FFFFFFFF", "FFFFFFFF", "000000FF"}, false},
    {GREY, 16, {}, -1, {0, 0x12FF, 0x8001, 0xFFFF}, {"000000FF", "121212FF", "808080FF", "FFFFFFFF"}, false},
    {GREY_A, 8, {}, -1, {100, 50, 0, 0, 255, 255, 7, 200}, {"64646432", "00000000", "FFFFFFFF", "070707C8"}, false},
    {RGB, 8, {}, 40, {1, 2, 3, 40, 40, 40, 40, 40, 41, 40, 40, 40},
     {"010203FF", "28282800", "282829FF", "28282800"}, false},
};

TEST_F(PictureTest, EveryColourTypeDecodesToRgbaBytes)
{
    const std::string path = dir.path("case.png");
    for (const DecodeCase &c : DECODE_CASES) {
        const bool pal = c.color_type == PAL;
        PngSpec spec = {};
        spec.width = 4;
        spec.height = 1;
        spec.color_type = c.color_type;
        spec.bit_depth = c.bit_depth;
        spec.samples = c.samples.data();
        spec.palette = pal ? PALETTE : nullptr;
        spec.palette_entries = pal ? 4 : 0;
        spec.trns_alpha = c.trns_alpha.empty() ? nullptr : c.trns_alpha.data();
        spec.trns_count = (int)c.trns_alpha.size();
        spec.trns_color = c.trns_value >= 0;
        spec.trns_value = (uint16_t)c.trns_value;
        spec.interlaced = c.interlaced;
        ASSERT_TRUE(write_png(path.c_str(), spec));
        SDL_Surface *s = load_png_surface(path.c_str());
        ASSERT_NE(nullptr, s) << "type " << c.color_type << " depth " << c.bit_depth;
        EXPECT_EQ(4, s->w);
        EXPECT_EQ(1, s->h);
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(hex((uint8_t *)s->pixels + x * 4), c.expected[x])
                << "type " << c.color_type << " depth " << c.bit_depth << " interlaced " << c.interlaced
                << " pixel " << x;
        SDL_FreeSurface(s);
    }
}

// An 8-bit RGB picture of w x h samples' pixels.
static PngSpec rgb8_spec(int w, int h, const uint16_t *samples)
{
    PngSpec spec = {};
    spec.width = w;
    spec.height = h;
    spec.color_type = RGB;
    spec.bit_depth = 8;
    spec.samples = samples;
    return spec;
}

// A whole, valid file past the limit of decoded bytes (16384 x 4097 x 4 > 256 MiB, no side
// past 16384) is refused; with a file cut short libpng would refuse it anyway.
TEST_F(PictureTest, APngPastTheByteLimitYieldsNothing)
{
    const std::string path = dir.path("large.png");
    PngSpec spec = {};
    spec.width = PICTURE_MAX_SIDE;
    spec.height = PICTURE_MAX_BYTES / 4 / PICTURE_MAX_SIDE + 1;
    spec.color_type = GREY;
    spec.bit_depth = 1;
    ASSERT_TRUE(write_png(path.c_str(), spec));
    EXPECT_EQ(nullptr, load_png_surface(path.c_str()));
}

// A valid 16 x 16 RGB picture cut short: libpng's own refusals all take the one failure path
// the cut file takes.
TEST_F(PictureTest, DamagedFilesYieldNothing)
{
    std::vector<uint16_t> samples(16 * 16 * 3);
    for (size_t i = 0; i < samples.size(); i++)
        samples[i] = (uint16_t)((i * 37) & 0xFF);
    const std::string path = dir.path("damaged.png");
    ASSERT_TRUE(write_png(path.c_str(), rgb8_spec(16, 16, samples.data())));
    SDL_Surface *s = load_png_surface(path.c_str());  // unharmed, so the cases fail for their damage
    ASSERT_NE(s, nullptr);
    SDL_FreeSurface(s);
    const std::string good = read_whole_file(path);
    const size_t idat = good.find("IDAT") + 4;  // first byte of the chunk's data
    dir.write("damaged.png", good.substr(0, idat + 10));
    EXPECT_EQ(nullptr, load_png_surface(path.c_str()));
    EXPECT_EQ(nullptr, load_picture_texture(path.c_str(), win.renderer));
}

// A damaged overlay or font must say why in the log, not on stderr alone.
TEST_F(PictureTest, DamagedPngLogsLibpngsReason)
{
    std::vector<uint16_t> samples(4 * 4 * 3, 100);
    std::string path = dir.path("res/font");
    ASSERT_TRUE(write_png(path.c_str(), rgb8_spec(4, 4, samples.data())));
    dir.write("res/font", read_whole_file(path).substr(0, 40));
    ASSERT_TRUE(log_open(dir.path("res/log").c_str()));
    EXPECT_EQ(load_png_surface(path.c_str()), nullptr);
    log_close();
    EXPECT_EQ(dir.read("res/log"), "Error: " + path + ": Read Error\n");
}

// A w x h grey picture as a BMP or a JPEG.
static bool write_grey(const std::string &path, int w, int h, bool jpeg)
{
    SDL_Surface *src = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    if (!src)
        return false;
    SDL_FillRect(src, nullptr, SDL_MapRGB(src->format, 128, 128, 128));
    const int saved = jpeg ? IMG_SaveJPG(src, path.c_str(), 95) : SDL_SaveBMP(src, path.c_str());
    SDL_FreeSurface(src);
    return saved == 0;
}

// Mended fault: headers claiming absurd sizes (BMP 100000 x -100000, JPEG frame 65021 x 65021)
// are refused before the decoder allocates for them. Garbage is among the damaged files above.
TEST_F(PictureTest, BackgroundDecoderRefusesHugeHeaders)
{
    const std::string path = dir.path("back");
    ASSERT_TRUE(write_grey(path, 7, 5, false));
    std::string bmp = read_whole_file(path);
    dir.write("back", bmp.replace(18, 8, std::string("\xA0\x86\x01\x00\x60\x79\xFE\xFF", 8)));
    EXPECT_EQ(load_picture_texture(path.c_str(), win.renderer), nullptr) << "BMP";
    ASSERT_TRUE(write_grey(path, 64, 48, true));
    std::string jpeg = read_whole_file(path);
    dir.write("back", jpeg.replace(jpeg.find("\xFF\xC0") + 5, 4, "\xFD\xFD\xFD\xFD"));
    EXPECT_EQ(load_picture_texture(path.c_str(), win.renderer), nullptr) << "JPEG";
}

static std::string le(uint32_t value, int bytes)  // little-endian field
{
    std::string field;
    for (int i = 0; i < bytes; i++)
        field += (char)(value >> 8 * i & 0xFF);
    return field;
}

// The old BMP layout: a 12-byte core header with 16-bit sizes (mended fault: read as 32-bit
// fields, 3 x 2 became 131075 x 0 and the picture was refused).
TEST_F(PictureTest, OldStyleBmpWithCoreHeaderLoads)
{
    const std::string pixels(2 * 12, '\x40');  // two rows of 3 grey pixels, each padded to 12 bytes
    const std::string bmp = "BM" + le(26 + (uint32_t)pixels.size(), 4) + le(0, 4) + le(26, 4) + le(12, 4) +
                            le(3, 2) + le(2, 2) + le(1, 2) + le(24, 2) + pixels;
    dir.write("back", bmp);
    SDL_Texture *t = load_picture_texture(dir.path("back").c_str(), win.renderer);
    ASSERT_NE(t, nullptr);
    int w = 0, h = 0;
    SDL_QueryTexture(t, nullptr, nullptr, &w, &h);
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    SDL_DestroyTexture(t);
}

// Only BMP, GIF, JPEG and PNG reach a decoder; other formats are refused by their signature
// (mended fault: this 123-byte SVG crashed the SVG decoder).
TEST_F(PictureTest, BackgroundRefusesSvg)
{
    dir.write("back", "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30000\" height=\"30000\"><rect "
                      "width=\"30000\" height=\"30000\" fill=\"red\"/></svg>\n");
    EXPECT_EQ(load_picture_texture(dir.path("back").c_str(), win.renderer), nullptr);
}

// The GIF decoder allocates for the first image's own size, which may exceed the logical
// screen's; extension blocks may come before it.
TEST(PictureHeader, GifSizeIsTheLargerOfScreenAndFirstImage)
{
    const std::string gif = "GIF89a" + le(1, 2) + le(1, 2) + std::string(3, '\0') +
                            std::string("\x21\xF9\x04\0\0\0\0\0", 8) + "\x2C" + le(0, 4) + le(40000, 2) +
                            le(300, 2) + std::string(1, '\0');
    PictureHeader header = {};
    ASSERT_TRUE(picture_header((const uint8_t *)gif.data(), gif.size(), &header));
    EXPECT_EQ(header.format, PICTURE_GIF);
    EXPECT_EQ(header.w, 40000u);
    EXPECT_EQ(header.h, 300u);
}
