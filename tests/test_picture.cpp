// Picture loading: PNG decoding to R, G, B, A for every colour type, refusal of damaged
// files, the background decoder, and the shipped pictures, sounds and font.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <png.h>

#include "support/png_writer.h"
#include "video/picture.h"

namespace {

SDL_Window *window;
SDL_Renderer *renderer;
std::string temp_dir;

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("picture", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        renderer = SDL_CreateRenderer(window, -1,
                                      SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        ASSERT_NE(renderer, nullptr) << SDL_GetError();
        char pattern[] = "/tmp/test_picture_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        temp_dir = pattern;
    }
    static void TearDownTestSuite()
    {
        std::string command = "rm -rf '" + temp_dir + "'";
        if (system(command.c_str()) != 0)
            fprintf(stderr, "could not remove %s\n", temp_dir.c_str());
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
    }
};

std::string temp_path(const char *name)
{
    return temp_dir + "/" + name;
}

std::string shipped(const char *name)
{
    const char *root = getenv("TEST_SOURCE_DIR");
    return std::string(root ? root : ".") + "/res/" + name;
}

uint32_t rgba(int r, int g, int b, int a)
{
    return (uint32_t)r << 24 | (uint32_t)g << 16 | (uint32_t)b << 8 | (uint32_t)a;
}

std::string hex(uint32_t v)
{
    char text[16];
    snprintf(text, sizeof text, "%08X", v);
    return text;
}

// Bytes R, G, B, A of the surface pixel packed as 0xRRGGBBAA for readable messages.
uint32_t surface_rgba(const SDL_Surface *s, int x, int y)
{
    const uint8_t *p = (const uint8_t *)s->pixels + y * s->pitch + x * 4;
    return rgba(p[0], p[1], p[2], p[3]);
}

// Draws the whole texture unblended into a target and reads it back as bytes R, G, B, A.
std::vector<uint8_t> texture_pixels(SDL_Texture *texture, int w, int h)
{
    std::vector<uint8_t> out((size_t)w * h * 4);
    SDL_Texture *target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_TARGET, w, h);
    if (!target)
        return {};
    SDL_SetRenderTarget(renderer, target);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 0);
    SDL_RenderClear(renderer);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, out.data(), w * 4);
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_DestroyTexture(target);
    return out;
}

// ---------------------------------------------------------------------------------------
// PNG decoding
// ---------------------------------------------------------------------------------------

struct DecodeCase {
    const char *name;
    int color_type;
    int bit_depth;
    std::vector<uint16_t> samples;  // a 4 x 1 picture
    std::vector<uint32_t> expected; // 0xRRGGBBAA per pixel
    std::vector<uint8_t> palette;
    std::vector<uint8_t> trns_alpha;
    bool trns_color;
    uint16_t trns_value;            // grey value, or the same value for R, G and B
};

const uint8_t PALETTE[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};

