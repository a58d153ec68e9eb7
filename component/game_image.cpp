// Reading the demo game image: every size and value is checked before anything is kept.
#include "component/machine.h"

#include <string.h>

#define GAME_MAGIC "OXGAME01"
#define GAME_MAGIC_LEN 8
#define GAME_HEADER 96              // magic, title, four u16 fields, palette
#define GAME_CHECKSUM 4

GameImage game;

uint32_t fnv1a(const uint8_t *data, size_t size, uint32_t hash)
{
    for (size_t i = 0; i < size; i++)
        hash = (hash ^ data[i]) * 0x01000193u;
    return hash;
}

static int read_u16(const uint8_t *p)
{
    return p[0] | (p[1] << 8);
}

static uint32_t read_u32(const uint8_t *p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

bool game_image_parse(const uint8_t *data, size_t size, GameImage *out)
{
    if (size < GAME_HEADER + GAME_CHECKSUM || memcmp(data, GAME_MAGIC, GAME_MAGIC_LEN) != 0)
        return false;
    int tile_count = read_u16(data + 40);
    int map_w = read_u16(data + 42);
    int map_h = read_u16(data + 44);
    if (tile_count < OXM_SHAPES || tile_count > OXM_MAX_TILES)
        return false;
    if (map_w < 1 || map_w > OXM_MAX_MAP_W || map_h < 1 || map_h > OXM_MAX_MAP_H)
        return false;
    size_t tiles_size = (size_t)tile_count * OXM_TILE * OXM_TILE;
    size_t map_size = (size_t)map_w * map_h;
    if (size != GAME_HEADER + tiles_size + map_size + GAME_CHECKSUM)
        return false;
    if (fnv1a(data, size - GAME_CHECKSUM) != read_u32(data + size - GAME_CHECKSUM))
        return false;
    const uint8_t *tiles = data + GAME_HEADER;
    const uint8_t *map = tiles + tiles_size;
    for (size_t i = 0; i < tiles_size; i++)
        if (tiles[i] >= OXM_COLOURS)
            return false;
    for (size_t i = 0; i < map_size; i++)
        if (map[i] > tile_count)
            return false;

    memset(out, 0, sizeof *out);
    out->loaded = true;
    out->hash = fnv1a(data, size);
    memcpy(out->title, data + GAME_MAGIC_LEN, OXM_TITLE_LEN);
    out->title[OXM_TITLE_LEN] = '\0';
    out->tile_count = tile_count;
    out->map_w = map_w;
    out->map_h = map_h;
    memcpy(out->palette, data + 48, sizeof out->palette);
    memcpy(out->tiles, tiles, tiles_size);
    for (int y = 0; y < map_h; y++)
        memcpy(out->map[y], map + (size_t)y * map_w, map_w);
    return true;
}
