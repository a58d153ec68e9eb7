// Reading back what a renderer drew, and comparing it with what a test expects pixel by pixel.
#pragma once

#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include <SDL.h>

// A pixel the comparison skips.
static const uint32_t FRAME_ANY = 0xFFFFFFFF;

// The renderer's w x h target as 0xRRGGBB, top row first; empty when it cannot be read.
inline std::vector<uint32_t> read_frame(SDL_Renderer *renderer, int w, int h)
{
    std::vector<uint32_t> frame((size_t)w * h);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB888, frame.data(), w * 4) != 0)
        return {};
    for (uint32_t &p : frame)
        p &= 0xFFFFFF;
    return frame;
}

// The largest difference of one colour channel between a and b.
inline int channel_diff(uint32_t a, uint32_t b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = SDL_max(d, abs((int)(a >> shift & 0xFF) - (int)(b >> shift & 0xFF)));
    return d;
}

// "" when every pixel of the w x h frame is within slack of expected(x, y) (or that is
// FRAME_ANY) in each channel; else how many are not, and the first.
template <typename F>
std::string frame_mismatches(const std::vector<uint32_t> &frame, int w, int h, F expected, int slack)
{
    if (frame.size() != (size_t)w * h)
        return "the frame was not read";
    int bad = 0;
    char first[80] = "";
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            const uint32_t want = expected(x, y);
            const uint32_t got = frame[(size_t)y * w + x];
            if (want == FRAME_ANY || channel_diff(got, want) <= slack)
                continue;
            if (bad++ == 0)
                snprintf(first, sizeof first, "at %d,%d want %06X, got %06X", x, y, want, got);
        }
    return bad ? std::to_string(bad) + " pixels differ, first " + first : "";
}

// How far frames a and b, both w wide, differ over area (clipped to the frames), as fractions
// of full scale over the three channels: on average, and on the worst row.
inline void frame_difference(const std::vector<uint32_t> &a, const std::vector<uint32_t> &b, int w,
                             const SDL_Rect &picture, double *mean, double *worst_row)
{
    *mean = 0.0;
    *worst_row = 0.0;
    const SDL_Rect frame = {0, 0, w, w > 0 ? (int)(SDL_min(a.size(), b.size()) / w) : 0};
    SDL_Rect area;
    if (!SDL_IntersectRect(&picture, &frame, &area))
        return;
    for (int y = area.y; y < area.y + area.h; y++) {
        double row = 0.0;
        for (int x = area.x; x < area.x + area.w; x++)
            for (int shift = 0; shift < 24; shift += 8)
                row += abs((int)(a[(size_t)y * w + x] >> shift & 0xFF) -
                           (int)(b[(size_t)y * w + x] >> shift & 0xFF));
        row /= 3.0 * 255.0 * area.w;
        *mean += row / area.h;
        *worst_row = SDL_max(*worst_row, row);
    }
}
