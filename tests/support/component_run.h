// Driving the reference component through its C interface as the player's loop does.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core_api/ox_core.h"
#include "support/res_dir.h"

#define COMPONENT_RUN_BUTTONS 12   // the reference component's buttons per player

// The demo game of the source tree.
inline std::string component_game(void)
{
    return source_file("res/game");
}

// Starts the component at 44100 Hz and loads the demo game into it (which also resets it).
inline bool component_start(void)
{
    ox_core_init(44100, 0);
    return ox_core_load(component_game().c_str());
}

// Passes of the main loop: every button of both players set (player 1's buttons in held
// pressed, the rest released), then one frame.
inline void component_run(int frames, const std::vector<int> &held = {})
{
    for (int f = 0; f < frames; f++) {
        for (int b = 0; b < 2 * COMPONENT_RUN_BUTTONS; b++) {
            bool pressed = b < COMPONENT_RUN_BUTTONS && std::count(held.begin(), held.end(), b) > 0;
            ox_button_set_state(b / COMPONENT_RUN_BUTTONS, b % COMPONENT_RUN_BUTTONS, pressed);
        }
        ox_core_emulate();
    }
}

// The rendered raster (4 bytes a pixel), followed by guard bytes of 0xEE that the render
// must leave as they are.
inline std::vector<uint8_t> component_picture(size_t guard)
{
    size_t size = (size_t)ox_video_get_raster_width() * ox_video_get_raster_height() * 4;
    std::vector<uint8_t> p(size + guard, 0xEE);
    ox_video_render(p.data());
    return p;
}

// One call's sound as interleaved left, right samples: at most capacity sound frames.
inline std::vector<int16_t> component_sound(int capacity)
{
    std::vector<int16_t> s(2 * (size_t)capacity);
    s.resize(2 * (size_t)std::max(ox_audio_render(s.data(), capacity), 0));
    return s;
}

// A 64-bit FNV-1a hash of bytes, for comparing pictures with the ones committed.
inline uint64_t bytes_hash(const std::vector<uint8_t> &bytes)
{
    uint64_t h = 1469598103934665603ull;
    for (uint8_t byte : bytes)
        h = (h ^ byte) * 1099511628211ull;
    return h;
}

// The demo game (game, its file's bytes) with its map made blank and w x h tiles large, the
// checksum made again: a whole game of another map size.
inline std::string component_game_with_map(const std::string &game, int w, int h)
{
    const size_t header = 96;
    const size_t old_w = (uint8_t)game[42] | (uint8_t)game[43] << 8;
    const size_t old_h = (uint8_t)game[44] | (uint8_t)game[45] << 8;
    const size_t map = old_w * old_h;
    const size_t tiles = game.size() - header - map - 4;
    std::string out = game.substr(0, header + tiles) + std::string((size_t)w * h, '\0');
    out[42] = (char)(w & 0xFF);
    out[43] = (char)(w >> 8);
    out[44] = (char)(h & 0xFF);
    out[45] = (char)(h >> 8);
    uint32_t hash = 0x811C9DC5u;   // FNV-1a, as the game's checksum is
    for (unsigned char c : out)
        hash = (hash ^ c) * 0x01000193u;
    for (int i = 0; i < 4; i++)
        out += (char)(hash >> (8 * i));
    return out;
}
