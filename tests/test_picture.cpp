// Picture loading: PNG decoding to R, G, B, A for every colour type, refusal of damaged
// files, the background decoder, and the shipped pictures and font.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <png.h>

#include "support/png_writer.h"
#include "support/res_dir.h"
#include "video/picture.h"

namespace {

SDL_Window *window;
SDL_Renderer *renderer;

class PictureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window = SDL_CreateWindow("picture", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        renderer = SDL_CreateRenderer(window, -1,
                                      SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
        ASSERT_NE(renderer, nullptr) << SDL_GetError();
    }
    static void TearDownTestSuite()
    {
        SDL_DestroyRenderer(renderer);
        SDL_DestroyWindow(window);
        SDL_Quit();
    }
    ResDir dir;
};

std::string shipped(const char *name)
{
    const char *root = getenv("TEST_SOURCE_DIR");
    return std::string(root ? root : ".") + "/res/" + name;
}

std::string hex(uint32_t v)
{
    char text[16];
    snprintf(text, sizeof text, "%08X", v);
    return text;
}

// Bytes R, G, B, A at p packed as 0xRRGGBBAA for readable messages.
uint32_t rgba_at(const uint8_t *p)
{
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

uint32_t surface_rgba(const SDL_Surface *s, int x, int y)
{
    return rgba_at((const uint8_t *)s->pixels + y * s->pitch + x * 4);
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
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ABGR8888, out.data(), w * 4);
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_DestroyTexture(target);
    return out;
}

const uint8_t PALETTE[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};

struct DecodeCase {
    const char *name;
    int color_type, bit_depth;
    std::vector<uint16_t> samples;   // a 4 x 1 picture; palette pictures use PALETTE
    uint32_t expected[4];            // 0xRRGGBBAA per pixel
    std::vector<uint8_t> trns_alpha; // palette pictures
    int trns_value;                  // grey and RGB pictures: the clear grey, or R = G = B; or -1
};

enum { PAL = PNG_COLOR_TYPE_PALETTE, GREY = PNG_COLOR_TYPE_GRAY,
       GREY_A = PNG_COLOR_TYPE_GRAY_ALPHA, RGB = PNG_COLOR_TYPE_RGB, RGBA = PNG_COLOR_TYPE_RGB_ALPHA };

const DecodeCase DECODE_CASES[] = {
    {"palette 8", PAL, 8, {0, 1, 2, 3}, {0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0x0A141EFF}, {}, -1},
    {"palette 2 tRNS", PAL, 2, {3, 2, 1, 0},
     {0x0A141EFF, 0x0000FFFF, 0x00FF0007, 0xFF000000}, {0, 7}, -1},
    {"grey 1", GREY, 1, {0, 1, 1, 0}, {0x000000FF, 0xFFFFFFFF, 0xFFFFFFFF, 0x000000FF}, {}, -1},
    {"grey 2", GREY, 2, {0, 1, 2, 3}, {0x000000FF, 0x555555FF, 0xAAAAAAFF, 0xFFFFFFFF}, {}, -1},
    {"grey 4", GREY, 4, {0, 1, 10, 15}, {0x000000FF, 0x111111FF, 0xAAAAAAFF, 0xFFFFFFFF}, {}, -1},
    {"grey 8", GREY, 8, {0, 0x4D, 0xC8, 0xFF},
     {0x000000FF, 0x4D4D4DFF, 0xC8C8C8FF, 0xFFFFFFFF}, {}, -1},
    {"grey 16", GREY, 16, {0x0000, 0x12FF, 0x8001, 0xFFFF},
     {0x000000FF, 0x121212FF, 0x808080FF, 0xFFFFFFFF}, {}, -1},
    {"grey alpha 8", GREY_A, 8, {100, 50, 0, 0, 255, 255, 7, 200},
     {0x64646432, 0x00000000, 0xFFFFFFFF, 0x070707C8}, {}, -1},
    {"rgb 8", RGB, 8, {1, 2, 3, 250, 251, 252, 0, 0, 0, 9, 99, 199},
     {0x010203FF, 0xFAFBFCFF, 0x000000FF, 0x0963C7FF}, {}, -1},
    {"rgb 8 tRNS", RGB, 8, {1, 2, 3, 40, 40, 40, 40, 40, 41, 40, 40, 40},
     {0x010203FF, 0x28282800, 0x282829FF, 0x28282800}, {}, 40},
    {"rgb 16", RGB, 16,
     {0x0102, 0xFEDC, 0x8000, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0x1111, 0x2222, 0x3333},
     {0x01FE80FF, 0x000000FF, 0xFFFFFFFF, 0x112233FF}, {}, -1},
    {"rgba 8", RGBA, 8, {10, 20, 30, 40, 0, 0, 0, 0, 255, 255, 255, 255, 1, 2, 3, 254},
     {0x0A141E28, 0x00000000, 0xFFFFFFFF, 0x010203FE}, {}, -1},
    {"rgba 16", RGBA, 16,
     {0x0A00, 0x14FF, 0x1E00, 0x2800, 0, 0, 0, 0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF,
      0x0100, 0x0200, 0x0300, 0xFE00},
     {0x0A141E28, 0x00000000, 0xFFFFFFFF, 0x010203FE}, {}, -1},
};

// Each case is also written interlaced: pixels 0, 1, 2 and 3 then come from three passes.
// The texture must hold the same bytes as the surface.
TEST_F(PictureTest, EveryColourTypeDecodesToRgbaBytes)
{
    for (const DecodeCase &c : DECODE_CASES)
        for (bool interlaced : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (interlaced ? " interlaced" : ""));
            bool palette = c.color_type == PAL;
            PngSpec spec = {4, 1, c.color_type, c.bit_depth, c.samples.data(),
                            palette ? PALETTE : nullptr, palette ? 4 : 0,
                            c.trns_alpha.empty() ? nullptr : c.trns_alpha.data(),
                            (int)c.trns_alpha.size(), c.trns_value >= 0,
                            (uint16_t)c.trns_value, interlaced};
            std::string path = dir.path("case.png");
            ASSERT_TRUE(write_png(path.c_str(), spec));

            SDL_Surface *s = load_png_surface(path.c_str());
            ASSERT_NE(s, nullptr);
            EXPECT_TRUE(s->w == 4 && s->h == 1) << s->w << " x " << s->h;
            EXPECT_EQ(s->format->format, (uint32_t)SDL_PIXELFORMAT_ABGR8888)
                << SDL_GetPixelFormatName(s->format->format);
            for (int x = 0; x < 4; x++)
                EXPECT_EQ(hex(surface_rgba(s, x, 0)), hex(c.expected[x])) << "pixel " << x;
            SDL_FreeSurface(s);

            SDL_Texture *t = load_png_texture(path.c_str(), renderer);
            ASSERT_NE(t, nullptr);
            std::vector<uint8_t> pixels = texture_pixels(t, 4, 1);
            SDL_DestroyTexture(t);
            ASSERT_EQ(pixels.size(), 16u);
            for (int x = 0; x < 4; x++)
                EXPECT_EQ(hex(rgba_at(&pixels[x * 4])), hex(c.expected[x])) << "texel " << x;
        }
}