const DecodeCase DECODE_CASES[] = {
    {"palette 8", PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3},
     {rgba(255, 0, 0, 255), rgba(0, 255, 0, 255), rgba(0, 0, 255, 255), rgba(10, 20, 30, 255)},
     {PALETTE, PALETTE + 12}, {}, false, 0},
    {"palette 8 tRNS", PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 3},
     {rgba(255, 0, 0, 0), rgba(0, 255, 0, 128), rgba(0, 0, 255, 255), rgba(10, 20, 30, 255)},
     {PALETTE, PALETTE + 12}, {0, 128}, false, 0},
    {"palette 2 tRNS", PNG_COLOR_TYPE_PALETTE, 2, {3, 2, 1, 0},
     {rgba(10, 20, 30, 255), rgba(0, 0, 255, 255), rgba(0, 255, 0, 7), rgba(255, 0, 0, 255)},
     {PALETTE, PALETTE + 12}, {255, 7}, false, 0},
    {"grey 1", PNG_COLOR_TYPE_GRAY, 1, {0, 1, 1, 0},
     {rgba(0, 0, 0, 255), rgba(255, 255, 255, 255), rgba(255, 255, 255, 255),
      rgba(0, 0, 0, 255)}, {}, {}, false, 0},
    {"grey 2", PNG_COLOR_TYPE_GRAY, 2, {0, 1, 2, 3},
     {rgba(0, 0, 0, 255), rgba(85, 85, 85, 255), rgba(170, 170, 170, 255),
      rgba(255, 255, 255, 255)}, {}, {}, false, 0},
    {"grey 4", PNG_COLOR_TYPE_GRAY, 4, {0, 1, 10, 15},
     {rgba(0, 0, 0, 255), rgba(17, 17, 17, 255), rgba(170, 170, 170, 255),
      rgba(255, 255, 255, 255)}, {}, {}, false, 0},
    {"grey 8", PNG_COLOR_TYPE_GRAY, 8, {0, 77, 200, 255},
     {rgba(0, 0, 0, 255), rgba(77, 77, 77, 255), rgba(200, 200, 200, 255),
      rgba(255, 255, 255, 255)}, {}, {}, false, 0},
    {"grey 8 tRNS", PNG_COLOR_TYPE_GRAY, 8, {0, 77, 200, 77},
     {rgba(0, 0, 0, 255), rgba(77, 77, 77, 0), rgba(200, 200, 200, 255), rgba(77, 77, 77, 0)},
     {}, {}, true, 77},
    {"grey 16", PNG_COLOR_TYPE_GRAY, 16, {0x0000, 0x12FF, 0x8001, 0xFFFF},
     {rgba(0, 0, 0, 255), rgba(0x12, 0x12, 0x12, 255), rgba(0x80, 0x80, 0x80, 255),
      rgba(255, 255, 255, 255)}, {}, {}, false, 0},
    {"grey alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {100, 50, 0, 0, 255, 255, 7, 200},
     {rgba(100, 100, 100, 50), rgba(0, 0, 0, 0), rgba(255, 255, 255, 255),
      rgba(7, 7, 7, 200)}, {}, {}, false, 0},
    {"grey alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16,
     {0xAB00, 0x7F11, 0, 0, 0xFFFF, 0xFFFF, 0x0100, 0x80FF},
     {rgba(0xAB, 0xAB, 0xAB, 0x7F), rgba(0, 0, 0, 0), rgba(255, 255, 255, 255),
      rgba(1, 1, 1, 0x80)}, {}, {}, false, 0},
    {"rgb 8", PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 250, 251, 252, 0, 0, 0, 9, 99, 199},
     {rgba(1, 2, 3, 255), rgba(250, 251, 252, 255), rgba(0, 0, 0, 255),
      rgba(9, 99, 199, 255)}, {}, {}, false, 0},
    {"rgb 8 tRNS", PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 40, 40, 40, 40, 40, 41, 40, 40, 40},
     {rgba(1, 2, 3, 255), rgba(40, 40, 40, 0), rgba(40, 40, 41, 255), rgba(40, 40, 40, 0)},
     {}, {}, true, 40},
    {"rgb 16", PNG_COLOR_TYPE_RGB, 16,
     {0x0102, 0xFEDC, 0x8000, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0x1111, 0x2222, 0x3333},
     {rgba(1, 0xFE, 0x80, 255), rgba(0, 0, 0, 255), rgba(255, 255, 255, 255),
      rgba(0x11, 0x22, 0x33, 255)}, {}, {}, false, 0},
    {"rgba 8", PNG_COLOR_TYPE_RGB_ALPHA, 8,
     {10, 20, 30, 40, 0, 0, 0, 0, 255, 255, 255, 255, 1, 2, 3, 254},
     {rgba(10, 20, 30, 40), rgba(0, 0, 0, 0), rgba(255, 255, 255, 255), rgba(1, 2, 3, 254)},
     {}, {}, false, 0},
    {"rgba 16", PNG_COLOR_TYPE_RGB_ALPHA, 16,
     {0x0A00, 0x14FF, 0x1E00, 0x2800, 0, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
      0x0100, 0x0200, 0x0300, 0xFE00},
     {rgba(10, 20, 30, 40), rgba(0, 0, 0, 0), rgba(255, 255, 255, 255), rgba(1, 2, 3, 254)},
     {}, {}, false, 0},
};

