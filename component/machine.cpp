// One frame of the demo machine: actors walk with the d-pad, A recolours, B reshapes,
// Select switches the high-resolution raster.
#include "component/machine.h"

#include <string.h>

#define SPEED 2                     // pixels per frame
#define MAX_X (OXM_SCREEN_W - OXM_SPRITE)
#define MAX_Y (OXM_SCREEN_H - OXM_SPRITE)
#define ALL_BUTTONS ((1u << OXM_BUTTONS) - 1)

Machine machine;
uint16_t buttons_held[OXM_PLAYERS];

static const int32_t START_X[OXM_PLAYERS] = {56, 168};
static const int32_t START_Y = 144;      // standing on the grass of the demo game

void machine_reset(Machine *m)
{
    memset(m, 0, sizeof *m);
    for (int p = 0; p < OXM_PLAYERS; p++) {
        m->actor[p].x = START_X[p];
        m->actor[p].y = START_Y;
        m->actor[p].variant = (uint8_t)(p * 2);
    }
    m->actor[0].visible = 1;
}

static int32_t clamp(int32_t v, int32_t lo, int32_t hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

void machine_step(Machine *m, const uint16_t held[OXM_PLAYERS])
{
    m->tone = 0;
    for (int p = 0; p < OXM_PLAYERS; p++) {
        unsigned now = held[p] & ALL_BUTTONS;
        unsigned pressed = now & ~m->held_prev[p];
        Actor *a = &m->actor[p];
        if (now)
            a->visible = 1;
        if (now & (1u << OXM_LEFT))
            a->x -= SPEED;
        if (now & (1u << OXM_RIGHT))
            a->x += SPEED;
        if (now & (1u << OXM_UP))
            a->y -= SPEED;
        if (now & (1u << OXM_DOWN))
            a->y += SPEED;
        a->x = clamp(a->x, 0, MAX_X);
        a->y = clamp(a->y, 0, MAX_Y);
        if (pressed & (1u << OXM_A))
            a->variant = (uint8_t)((a->variant + 1) % OXM_VARIANTS);
        if (pressed & (1u << OXM_B))
            a->shape = (uint8_t)((a->shape + 1) % OXM_SHAPES);
        if (pressed & (1u << OXM_SELECT))
            m->hires ^= 1;
        if (now & (1u << OXM_A))
            m->tone |= 1;
        if (now & (1u << OXM_B))
            m->tone |= 2;
        m->held_prev[p] = (uint16_t)now;
    }
    m->frame++;
}

bool machine_valid(const Machine *m)
{
    for (int p = 0; p < OXM_PLAYERS; p++) {
        const Actor *a = &m->actor[p];
        if (a->x < 0 || a->x > MAX_X || a->y < 0 || a->y > MAX_Y)
            return false;
        if (a->variant >= OXM_VARIANTS || a->shape >= OXM_SHAPES || a->visible > 1)
            return false;
        if (m->held_prev[p] & ~ALL_BUTTONS)
            return false;
    }
    return m->hires <= 1 && m->tone <= 3;
}

int machine_raster_width(const Machine *m)
{
    return m->hires ? OXM_HIRES_W : OXM_SCREEN_W;
}