// Variants of a valid 16 x 16 RGB picture, and files that are no PNG at all.
TEST_F(PictureTest, DamagedFilesYieldNothing)
{
    std::vector<uint16_t> samples;
    for (int i = 0; i < 16 * 16 * 3; i++)
        samples.push_back((uint16_t)((i * 37) & 0xFF));
    PngSpec spec = {16, 16, PNG_COLOR_TYPE_RGB, 8, samples.data(), nullptr, 0, nullptr, 0,
                    false, 0, false};
    std::string path = dir.path("damaged.png");
    ASSERT_TRUE(write_png(path.c_str(), spec));
    const std::string good = read_whole_file(path);
    size_t idat = good.find("IDAT") + 4;  // first byte of the chunk's data
    ASSERT_GT(idat, 8u);
    auto sized = [&](uint32_t w, uint32_t h) {
        std::string s = good;
        png_patch_size((uint8_t *)&s[0], w, h);
        return s;
    };
    std::string crc = good, zlib = good;
    crc[idat + 3] ^= 0x40;
    zlib[idat] = (char)0xFF;                        // not a deflate stream header
    png_fix_crc((uint8_t *)&zlib[0], idat - 8);     // so only the decompression may notice
    const struct {
        const char *name;
        std::string data;
    } cases[] = {
        {"empty", ""}, {"text", "this is a text file, not a picture\n"},
        {"cut in header", good.substr(0, 20)}, {"cut in data", good.substr(0, idat + 10)},
        {"data CRC wrong", crc}, {"data not deflate", zlib},
        {"side above limit", sized(100000, 100000)},
        {"area above limit", sized(16384, 16384)},  // sides allowed, 1 GiB of pixels is not
        {"zero width", sized(0, 16)},
        {"rows missing", sized(16, 4000)},          // far more rows than the data holds
    };
    for (const auto &d : cases) {
        SCOPED_TRACE(d.name);
        dir.write("damaged.png", d.data);
        EXPECT_EQ(load_png_surface(path.c_str()), nullptr);
        EXPECT_EQ(load_png_texture(path.c_str(), renderer), nullptr);
        EXPECT_EQ(load_picture_texture(path.c_str(), renderer), nullptr);
    }
    EXPECT_EQ(load_png_surface(dir.path("missing.png").c_str()), nullptr);
    EXPECT_EQ(load_png_surface(dir.path("").c_str()), nullptr);  // a directory

    // The unharmed bytes still decode, so the cases above fail for their damage alone.
    dir.write("damaged.png", good);
    SDL_Surface *s = load_png_surface(path.c_str());
    EXPECT_NE(s, nullptr);
    SDL_FreeSurface(s);
}