TEST_F(PictureTest, EveryColourTypeDecodesToRgbaBytes)
{
    for (const DecodeCase &c : DECODE_CASES) {
        SCOPED_TRACE(c.name);
        PngSpec spec = {};
        spec.width = 4;
        spec.height = 1;
        spec.color_type = c.color_type;
        spec.bit_depth = c.bit_depth;
        spec.samples = c.samples.data();
        if (!c.palette.empty()) {
            spec.palette = c.palette.data();
            spec.palette_entries = (int)c.palette.size() / 3;
        }
        if (!c.trns_alpha.empty()) {
            spec.trns_alpha = c.trns_alpha.data();
            spec.trns_count = (int)c.trns_alpha.size();
        }
        spec.trns_color = c.trns_color;
        spec.trns_r = spec.trns_g = spec.trns_b = spec.trns_grey = c.trns_value;
        std::string path = temp_path("case.png");
        ASSERT_TRUE(write_png(path.c_str(), spec));

        SDL_Surface *s = load_png_surface(path.c_str());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->w, 4);
        EXPECT_EQ(s->h, 1);
        EXPECT_EQ(s->format->BitsPerPixel, 32);
        EXPECT_EQ(s->format->Rmask, 0x000000FFu);
        EXPECT_EQ(s->format->Amask, 0xFF000000u);
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(hex(surface_rgba(s, x, 0)), hex(c.expected[x])) << "pixel " << x;
        SDL_FreeSurface(s);
    }
}

// Every row and column of an interlaced picture must land in its place, not only pass 1's.
TEST_F(PictureTest, InterlacedPictureDecodesWhole)
{
    const int W = 13, H = 11;
    std::vector<uint16_t> samples;
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++) {
            samples.push_back((uint16_t)(x * 19));
            samples.push_back((uint16_t)(y * 23));
            samples.push_back((uint16_t)((x * y) & 0xFF));
        }
    PngSpec spec = {};
    spec.width = W;
    spec.height = H;
    spec.color_type = PNG_COLOR_TYPE_RGB;
    spec.bit_depth = 8;
    spec.samples = samples.data();
    spec.interlaced = true;
    std::string path = temp_path("interlaced.png");
    ASSERT_TRUE(write_png(path.c_str(), spec));

    SDL_Surface *s = load_png_surface(path.c_str());
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < H; y++)
        for (int x = 0; x < W; x++)
            ASSERT_EQ(hex(surface_rgba(s, x, y)), hex(rgba(x * 19, y * 23, (x * y) & 0xFF, 255)))
                << "at " << x << "," << y;
    SDL_FreeSurface(s);
}

TEST_F(PictureTest, PngTextureHoldsTheDecodedPixels)
{
    const int W = 5, H = 3;
    std::vector<uint16_t> samples;
    for (int i = 0; i < W * H; i++) {
        samples.push_back((uint16_t)(i * 17));
        samples.push_back((uint16_t)(255 - i * 17));
        samples.push_back((uint16_t)(i & 1 ? 255 : 0));
        samples.push_back((uint16_t)(i * 5));
    }
    PngSpec spec = {};
    spec.width = W;
    spec.height = H;
    spec.color_type = PNG_COLOR_TYPE_RGB_ALPHA;
    spec.bit_depth = 8;
    spec.samples = samples.data();
    std::string path = temp_path("texture.png");
    ASSERT_TRUE(write_png(path.c_str(), spec));

    SDL_Texture *t = load_png_texture(path.c_str(), renderer);
    ASSERT_NE(t, nullptr);
    uint32_t format = 0;
    int access = 0, w = 0, h = 0;
    SDL_QueryTexture(t, &format, &access, &w, &h);
    EXPECT_EQ(format, (uint32_t)SDL_PIXELFORMAT_ABGR8888);
    EXPECT_EQ(access, SDL_TEXTUREACCESS_STATIC);
    EXPECT_EQ(w, W);
    EXPECT_EQ(h, H);
    std::vector<uint8_t> pixels = texture_pixels(t, W, H);
    ASSERT_EQ(pixels.size(), (size_t)W * H * 4);
    for (int i = 0; i < W * H * 4; i++)
        EXPECT_EQ(pixels[i], samples[i]) << "byte " << i;
    SDL_DestroyTexture(t);
    EXPECT_EQ(load_png_texture(temp_path("missing.png").c_str(), renderer), nullptr);
}

