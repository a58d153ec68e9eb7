// Drawing the demo scene: sky, sun, drifting clouds, rolling hills, the tiled ground of the
// game image, the players' sprites and a frame counter on the soil. Every raster pixel is
// computed from its position in screen units, so the high-resolution raster shows the same
// scene with twice the horizontal detail in the smooth shapes.
#include "component/machine.h"

#include <math.h>
#include <string.h>

#define HORIZON 150.0f              // where the sky gradient ends
#define SUN_X 196.0f
#define SUN_Y 46.0f
#define SUN_R 17.0f
#define SUN_GLOW 7.0f
#define CLOUDS 3
#define PUFFS 3
#define CLOUD_PERIOD 352            // screen width plus room for a cloud to leave and return
#define DIGIT_W 3
#define DIGIT_H 5
#define DIGIT_SCALE 2
#define DIGIT_ADVANCE 8
#define MAX_DIGITS 10

struct Rgb {
    float r, g, b;
};

struct Puff {
    float dx, dy, r;
};

static const float CLOUD_X[CLOUDS] = {30.0f, 150.0f, 260.0f};
static const float CLOUD_Y[CLOUDS] = {34.0f, 70.0f, 22.0f};
static const Puff PUFF[PUFFS] = {{-14.0f, 3.0f, 10.0f}, {0.0f, -3.0f, 13.0f}, {15.0f, 3.0f, 9.0f}};

// Sprite body colours beyond the game's own (variant 0).
static const uint8_t VARIANT_RGB[OXM_VARIANTS - 1][3] = {{84, 196, 220}, {176, 116, 232}, {250, 206, 64}};

// 3 x 5 digits, one bit per pixel, top row in the highest bits.
static const uint16_t DIGITS[10] = {
    0x7B6F, 0x2C97, 0x73E7, 0x73CF, 0x5BC9, 0x79CF, 0x79EF, 0x7249, 0x7BEF, 0x7BCF,
};

static Rgb rgb_of(const uint8_t c[3])
{
    return {(float)c[0], (float)c[1], (float)c[2]};
}