// Colour of the test pattern at (x, y): four quadrants, distinct channels each.
uint32_t quadrant_colour(int x, int y, int w, int h)
{
    static const uint32_t COLOURS[4] = {0xDC1E28FF, 0x14C83CFF, 0x1E32D2FF, 0xF0E6C8FF};
    return COLOURS[(x >= w / 2 ? 1 : 0) + (y >= h / 2 ? 2 : 0)];
}

// Other formats go through the platform decoder. An odd width exercises the BMP row
// padding; the JPEG is lossy, so its quadrants are compared away from the edges with a
// tolerance. Garbage is among the damaged files above. The same files with headers that
// claim absurd sizes must be refused before the decoder allocates for them.
TEST_F(PictureTest, BackgroundDecoderReadsOtherFormatsUprightAndRefusesHugeHeaders)
{
    const struct {
        const char *name;
        int w, h, tolerance;
    } FORMATS[] = {{"bmp", 7, 5, 0}, {"jpg", 64, 48, 12}};
    for (const auto &f : FORMATS) {
        SCOPED_TRACE(f.name);
        SDL_Surface *source = SDL_CreateRGBSurfaceWithFormat(0, f.w, f.h, 24, SDL_PIXELFORMAT_RGB24);
        ASSERT_NE(source, nullptr);
        for (int y = 0; y < f.h; y++)
            for (int x = 0; x < f.w * 3; x++)
                ((uint8_t *)source->pixels)[y * source->pitch + x] =
                    (uint8_t)(quadrant_colour(x / 3, y, f.w, f.h) >> (24 - 8 * (x % 3)));
        std::string path = dir.path("back");  // no extension, as res/back ships
        int saved = f.tolerance ? IMG_SaveJPG(source, path.c_str(), 95)
                                : SDL_SaveBMP(source, path.c_str());
        SDL_FreeSurface(source);
        ASSERT_EQ(saved, 0) << SDL_GetError();

        SDL_Texture *t = load_picture_texture(path.c_str(), renderer);
        ASSERT_NE(t, nullptr);
        uint32_t format = 0;
        int w = 0, h = 0;
        SDL_QueryTexture(t, &format, nullptr, &w, &h);
        EXPECT_FALSE(SDL_ISPIXELFORMAT_ALPHA(format)) << SDL_GetPixelFormatName(format);
        ASSERT_TRUE(w == f.w && h == f.h) << w << " x " << h;
        std::vector<uint8_t> pixels = texture_pixels(t, w, h);
        SDL_DestroyTexture(t);
        ASSERT_EQ(pixels.size(), (size_t)w * h * 4);
        int margin = f.tolerance ? 8 : 0;
        for (int y = 0; y < h; y++)
            for (int x = 0; x < w; x++) {
                // Twice the distance from the quadrant borders.
                if (abs(2 * x + 1 - w) < 2 * margin || abs(2 * y + 1 - h) < 2 * margin)
                    continue;
                uint32_t want = quadrant_colour(x, y, w, h);
                for (int ch = 0; ch < 3; ch++)
                    ASSERT_NEAR(pixels[((size_t)y * w + x) * 4 + ch],
                                (int)(want >> (24 - 8 * ch)) & 0xFF, f.tolerance)
                        << "channel " << ch << " at " << x << "," << y;
            }

        std::string huge = read_whole_file(path);
        size_t sof = huge.find("\xFF\xC0");
        if (f.tolerance) {
            ASSERT_LT(sof + 9, huge.size()) << "no baseline frame header";
            huge.replace(sof + 5, 4, "\xFD\xFD\xFD\xFD");  // 65021 x 65021
        } else {
            const int32_t side = 100000, negative = -100000;  // negative height: top-down
            memcpy(&huge[18], &side, 4);
            memcpy(&huge[22], &negative, 4);
        }
        dir.write("back", huge);
        EXPECT_EQ(load_picture_texture(path.c_str(), renderer), nullptr) << "huge header";
    }
    EXPECT_EQ(load_picture_texture(dir.path("no_such_back").c_str(), renderer), nullptr);
}