// ---------------------------------------------------------------------------------------
// Damaged and hostile files
// ---------------------------------------------------------------------------------------

// A valid 16 x 16 RGB picture in memory, as the base of the damaged variants.
std::vector<uint8_t> good_png_bytes()
{
    std::vector<uint16_t> samples;
    for (int i = 0; i < 16 * 16 * 3; i++)
        samples.push_back((uint16_t)((i * 37) & 0xFF));
    PngSpec spec = {};
    spec.width = 16;
    spec.height = 16;
    spec.color_type = PNG_COLOR_TYPE_RGB;
    spec.bit_depth = 8;
    spec.samples = samples.data();
    std::string path = temp_path("good.png");
    if (!write_png(path.c_str(), spec))
        return {};
    size_t size = 0;
    uint8_t *data = read_file(path.c_str(), &size);
    std::vector<uint8_t> bytes(data, data + (data ? size : 0));
    free(data);
    return bytes;
}

// Offset of the first byte of the IDAT chunk's data.
size_t idat_data_offset(const std::vector<uint8_t> &png)
{
    for (size_t i = 8; i + 8 <= png.size(); i++)
        if (memcmp(&png[i + 4], "IDAT", 4) == 0)
            return i + 8;
    return 0;
}

TEST_F(PictureTest, DamagedFilesYieldNothing)
{
    std::vector<uint8_t> good = good_png_bytes();
    ASSERT_FALSE(good.empty());
    size_t idat = idat_data_offset(good);
    ASSERT_GT(idat, 0u);

    struct Damage {
        const char *name;
        std::vector<uint8_t> bytes;
    };
    std::vector<Damage> cases;
    cases.push_back({"empty", {}});
    const char text[] = "this is a text file, not a picture\n";
    cases.push_back({"text", std::vector<uint8_t>(text, text + sizeof text - 1)});
    cases.push_back({"signature only", std::vector<uint8_t>(good.begin(), good.begin() + 8)});
    cases.push_back({"cut in header", std::vector<uint8_t>(good.begin(), good.begin() + 20)});
    cases.push_back({"cut in data", std::vector<uint8_t>(good.begin(), good.begin() + idat + 10)});
    std::vector<uint8_t> crc = good;
    crc[idat + 3] ^= 0x40;
    cases.push_back({"data CRC wrong", crc});
    std::vector<uint8_t> zlib = good;
    zlib[idat] = 0xFF;  // not a deflate stream header
    png_fix_crc(zlib.data(), idat - 8);  // only the decompression may notice
    cases.push_back({"data not deflate", zlib});
    std::vector<uint8_t> huge = good;
    png_patch_size(huge.data(), 100000, 100000);
    cases.push_back({"side above limit", huge});
    std::vector<uint8_t> wide = good;
    png_patch_size(wide.data(), 16384, 16384);  // sides allowed, 1 GiB of pixels is not
    cases.push_back({"area above limit", wide});
    std::vector<uint8_t> overflow = good;
    png_patch_size(overflow.data(), 0x7FFFFFFF, 0x7FFFFFFF);
    cases.push_back({"size overflows", overflow});
    std::vector<uint8_t> zero = good;
    png_patch_size(zero.data(), 0, 16);
    cases.push_back({"zero width", zero});
    std::vector<uint8_t> bigger = good;
    png_patch_size(bigger.data(), 16, 4000);  // claims far more rows than the data holds
    cases.push_back({"rows missing", bigger});

    for (Damage &d : cases) {
        SCOPED_TRACE(d.name);
        std::string path = temp_path("damaged.png");
        ASSERT_TRUE(write_file(path.c_str(), d.bytes.data(), d.bytes.size()));
        EXPECT_EQ(load_png_surface(path.c_str()), nullptr);
        EXPECT_EQ(load_png_texture(path.c_str(), renderer), nullptr);
        EXPECT_EQ(load_picture_texture(path.c_str(), renderer), nullptr);
    }
    EXPECT_EQ(load_png_surface(temp_path("missing.png").c_str()), nullptr);
    EXPECT_EQ(load_png_surface(temp_dir.c_str()), nullptr);  // a directory

    // The unharmed bytes still decode, so the cases above fail for their damage alone.
    std::string path = temp_path("good_again.png");
    ASSERT_TRUE(write_file(path.c_str(), good.data(), good.size()));
    SDL_Surface *s = load_png_surface(path.c_str());
    EXPECT_NE(s, nullptr);
    SDL_FreeSurface(s);
}

