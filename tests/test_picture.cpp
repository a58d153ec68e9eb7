// Picture loading: PNG decoding to R, G, B, A for every colour type (interlacing once: the
// passes themselves are libpng's), refusal of damaged files and of pictures past the size
// limit, and the headers read before the background decoder is trusted with a file.
#include <SDL.h>
#include <gtest/gtest.h>
#include <png.h>
#include <stdio.h>
#include <string>
#include <vector>
#include "base/log.h"
#include "support/png_writer.h"
#include "support/res_dir.h"
#include "support/test_window.h"
#include "support/watch.h"
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
        PngSpec spec = png_spec(4, 1, c.color_type, c.bit_depth, c.samples.data());
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

// A whole, valid file past the limit of decoded bytes (16384 x 4097 x 4 > 256 MiB, no side
// past 16384) is refused; with a file cut short libpng would refuse it anyway.
TEST_F(PictureTest, APngPastTheByteLimitYieldsNothing)
{
    const std::string path = dir.path("large.png");
    const int height = PICTURE_MAX_BYTES / 4 / PICTURE_MAX_SIDE + 1;
    ASSERT_TRUE(write_png(path.c_str(), png_spec(PICTURE_MAX_SIDE, height, GREY, 1, nullptr)));
    EXPECT_EQ(nullptr, load_png_surface(path.c_str()));
}

// A valid picture cut short in its pixel data: libpng's own refusals all take the one failure
// path the cut file takes. A damaged overlay or font must say why in the log, not on stderr
// alone.
TEST_F(PictureTest, ACutPngYieldsNothingAndLogsLibpngsReason)
{
    const std::vector<uint16_t> samples(4 * 4 * 3, 100);
    const std::string path = dir.path("res/font");
    ASSERT_TRUE(write_png(path.c_str(), png_spec(4, 4, RGB, 8, samples.data())));
    const std::string whole = read_whole_file(path);
    dir.write("res/font", whole.substr(0, whole.find("IDAT") + 6));
    ASSERT_TRUE(log_open(dir.path("res/log").c_str()));
    EXPECT_EQ(nullptr, load_png_surface(path.c_str()));
    log_close();
    EXPECT_EQ("Error: " + path + ": Read Error\n", dir.read("res/log"));
    EXPECT_EQ(nullptr, load_picture_texture(path.c_str(), win.renderer));
}

static std::string le(uint32_t value, int bytes)  // little-endian field
{
    std::string field;
    for (int i = 0; i < bytes; i++)
        field += (char)(i < 4 ? (value >> (8 * i)) & 0xFF : 0);   // past 4 bytes, zeros
    return field;
}

static std::string bytes(std::initializer_list<uint8_t> list) { return std::string(list.begin(), list.end()); }

// A BMP's file header and the start of its info header: length and the two sizes.
static std::string bmp_header(uint32_t info_size, uint32_t w, uint32_t h, int size_bytes)
{
    return "BM" + le(0, 12) + le(info_size, 4) + le(w, size_bytes) + le(h, size_bytes);
}

// Two rows of 3 grey pixels, each padded to 12 bytes, under the old 12-byte core header.
static const std::string OLD_BMP = "BM" + le(50, 4) + le(0, 4) + le(26, 4) + le(12, 4) + le(3, 2) + le(2, 2) +
                                   le(1, 2) + le(24, 2) + std::string(2 * 12, '\x40');
// Mended fault: this 123-byte SVG crashed the SVG decoder.
static const std::string SVG = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"30000\" height=\"30000\">"
                               "<rect width=\"30000\" height=\"30000\" fill=\"red\"/></svg>\n";

// The size the decoder would allocate for. Mended fault: the core header's 16-bit sizes were
// read as 32-bit fields, so 3 x 2 became 131075 x 0 and the picture was refused.
TEST(PictureHeader, TheSizeEachFormatDeclares)
{
    const std::string gif = "GIF89a" + le(1, 2) + le(1, 2) + std::string(3, '\0') +
                            bytes({0x21, 0xF9, 0x04, 0, 0, 0, 0, 0, 0x2C}) + le(0, 4) + le(40000, 2) + le(300, 2) +
                            std::string(1, '\0');
    const struct {
        const char *name;
        std::string file;
        bool read;
        uint32_t w, h;
    } cases[] = {
        {"BMP with a core header", OLD_BMP, true, 3, 2},
        {"BMP, rows top-down", bmp_header(40, 100000, (uint32_t)-100000, 4), true, 100000, 100000},
        {"BMP, an info header too short", bmp_header(39, 1, 1, 4), false, 0, 0},
        {"GIF, the first image past the screen", gif, true, 40000, 300},
        {"JPEG, the frame after a segment", bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 4, 0, 0, 0xFF, 0xC0, 0, 17, 8, 0xFD,
                                                   0xFD, 0xFD, 0xFE}), true, 0xFDFE, 0xFDFD},
        {"SVG", SVG, false, 0, 0},
    };
    for (const auto &c : cases) {
        PictureHeader header = {};
        EXPECT_EQ(c.read, picture_header((const uint8_t *)c.file.data(), c.file.size(), &header)) << c.name;
        EXPECT_EQ(c.w, header.w) << c.name;
        EXPECT_EQ(c.h, header.h) << c.name;
    }
}

// Nothing reaches a decoder before its header is read and its size allowed (mended fault:
// headers claiming 100000 x 100000 were allocated for).
TEST_F(PictureTest, TheBackgroundDecoderGetsOnlyWhatItsHeaderAllows)
{
    const struct {
        const char *name;
        std::string file;
        const char *refusal;   // the log line's start; null: loads
    } cases[] = {
        {"BMP with a core header", OLD_BMP, nullptr},
        {"BMP past the size limit", bmp_header(40, 100000, (uint32_t)-100000, 4), "picture too large: "},
        {"SVG", SVG, "not a BMP, GIF, JPEG or PNG picture: "},
    };
    const std::string path = dir.path("back");
    for (const auto &c : cases) {
        LogCapture log;
        dir.write("back", c.file);
        SDL_Texture *t = load_picture_texture(path.c_str(), win.renderer);
        EXPECT_EQ(c.refusal == nullptr, t != nullptr) << c.name;
        SDL_DestroyTexture(t);
        if (c.refusal) {
            EXPECT_NE(std::string::npos, log.text().find(c.refusal + path)) << c.name << ": " << log.text();
        }
    }
}