static Rgb mix(Rgb a, Rgb b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

static void put(uint8_t *p, Rgb c)
{
    p[0] = (uint8_t)(c.r + 0.5f);
    p[1] = (uint8_t)(c.g + 0.5f);
    p[2] = (uint8_t)(c.b + 0.5f);
    p[3] = 255;
}

static void put_index(uint8_t *p, const uint8_t c[3])
{
    p[0] = c[0];
    p[1] = c[1];
    p[2] = c[2];
    p[3] = 255;
}

static float hill_top(float x, float scroll)
{
    float u = x + scroll;
    return 134.0f + 9.0f * sinf(u * 0.031f) + 4.0f * sinf(u * 0.083f + 1.7f);
}

// Where cloud c's centre is for this scroll.
static float cloud_centre(int c, float scroll)
{
    float cx = fmodf(CLOUD_X[c] - scroll, (float)CLOUD_PERIOD);
    return cx < -48.0f ? cx + CLOUD_PERIOD : cx;
}

static bool in_cloud(float fx, float fy, const float centre[CLOUDS])
{
    for (int c = 0; c < CLOUDS; c++) {
        float cx = centre[c];
        for (int p = 0; p < PUFFS; p++) {
            float dx = fx - (cx + PUFF[p].dx), dy = fy - (CLOUD_Y[c] + PUFF[p].dy);
            if (dx * dx + dy * dy * 1.6f <= PUFF[p].r * PUFF[p].r)
                return true;
        }
    }
    return false;
}

// The palette index of the game's ground at a screen position, 0 when nothing is there.
static int ground_index(const GameImage *g, int x, int y)
{
    int top = OXM_SCREEN_H - g->map_h * OXM_TILE;
    if (y < top)
        return 0;
    int row = (y - top) / OXM_TILE;
    int col = (x / OXM_TILE) % g->map_w;
    int cell = g->map[row][col];
    if (cell == 0)
        return 0;
    return g->tiles[cell - 1][((y - top) % OXM_TILE) * OXM_TILE + x % OXM_TILE];
}

// The colour of an actor at a screen position, or false when it is not there.
static bool actor_pixel(const GameImage *g, const Actor *a, int x, int y, const uint8_t **out)
{
    if (!a->visible || x < a->x || x >= a->x + OXM_SPRITE || y < a->y || y >= a->y + OXM_SPRITE)
        return false;
    int tx = (x - a->x) / 2, ty = (y - a->y) / 2;
    int index = g->tiles[a->shape][ty * OXM_TILE + tx];
    if (index == 0)
        return false;
    if (index == 12 && a->variant > 0)
        *out = VARIANT_RGB[a->variant - 1];
    else
        *out = g->palette[index];
    return true;
}

static void draw_counter(uint8_t *pixels, int width, int xs, uint32_t frame, const uint8_t shadow[3],
                         const uint8_t ink[3])
{
    char text[MAX_DIGITS + 1];
    int n = 0;
    do {
        text[n++] = (char)('0' + frame % 10);
        frame /= 10;
    } while (frame && n < MAX_DIGITS);
    int x0 = OXM_SCREEN_W - 8 - n * DIGIT_ADVANCE;
    for (int pass = 0; pass < 2; pass++) {
        int off = pass == 0 ? 1 : 0;
        const uint8_t *colour = pass == 0 ? shadow : ink;
        for (int i = 0; i < n; i++) {
            uint16_t glyph = DIGITS[text[n - 1 - i] - '0'];
            for (int gy = 0; gy < DIGIT_H; gy++)
                for (int gx = 0; gx < DIGIT_W; gx++) {
                    if (!((glyph >> ((DIGIT_H - 1 - gy) * DIGIT_W + (DIGIT_W - 1 - gx))) & 1))
                        continue;
                    int sx = x0 + i * DIGIT_ADVANCE + gx * DIGIT_SCALE + off;
                    int sy = OXM_SCREEN_H - 8 - DIGIT_H * DIGIT_SCALE + gy * DIGIT_SCALE + off;
                    for (int y = sy; y < sy + DIGIT_SCALE; y++)
                        for (int x = sx * xs; x < (sx + DIGIT_SCALE) * xs && x < width; x++)
                            put_index(pixels + ((size_t)y * width + x) * 4, colour);
                }
        }
    }
}

void scene_render(const Machine *m, const GameImage *g, uint8_t *pixels, int width)
{
    if (!g->loaded) {
        for (size_t i = 0; i < (size_t)width * OXM_SCREEN_H; i++) {
            static const uint8_t IDLE[3] = {24, 24, 32};
            put_index(pixels + i * 4, IDLE);
        }
        return;
    }
    int xs = width / OXM_SCREEN_W > 1 ? 2 : 1;
    Rgb sky_top = rgb_of(g->palette[1]), sky_low = rgb_of(g->palette[2]);
    Rgb sun = rgb_of(g->palette[3]), cloud = rgb_of(g->palette[4]), hills = rgb_of(g->palette[5]);
    float hill_scroll = (float)(m->frame % 20000) * 0.25f;
    float cloud_scroll = (float)(m->frame % (CLOUD_PERIOD * 3)) / 3.0f;
    // What depends on the column or the frame alone is worked out once, not for every pixel:
    // the hills' crest (two sines a column) and the clouds' places.
    float hill_tops[OXM_HIRES_W];
    for (int rx = 0; rx < width && rx < OXM_HIRES_W; rx++)
        hill_tops[rx] = hill_top((rx + 0.5f) / xs, hill_scroll);
    float cloud_centres[CLOUDS];
    for (int c = 0; c < CLOUDS; c++)
        cloud_centres[c] = cloud_centre(c, cloud_scroll);

    for (int y = 0; y < OXM_SCREEN_H; y++) {
        float fy = y + 0.5f;
        float t = fy / HORIZON;
        Rgb sky = mix(sky_top, sky_low, t > 1.0f ? 1.0f : t);
        uint8_t *row = pixels + (size_t)y * width * 4;
        for (int rx = 0; rx < width; rx++) {
            float fx = (rx + 0.5f) / xs;
            int x = rx / xs;
            const uint8_t *solid = nullptr;
            if (actor_pixel(g, &m->actor[0], x, y, &solid) || actor_pixel(g, &m->actor[1], x, y, &solid)) {
                put_index(row + rx * 4, solid);
                continue;
            }
            int index = ground_index(g, x, y);
            if (index) {
                put_index(row + rx * 4, g->palette[index]);
                continue;
            }
            Rgb c = sky;
            float top = rx < OXM_HIRES_W ? hill_tops[rx] : hill_top(fx, hill_scroll);
            if (fy >= top) {
                // A lighter rim on the crest, then the hill darkening towards the ground.
                float depth = (fy - top) / 60.0f;
                float haze = depth > 0.5f ? 0.0f : 0.5f * (0.5f - depth);
                c = fy - top < 1.5f ? mix(hills, sky_low, 0.35f) : mix(hills, sky_top, haze);
            } else if (in_cloud(fx, fy, cloud_centres)) {
                c = cloud;
            } else {
                float dx = fx - SUN_X, dy = fy - SUN_Y;
                float d = sqrtf(dx * dx + dy * dy);
                if (d <= SUN_R)
                    c = sun;
                else if (d <= SUN_R + SUN_GLOW)
                    c = mix(sky, sun, 0.45f * (1.0f - (d - SUN_R) / SUN_GLOW));
            }
            put(row + rx * 4, c);
        }
    }
    draw_counter(pixels, width, xs, m->frame, g->palette[13], g->palette[14]);
}