// ---------------------------------------------------------------------------------------
// Background pictures in other formats
// ---------------------------------------------------------------------------------------

// Colour of the test pattern at (x, y): four quadrants, distinct channels each.
uint32_t quadrant_colour(int x, int y, int w, int h)
{
    static const uint32_t COLOURS[4] = {rgba(220, 30, 40, 255), rgba(20, 200, 60, 255),
                                        rgba(30, 50, 210, 255), rgba(240, 230, 200, 255)};
    return COLOURS[(x >= w / 2 ? 1 : 0) + (y >= h / 2 ? 2 : 0)];
}

SDL_Surface *quadrant_surface(int w, int h)
{
    SDL_Surface *s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    if (!s)
        return nullptr;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            uint32_t c = quadrant_colour(x, y, w, h);
            uint8_t *p = (uint8_t *)s->pixels + y * s->pitch + x * 3;
            p[0] = (uint8_t)(c >> 24);
            p[1] = (uint8_t)(c >> 16);
            p[2] = (uint8_t)(c >> 8);
        }
    return s;
}

TEST_F(PictureTest, BackgroundDecoderReadsOtherFormatsUpright)
{
    // An odd width exercises the BMP row padding; the JPEG is lossy, so its quadrants are
    // compared away from the edges with a tolerance.
    struct Format {
        const char *name;
        int w, h;
        int tolerance;
    };
    const Format FORMATS[] = {{"bmp", 7, 5, 0}, {"jpg", 64, 48, 12}, {"png", 9, 6, 0}};
    for (const Format &f : FORMATS) {
        SCOPED_TRACE(f.name);
        SDL_Surface *source = quadrant_surface(f.w, f.h);
        ASSERT_NE(source, nullptr);
        std::string path = temp_path("back");  // no extension, as res/back ships
        int saved = strcmp(f.name, "bmp") == 0   ? SDL_SaveBMP(source, path.c_str())
                    : strcmp(f.name, "jpg") == 0 ? IMG_SaveJPG(source, path.c_str(), 95)
                                                 : IMG_SavePNG(source, path.c_str());
        SDL_FreeSurface(source);
        ASSERT_EQ(saved, 0) << SDL_GetError();

        SDL_Texture *t = load_picture_texture(path.c_str(), renderer);
        ASSERT_NE(t, nullptr);
        uint32_t format = 0;
        int w = 0, h = 0;
        SDL_QueryTexture(t, &format, nullptr, &w, &h);
        EXPECT_FALSE(SDL_ISPIXELFORMAT_ALPHA(format)) << SDL_GetPixelFormatName(format);
        ASSERT_EQ(w, f.w);
        ASSERT_EQ(h, f.h);
        std::vector<uint8_t> pixels = texture_pixels(t, w, h);
        ASSERT_EQ(pixels.size(), (size_t)w * h * 4);
        SDL_DestroyTexture(t);
        int margin = f.tolerance ? 8 : 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                int dx = x < w / 2 ? w / 2 - 1 - x : x - w / 2;
                int dy = y < h / 2 ? h / 2 - 1 - y : y - h / 2;
                if (dx < margin || dy < margin)
                    continue;
                uint32_t want = quadrant_colour(x, y, w, h);
                const uint8_t *p = &pixels[((size_t)y * w + x) * 4];
                for (int ch = 0; ch < 3; ch++)
                    ASSERT_NEAR(p[ch], (int)(want >> (24 - 8 * ch)) & 0xFF, f.tolerance)
                        << "channel " << ch << " at " << x << "," << y;
            }
    }
    EXPECT_EQ(load_picture_texture(temp_path("no_such_back").c_str(), renderer), nullptr);
}

