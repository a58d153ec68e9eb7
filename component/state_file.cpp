// State files: magic "OXSTATE\0", u32 version, u32 payload length, the payload, and a u32
// FNV-1a of everything before it; integers little-endian. A load checks all of that, the
// game the state belongs to and the range of every field before it touches the machine.
#include "component/machine.h"
#include "component/state_replace.h"
#include "core_api/ox_core.h"

#include <stdio.h>
#include <string.h>

#define STATE_MAGIC "OXSTATE"
#define STATE_MAGIC_LEN 8           // the text and its NUL
#define STATE_VERSION 1
#define STATE_HEADER (STATE_MAGIC_LEN + 8)
#define STATE_PAYLOAD (8 + OXM_PLAYERS * 11 + 1 + OXM_PLAYERS * 2 + 1)
#define STATE_SIZE (STATE_HEADER + STATE_PAYLOAD + 4)

struct Cursor {
    uint8_t *p;
};

static void put_u8(Cursor *c, uint32_t v)
{
    *c->p++ = (uint8_t)v;
}

static void put_u16(Cursor *c, uint32_t v)
{
    put_u8(c, v);
    put_u8(c, v >> 8);
}

static void put_u32(Cursor *c, uint32_t v)
{
    put_u16(c, v);
    put_u16(c, v >> 16);
}

static uint32_t get_u8(Cursor *c)
{
    return *c->p++;
}

static uint32_t get_u16(Cursor *c)
{
    uint32_t lo = get_u8(c);
    return lo | (get_u8(c) << 8);
}

static uint32_t get_u32(Cursor *c)
{
    uint32_t lo = get_u16(c);
    return lo | (get_u16(c) << 16);
}

static void encode(const Machine *m, uint8_t out[STATE_SIZE])
{
    memcpy(out, STATE_MAGIC, STATE_MAGIC_LEN);
    Cursor c = {out + STATE_MAGIC_LEN};
    put_u32(&c, STATE_VERSION);
    put_u32(&c, STATE_PAYLOAD);
    put_u32(&c, game.hash);
    put_u32(&c, m->frame);
    for (int p = 0; p < OXM_PLAYERS; p++) {
        put_u32(&c, (uint32_t)m->actor[p].x);
        put_u32(&c, (uint32_t)m->actor[p].y);
        put_u8(&c, m->actor[p].variant);
        put_u8(&c, m->actor[p].shape);
        put_u8(&c, m->actor[p].visible);
    }
    put_u8(&c, m->hires);
    for (int p = 0; p < OXM_PLAYERS; p++)
        put_u16(&c, m->held_prev[p]);
    put_u8(&c, m->tone);
    put_u32(&c, fnv1a(out, STATE_SIZE - 4));
}

static bool decode(uint8_t in[STATE_SIZE], Machine *m)
{
    if (memcmp(in, STATE_MAGIC, STATE_MAGIC_LEN) != 0)
        return false;
    Cursor tail = {in + STATE_SIZE - 4};
    if (get_u32(&tail) != fnv1a(in, STATE_SIZE - 4))
        return false;
    Cursor c = {in + STATE_MAGIC_LEN};
    if (get_u32(&c) != STATE_VERSION || get_u32(&c) != STATE_PAYLOAD || get_u32(&c) != game.hash)
        return false;
    memset(m, 0, sizeof *m);
    m->frame = get_u32(&c);
    for (int p = 0; p < OXM_PLAYERS; p++) {
        m->actor[p].x = (int32_t)get_u32(&c);
        m->actor[p].y = (int32_t)get_u32(&c);
        m->actor[p].variant = (uint8_t)get_u8(&c);
        m->actor[p].shape = (uint8_t)get_u8(&c);
        m->actor[p].visible = (uint8_t)get_u8(&c);
    }
    m->hires = (uint8_t)get_u8(&c);
    for (int p = 0; p < OXM_PLAYERS; p++)
        m->held_prev[p] = (uint16_t)get_u16(&c);
    m->tone = (uint8_t)get_u8(&c);
    return machine_valid(m);
}

// A failed write keeps the old file.
bool ox_state_save(const char *path)
{
    if (!path || !game.loaded)
        return false;
    uint8_t data[STATE_SIZE];
    encode(&machine, data);
    return state_file_replace(path, data, sizeof data);
}

bool ox_state_load(const char *path)
{
    if (!path || !game.loaded)
        return false;
    FILE *f = fopen(path, "rb");
    if (!f)
        return false;
    uint8_t data[STATE_SIZE + 1];
    size_t size = fread(data, 1, sizeof data, f);
    fclose(f);
    Machine loaded;
    if (size != STATE_SIZE || !decode(data, &loaded))
        return false;
    machine = loaded;
    return true;
}
