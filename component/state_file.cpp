// State files: magic "OXSTATE\0", u32 version, u32 payload length, the payload, and a u32
// FNV-1a of everything before it; integers little-endian. A load checks all of that, the
// game the state belongs to and the range of every field before it touches the machine.
#include "component/machine.h"
#include "record/ox_core.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#define STATE_MAGIC "OXSTATE"
#define STATE_MAGIC_LEN 8           // the text and its NUL
#define STATE_VERSION 1
#define STATE_HEADER (STATE_MAGIC_LEN + 8)
#define STATE_PAYLOAD (8 + OXM_PLAYERS * 11 + 1 + OXM_PLAYERS * 2 + 1)
#define STATE_SIZE (STATE_HEADER + STATE_PAYLOAD + 4)
#define STATE_MAX_PATH 1024
#define STATE_TEMP_SIZE (STATE_MAX_PATH + 16)   // path + "." + unique part

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

// ---------------------------------------------------------------------------------------
// Whole-file replacement. The component links nothing of the player, so this is its own copy
// of the player's routine: a temporary file with a name of its own beside the target,
// created exclusively and never through a link, pushed to the disk, then renamed over it.

#define STATE_TEMP_ATTEMPTS 64

static uint32_t unique_number(void)
{
    static uint32_t counter;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    uint32_t x = (uint32_t)getpid() * 2654435761u ^ (uint32_t)now.tv_nsec ^ (++counter * 40503u);
    x ^= x >> 15;
    return x * 2246822519u;
}

// Creates temp (STATE_TEMP_SIZE bytes) beside path; the open descriptor, or -1.
static int create_temp(const char *path, char *temp)
{
    for (int attempt = 0; attempt < STATE_TEMP_ATTEMPTS; attempt++) {
        int n = snprintf(temp, STATE_TEMP_SIZE, "%s.%08x", path, (unsigned)unique_number());
        if (n < 0 || n >= STATE_TEMP_SIZE)
            return -1;
        int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

static bool write_all(int fd, const uint8_t *data, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= (size_t)n;
    }
    return true;
}

// A failed write keeps the old file.
bool ox_state_save(const char *path)
{
    if (!path || !game.loaded)
        return false;
    char temp[STATE_TEMP_SIZE];
    int fd = create_temp(path, temp);
    if (fd < 0)
        return false;
    uint8_t data[STATE_SIZE];
    encode(&machine, data);
    bool ok = write_all(fd, data, sizeof data) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp, path) == 0)
        return true;
    unlink(temp);
    return false;
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