// Headers that claim absurd sizes must be refused before the decoder allocates for them.
TEST_F(PictureTest, BackgroundRefusesHugeHeaders)
{
    SDL_Surface *source = quadrant_surface(16, 16);
    ASSERT_NE(source, nullptr);
    std::string bmp = temp_path("huge.bmp"), jpg = temp_path("huge.jpg");
    ASSERT_EQ(SDL_SaveBMP(source, bmp.c_str()), 0);
    ASSERT_EQ(IMG_SaveJPG(source, jpg.c_str(), 90), 0);
    SDL_FreeSurface(source);

    struct Patch {
        const char *name;
        std::string path;
        bool ok;
    };
    size_t size = 0;
    uint8_t *data = read_file(bmp.c_str(), &size);
    ASSERT_NE(data, nullptr);
    const int32_t side = 100000, negative = -100000;
    memcpy(data + 18, &side, 4);
    memcpy(data + 22, &negative, 4);  // top-down
    ASSERT_TRUE(write_file(bmp.c_str(), data, size));
    free(data);

    data = read_file(jpg.c_str(), &size);
    ASSERT_NE(data, nullptr);
    bool patched = false;
    for (size_t i = 2; i + 9 < size && !patched; i++)
        if (data[i] == 0xFF && data[i + 1] == 0xC0) {
            data[i + 5] = data[i + 6] = data[i + 7] = data[i + 8] = 0xFD;  // 65021 x 65021
            patched = true;
        }
    ASSERT_TRUE(patched) << "no baseline frame header";
    ASSERT_TRUE(write_file(jpg.c_str(), data, size));
    free(data);

    EXPECT_EQ(load_picture_texture(bmp.c_str(), renderer), nullptr);
    EXPECT_EQ(load_picture_texture(jpg.c_str(), renderer), nullptr);
}

// ---------------------------------------------------------------------------------------
// Shipped resources
// ---------------------------------------------------------------------------------------