// The font is measured the way the overlay measures it: a column counts as inked when one
// of its pixels has alpha 248 or more. The ink is white, so the overlay's colour modulation
// gives white or yellow text.
TEST_F(PictureTest, ShippedFontHasSensibleGlyphs)
{
    SDL_Surface *font = load_png_surface(shipped("font").c_str());
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->w % 16 == 0 && font->h % 8 == 0) << font->w << " x " << font->h;
    int cell_w = font->w / 16, cell_h = font->h / 8;
    EXPECT_GE(cell_h, 32) << "too small to read at 1920 x 1080";
    EXPECT_LE(cell_h, 50) << "taller than a menu row";
    for (int c = 0; c < 128; c++) {
        SCOPED_TRACE(testing::Message() << "code " << c);
        int last_inked = -1, first_inked = -1;
        for (int x = 0; x < cell_w; x++)
            for (int y = 0; y < cell_h; y++) {
                uint32_t p = surface_rgba(font, (c % 16) * cell_w + x, (c / 16) * cell_h + y);
                if ((p & 0xFF) >= 248) {
                    ASSERT_EQ(hex(p >> 8), hex(0xFFFFFF)) << "ink not white at " << x << "," << y;
                    first_inked = first_inked < 0 ? x : first_inked;
                    last_inked = x;
                }
            }
        if (c == 32) {
            EXPECT_EQ(last_inked, -1) << "space has ink";
        } else if ((c > 32 && c < 127) || c == 5) {
            ASSERT_GE(last_inked, 0) << "no ink";
            int advance = cell_w / 7 + last_inked;
            EXPECT_GE(advance, cell_w / 4);
            EXPECT_LT(advance, cell_w);
            // Ink never reaches the cell's edges, so neighbours never touch.
            EXPECT_LT(last_inked, cell_w - 2);
            EXPECT_GT(first_inked, 0);
        }
    }
    SDL_FreeSurface(font);
}

// The generators' output must suit our own loaders; the background is no PNG.
TEST_F(PictureTest, ShippedPicturesDecode)
{
    SDL_Surface *overlay = load_png_surface(shipped("overlay").c_str());
    SDL_Surface *splash = load_png_surface(shipped("splash").c_str());
    SDL_Texture *back = load_picture_texture(shipped("back").c_str(), renderer);
    ASSERT_TRUE(overlay && splash && back);
    int w = 0, h = 0;
    SDL_QueryTexture(back, nullptr, nullptr, &w, &h);
    EXPECT_TRUE(overlay->w == 1920 && overlay->h == 1080) << overlay->w << " x " << overlay->h;
    EXPECT_TRUE(w == 1920 && h == 1080) << w << " x " << h;
    EXPECT_NEAR(splash->w * 224.0 / (splash->h * 256.0), 1.0, 0.01) << "not 256 x 224 shaped";
    uint32_t behind_play = surface_rgba(overlay, 500, 270) & 0xFF;
    EXPECT_TRUE(behind_play > 60 && behind_play < 250) << "the game should show through, alpha "
                                                       << behind_play;
    SDL_FreeSurface(overlay);
    SDL_FreeSurface(splash);
    SDL_DestroyTexture(back);
}

}  // namespace
