// The demo machine behind the component interface: its game image, its state and the
// routines that step, draw and sound it. Internal to libox_core.so (hidden symbols).
#pragma once

#include <stddef.h>
#include <stdint.h>

#define OXM_SCREEN_W 256
#define OXM_SCREEN_H 224
#define OXM_HIRES_W 512             // raster width while the high-resolution mode is on
#define OXM_FRAMERATE 60
#define OXM_DEFAULT_RATE 44100
#define OXM_PLAYERS 2
#define OXM_BUTTONS 12

// Button indexes, in the order the interface reports them.
#define OXM_UP 0
#define OXM_DOWN 1
#define OXM_LEFT 2
#define OXM_RIGHT 3
#define OXM_A 4
#define OXM_B 5
#define OXM_SELECT 10

#define OXM_TILE 16                 // tile edge in pixels
#define OXM_SPRITE 32               // a sprite is one tile drawn at twice its size
#define OXM_MAX_TILES 64
#define OXM_MAX_MAP_W 64
#define OXM_MAX_MAP_H (OXM_SCREEN_H / OXM_TILE)
#define OXM_COLOURS 16
#define OXM_VARIANTS 4              // sprite colours cycled by A
#define OXM_SHAPES 2                // sprite shapes toggled by B (tiles 0 and 1)
#define OXM_TITLE_LEN 32

// A parsed, validated game image; see tools/make_game.py for the file layout.
struct GameImage {
    bool loaded;
    uint32_t hash;                          // FNV-1a of the whole file; ties state files to it
    char title[OXM_TITLE_LEN + 1];
    int tile_count, map_w, map_h;
    uint8_t palette[OXM_COLOURS][3];
    uint8_t tiles[OXM_MAX_TILES][OXM_TILE * OXM_TILE];   // palette indexes, 0 transparent
    uint8_t map[OXM_MAX_MAP_H][OXM_MAX_MAP_W];           // 0 empty, n = tile n - 1
};

struct Actor {
    int32_t x, y;                   // top-left corner in screen pixels
    uint8_t variant;                // colour, 0..OXM_VARIANTS-1
    uint8_t shape;                  // 0..OXM_SHAPES-1
    uint8_t visible;                // the second player's actor appears on its first press
};

// Everything that a state file holds.
struct Machine {
    uint32_t frame;                         // frames since the last reset
    Actor actor[OXM_PLAYERS];
    uint8_t hires;                          // toggled by a press of Select
    uint16_t held_prev[OXM_PLAYERS];        // buttons of the previous frame, for press edges
    uint8_t tone;                           // bit 0: A held, bit 1: B held in the last frame
};

// The loaded game; changed only by ox_core_load and ox_core_shut.
extern GameImage game;
// The running machine; changed by ox_core_emulate, ox_core_reset and ox_state_load.
extern Machine machine;
// Buttons as last set by ox_button_set_state, one bit per button.
extern uint16_t buttons_held[OXM_PLAYERS];

uint32_t fnv1a(const uint8_t *data, size_t size, uint32_t hash = 0x811C9DC5u);

// Validates a game image file's bytes into out; false (out untouched) when it is not one.
bool game_image_parse(const uint8_t *data, size_t size, GameImage *out);

void machine_reset(Machine *m);
void machine_step(Machine *m, const uint16_t held[OXM_PLAYERS]);
bool machine_valid(const Machine *m);       // every field within the range the machine can reach
int machine_raster_width(const Machine *m);

// Draws the scene of machine into width x OXM_SCREEN_H pixels of R,G,B,A.
void scene_render(const Machine *m, const GameImage *g, uint8_t *pixels, int width);

void sound_set_rate(int sample_rate);
void sound_frame_emulated();                // a frame ran since the last sound frame
void sound_clear();