// The font is measured the way the overlay measures it: a column counts as inked when one
// of its pixels has alpha 248 or more.
TEST_F(PictureTest, ShippedFontHasSensibleGlyphs)
{
    SDL_Surface *font = load_png_surface(shipped("font").c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->w % 16, 0);
    EXPECT_EQ(font->h % 8, 0);
    int cell_w = font->w / 16, cell_h = font->h / 8;
    EXPECT_GE(cell_h, 32) << "too small to read at 1920 x 1080";
    EXPECT_LE(cell_h, 50) << "taller than a menu row";
    for (int c = 0; c < 128; c++) {
        int last_inked = -1, first_inked = -1;
        for (int x = 0; x < cell_w; x++)
            for (int y = 0; y < cell_h; y++) {
                uint32_t p = surface_rgba(font, (c % 16) * cell_w + x, (c / 16) * cell_h + y);
                if ((p & 0xFF) >= 248) {
                    if (first_inked < 0)
                        first_inked = x;
                    last_inked = x;
                }
            }
        bool should_ink = (c > 32 && c < 127) || c == 5;
        if (c == 32) {
            EXPECT_EQ(last_inked, -1) << "space has ink";
        } else if (should_ink) {
            SCOPED_TRACE(testing::Message() << "code " << c);
            ASSERT_GE(last_inked, 0) << "no ink";
            int advance = cell_w / 7 + last_inked;
            EXPECT_GE(advance, cell_w / 4);
            EXPECT_LT(advance, cell_w);
            // Ink never reaches the cell's right edge, so neighbours never touch.
            EXPECT_LT(last_inked, cell_w - 2);
            EXPECT_GT(first_inked, 0);
        }
    }
    // The ink is white, so the overlay's colour modulation gives white or yellow text.
    int ink = 0;
    for (int y = 0; y < font->h; y++)
        for (int x = 0; x < font->w; x++) {
            uint32_t p = surface_rgba(font, x, y);
            if ((p & 0xFF) >= 248) {
                EXPECT_EQ(p >> 8, 0xFFFFFFu) << "at " << x << "," << y;
                ink++;
            }
        }
    EXPECT_GT(ink, 0);
    SDL_FreeSurface(font);
}

TEST_F(PictureTest, ShippedPicturesDecode)
{
    SDL_Surface *overlay = load_png_surface(shipped("overlay").c_str());
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->w, 1920);
    EXPECT_EQ(overlay->h, 1080);
    // Behind the first menu item the panel lets the game show through.
    uint32_t behind_play = surface_rgba(overlay, 500, 270);
    EXPECT_GT(behind_play & 0xFF, 60u);
    EXPECT_LT(behind_play & 0xFF, 250u);
    SDL_FreeSurface(overlay);

    SDL_Surface *splash = load_png_surface(shipped("splash").c_str());
    ASSERT_NE(splash, nullptr);
    EXPECT_NEAR(splash->w * 224.0 / (splash->h * 256.0), 1.0, 0.01) << "not 256 x 224 shaped";
    SDL_FreeSurface(splash);

    // The background is deliberately not a PNG, and still reads.
    size_t size = 0;
    uint8_t *back = read_file(shipped("back").c_str(), &size);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(size > 8 && memcmp(back, "\x89PNG", 4) != 0);
    free(back);
    SDL_Texture *t = load_picture_texture(shipped("back").c_str(), renderer);
    ASSERT_NE(t, nullptr);
    int w = 0, h = 0;
    SDL_QueryTexture(t, nullptr, nullptr, &w, &h);
    EXPECT_EQ(w, 1920);
    EXPECT_EQ(h, 1080);
    SDL_DestroyTexture(t);
}

TEST_F(PictureTest, ShippedSoundsAreShortQuietMono)
{
    for (const char *name : {"s_hover", "s_select"}) {
        SCOPED_TRACE(name);
        SDL_AudioSpec spec;
        uint8_t *buffer = nullptr;
        uint32_t length = 0;
        ASSERT_NE(SDL_LoadWAV(shipped(name).c_str(), &spec, &buffer, &length), nullptr)
            << SDL_GetError();
        EXPECT_EQ(spec.freq, 44100);
        EXPECT_EQ(spec.format, AUDIO_S16LSB);
        EXPECT_EQ(spec.channels, 1);
        EXPECT_GT(length, 0u);
        EXPECT_LT(length, 44100u * 2 / 2) << "longer than half a second";
        int peak = 0;
        for (uint32_t i = 0; i + 1 < length; i += 2) {
            int16_t v = (int16_t)(buffer[i] | buffer[i + 1] << 8);
            peak = v < 0 ? (-v > peak ? -v : peak) : (v > peak ? v : peak);
        }
        EXPECT_GT(peak, 1000);
        EXPECT_LT(peak, 20000) << "too loud";
        SDL_FreeWAV(buffer);
    }
}

}  // namespace
