// The component's lifecycle, picture and button functions. Nothing here needs
// initialisation to answer safely: every query works before ox_core_init and after ox_core_shut.
#include "component/machine.h"
#include "core_api/ox_core.h"

#include <stdio.h>
#include <string.h>

#define GAME_MAX_SIZE (96 + OXM_MAX_TILES * OXM_TILE * OXM_TILE + OXM_MAX_MAP_W * OXM_MAX_MAP_H + 4)

// SDL scancodes of the default keys.
#define KEY_RIGHT 79
#define KEY_LEFT 80
#define KEY_DOWN 81
#define KEY_UP 82
#define KEY_A 4
#define KEY_Q 20
#define KEY_S 22
#define KEY_W 26
#define KEY_X 27
#define KEY_Z 29
#define KEY_RETURN 40
#define KEY_RSHIFT 229

struct ButtonInfo {
    const char *name;
    int key;
    int joystick;                   // hat mask for the d-pad, joystick button index for the rest
};

static const ButtonInfo BUTTON_INFO[OXM_BUTTONS] = {
    {"Up", KEY_UP, 1},     {"Down", KEY_DOWN, 4},        {"Left", KEY_LEFT, 8},    {"Right", KEY_RIGHT, 2},
    {"A", KEY_Z, 0},       {"B", KEY_X, 1},              {"X", KEY_A, 2},          {"Y", KEY_S, 3},
    {"L", KEY_Q, 4},       {"R", KEY_W, 5},              {"Select", KEY_RSHIFT, 6}, {"Start", KEY_RETURN, 7},
};

static uint8_t file_buffer[GAME_MAX_SIZE + 1];
static GameImage candidate;         // a load is parsed here so a refused one leaves the game as it was

void ox_core_init(int sample_rate, int options)
{
    (void)options;                  // the demo machine has no battery-backed memory to skip
    sound_set_rate(sample_rate);
    sound_clear();
    machine_reset(&machine);
}

void ox_core_shut(void)
{
    memset(&game, 0, sizeof game);
    memset(buttons_held, 0, sizeof buttons_held);
    machine_reset(&machine);
    sound_set_rate(OXM_DEFAULT_RATE);
    sound_clear();
}

bool ox_core_load(const char *path)
{
    if (!path)
        return false;
    FILE *f = fopen(path, "rb");
    if (!f)
        return false;
    size_t size = fread(file_buffer, 1, sizeof file_buffer, f);
    fclose(f);
    if (size > GAME_MAX_SIZE || !game_image_parse(file_buffer, size, &candidate))
        return false;
    game = candidate;
    machine_reset(&machine);
    return true;
}

void ox_core_reset(void)
{
    machine_reset(&machine);
}

void ox_core_emulate(void)
{
    if (!game.loaded)
        return;
    machine_step(&machine, buttons_held);
    sound_frame_emulated();
}

int ox_video_get_screen_width(void)
{
    return OXM_SCREEN_W;
}

int ox_video_get_screen_height(void)
{
    return OXM_SCREEN_H;
}

int ox_video_get_raster_width(void)
{
    return machine_raster_width(&machine);
}

int ox_video_get_raster_height(void)
{
    return OXM_SCREEN_H;
}

int ox_video_get_framerate(void)
{
    return OXM_FRAMERATE;
}

void ox_video_render(void *pixels)
{
    if (pixels)
        scene_render(&machine, &game, (uint8_t *)pixels, machine_raster_width(&machine));
}

// Out-of-range buttons have an empty name and no default controls.
int ox_button_get_count(void)
{
    return OXM_BUTTONS;
}

const char *ox_button_get_name(int button)
{
    return button >= 0 && button < OXM_BUTTONS ? BUTTON_INFO[button].name : "";
}

int ox_button_get_default_keyboard(int button)
{
    return button >= 0 && button < OXM_BUTTONS ? BUTTON_INFO[button].key : 0;
}

int ox_button_get_default_joystick(int button)
{
    return button >= 0 && button < OXM_BUTTONS ? BUTTON_INFO[button].joystick : 0;
}

void ox_button_set_state(int player, int button, bool pressed)
{
    if (player < 0 || player >= OXM_PLAYERS || button < 0 || button >= OXM_BUTTONS)
        return;
    uint16_t bit = (uint16_t)(1u << button);
    buttons_held[player] = pressed ? (uint16_t)(buttons_held[player] | bit) : (uint16_t)(buttons_held[player] & ~bit);
}
