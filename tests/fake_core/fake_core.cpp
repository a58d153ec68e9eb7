// A stand-in component for end-to-end tests: it reports whatever the environment tells it
// and appends every call it receives to a log file, so a test can check what crosses the
// boundary. Configuration (read at ox_core_init, or at the first call before it):
//   FAKE_CORE_FPS         frame rate, default 60
//   FAKE_CORE_SCREEN      "WxH" screen size, default 256x224
//   FAKE_CORE_LOADED_SCREEN "WxH" screen size once a game is loaded, default unchanged
//   FAKE_CORE_RASTER      "WxH" raster size, default the screen size (0x0 allowed)
//   FAKE_CORE_RASTER_FLIP "WxH": every emulated frame swaps the raster between
//                         FAKE_CORE_RASTER and this size
//   FAKE_CORE_STATIC      "1": ox_core_init makes an object with static storage and
//                         ox_core_shut uses it; called after the process's exit routines
//                         destroyed it, ox_core_shut aborts (exit code 134), as a real
//                         component crashes there
//   FAKE_CORE_BUTTONS     button count, default 12 (reported as given, even if absurd)
//   FAKE_CORE_BUTTONS_BEFORE_INIT  button count reported before ox_core_init, default the same
//   FAKE_CORE_COLOR       hex RRGGBB of the rendered picture, default 336699; "frames": red
//                         and green tell the frames run (high and low byte), blue is 99
//   FAKE_CORE_AUDIO       value of every sample, default 1000
//   FAKE_CORE_SOUND       "none": no sound at all (0 sample frames every pass); "full": the
//                         whole buffer every pass, far more than the game's rate; "stepped":
//                         sound only for the frames emulated since the last call, as a real
//                         component (none while paused, in the menu or under the splash)
//   FAKE_CORE_SAMPLES     sample frames a frame on average, with a fraction (733.8 for a
//                         machine of 60.0988 fps that reports 60); default rate / fps
//   FAKE_CORE_MARK        N: the sound of every Nth frame has the value FAKE_CORE_MARK_VALUE
//                         (default 9000), so a probe can tie a frame's picture to its sound;
//                         a preloaded probe that defines fake_core_frame_marked learns of
//                         such a frame when it is emulated, and fake_core_button_pressed of
//                         each button that goes down; fake_core_frame_emulated(n) hears of
//                         every frame, n counting from 1
//   FAKE_CORE_SAVE        for saves outside rewind's ring (its folder "player-rewind-<pid>"):
//                         "fail": ox_state_save writes nothing and reports failure;
//                         "exit": it writes the state, then ends the process at once (exit
//                         code 3), as a crash in the middle of a save would;
//                         "slow": it takes 5 s before writing
//   FAKE_CORE_FIFO_OVER   a file that ox_state_load first replaces with a FIFO, as someone
//                         could between the player's check of a state and the open
//   FAKE_CORE_SAVE_MS     milliseconds every save takes, default 0
//   FAKE_CORE_INPUT_LAG   N (1 to 8): the picture answers button 0 of player 1 N frames after
//                         the frame that read it, as real games do (white while it shows the
//                         button down); what is on its way is part of the state; a preloaded
//                         probe that
//                         defines fake_core_picture_pressed learns of each picture rendered
//                         showing the button down
//   FAKE_CORE_LOG         file that every call is appended to, one line each
//   FAKE_CORE_LOAD_HOLD   file that ox_core_load creates, then waits (30 s at most) until it
//                         is removed: a test looks at the player while it loads the game
//   FAKE_CORE_LOG_BUTTONS "1" logs ox_button_set_state too (left out by default: it is
//                         called for every button of every player on every frame)
#include "core_api/ox_core.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#define FAKE_MAX_PATH 1024
#define FAKE_NAMES 64
#define FAKE_NAME_LEN 16
#define FAKE_DEFAULT_RATE 44100

struct FakeConfig {
    bool read;
    int fps;
    int screen_w, screen_h;
    int loaded_w, loaded_h;  // screen size after a load
    int raster_w, raster_h;
    int flip_w, flip_h;      // the raster's other size; 0 x 0: no flipping
    bool static_object;
    int buttons;
    int buttons_before_init;
    uint32_t color;
    char save[8];            // "", "fail" or "exit"
    int16_t audio;
    char sound[8];           // "", "none" or "full"
    double samples;          // sample frames a frame; 0: rate / fps
    int mark;                // every mark-th frame is marked; 0: none
    int16_t mark_value;
    bool log_buttons;
    bool color_frames;
    int save_ms;
    int input_lag;           // frames; 0: the picture ignores the buttons
    char log_path[FAKE_MAX_PATH];
};

static FakeConfig config;
static int sample_rate = FAKE_DEFAULT_RATE;
static long emulated;               // frames run, written into state files
static bool initialised;            // ox_core_init was called
static bool marked;                 // the frame last emulated is a marked one
static int steps;                   // frames emulated since the last ox_audio_render
static double owed;                 // sample frames due and not yet given, FAKE_CORE_SAMPLES
static bool held[FAKE_NAMES];      // buttons of player 1 down
static unsigned read_down;          // FAKE_CORE_INPUT_LAG: button 0 as the last frames read it,
                                    // newest in bit 0; the picture shows bit input_lag

// Defined by a preloaded probe (tests/vsync/lag_probe.c), if any.
extern "C" void fake_core_frame_marked(void) __attribute__((weak));
extern "C" void fake_core_button_pressed(void) __attribute__((weak));
extern "C" void fake_core_picture_pressed(void) __attribute__((weak));
extern "C" void fake_core_frame_emulated(long frame) __attribute__((weak));
static char names[FAKE_NAMES][FAKE_NAME_LEN];
static bool loaded;                 // a game was loaded: the screen has its loaded size
static bool flipped;                // the raster has its other size this frame
static bool static_object_gone;     // set by StaticObject's destructor

// An object a component makes on first use, destroyed by the exit routines.
struct StaticObject {
    int uses = 0;
    ~StaticObject() { static_object_gone = true; }
};
static StaticObject &static_object()
{
    static StaticObject object;
    return object;
}

static int env_int(const char *name, int fallback)
{
    const char *v = getenv(name);
    if (!v || !*v)
        return fallback;
    char *end;
    long n = strtol(v, &end, 10);
    return *end == '\0' ? (int)n : fallback;
}

static void env_size(const char *name, int *w, int *h)
{
    const char *v = getenv(name);
    int a, b;
    if (v && sscanf(v, "%dx%d", &a, &b) == 2) {
        *w = a;
        *h = b;
    }
}

static void read_config()
{
    config.read = true;
    config.fps = env_int("FAKE_CORE_FPS", 60);
    config.screen_w = 256;
    config.screen_h = 224;
    env_size("FAKE_CORE_SCREEN", &config.screen_w, &config.screen_h);
    config.raster_w = config.screen_w;
    config.raster_h = config.screen_h;
    env_size("FAKE_CORE_RASTER", &config.raster_w, &config.raster_h);
    config.loaded_w = config.screen_w;
    config.loaded_h = config.screen_h;
    env_size("FAKE_CORE_LOADED_SCREEN", &config.loaded_w, &config.loaded_h);
    config.flip_w = config.flip_h = 0;
    env_size("FAKE_CORE_RASTER_FLIP", &config.flip_w, &config.flip_h);
    config.static_object = env_int("FAKE_CORE_STATIC", 0) == 1;
    config.buttons = env_int("FAKE_CORE_BUTTONS", 12);
    config.buttons_before_init = env_int("FAKE_CORE_BUTTONS_BEFORE_INIT", config.buttons);
    const char *color = getenv("FAKE_CORE_COLOR");
    config.color = color && *color ? (uint32_t)strtoul(color, nullptr, 16) : 0x336699;
    config.color_frames = color && strcmp(color, "frames") == 0;
    config.save_ms = env_int("FAKE_CORE_SAVE_MS", 0);
    config.input_lag = env_int("FAKE_CORE_INPUT_LAG", 0);
    if (config.input_lag < 0 || config.input_lag > 8)
        config.input_lag = 0;
    const char *save = getenv("FAKE_CORE_SAVE");
    snprintf(config.save, sizeof config.save, "%s", save ? save : "");
    config.audio = (int16_t)env_int("FAKE_CORE_AUDIO", 1000);
    const char *sound = getenv("FAKE_CORE_SOUND");
    snprintf(config.sound, sizeof config.sound, "%s", sound ? sound : "");
    const char *samples = getenv("FAKE_CORE_SAMPLES");
    config.samples = samples ? atof(samples) : 0.0;
    config.mark = env_int("FAKE_CORE_MARK", 0);
    config.mark_value = (int16_t)env_int("FAKE_CORE_MARK_VALUE", 9000);
    config.log_buttons = env_int("FAKE_CORE_LOG_BUTTONS", 0) == 1;
    const char *log = getenv("FAKE_CORE_LOG");
    snprintf(config.log_path, sizeof config.log_path, "%s", log ? log : "");
}

static void ensure_config()
{
    if (!config.read)
        read_config();
}

// Opened per line so every line is on disk at once, even if the process is killed.
static void log_call(const char *format, ...)
{
    ensure_config();
    if (!config.log_path[0])
        return;
    FILE *f = fopen(config.log_path, "a");
    if (!f)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(f, format, args);
    va_end(args);
    fputc('\n', f);
    fclose(f);
}

void ox_core_init(int rate, int options)
{
    read_config();
    initialised = true;
    sample_rate = rate > 0 ? rate : FAKE_DEFAULT_RATE;
    emulated = 0;
    log_call("ox_core_init %d %d", rate, options);
    if (config.static_object)
        static_object().uses++;
}

void ox_core_shut(void)
{
    log_call("ox_core_shut");
    initialised = false;
    if (!config.static_object)
        return;
    if (static_object_gone) {
        log_call("ox_core_shut after the exit routines");
        abort();
    }
    static_object().uses++;
}

bool ox_core_load(const char *path)
{
    log_call("ox_core_load %s", path ? path : "(null)");
    const char *hold = getenv("FAKE_CORE_LOAD_HOLD");
    FILE *mark = hold && *hold ? fopen(hold, "w") : nullptr;
    if (mark) {
        fclose(mark);
        for (int i = 0; i < 3000 && access(hold, F_OK) == 0; i++)
            usleep(10000);
    }
    if (!path)
        return false;
    FILE *f = fopen(path, "rb");
    if (!f)
        return false;
    fclose(f);
    loaded = true;
    return true;
}

void ox_core_reset(void)
{
    log_call("ox_core_reset");
    emulated = 0;
}

static bool write_state(const char *path)
{
    FILE *f = fopen(path, "wb");
    if (!f)
        return false;
    fprintf(f, "FAKESTATE %ld %u\n", emulated, read_down);
    return fclose(f) == 0;
}

void ox_core_emulate(void)
{
    log_call("ox_core_emulate");
    emulated++;
    read_down = (read_down << 1 | (held[0] ? 1u : 0u)) & 0x1FFu;
    flipped = config.flip_w != 0 && !flipped;
    steps++;
    marked = config.mark > 0 && emulated % config.mark == 0;
    if (marked && fake_core_frame_marked)
        fake_core_frame_marked();
    if (fake_core_frame_emulated)
        fake_core_frame_emulated(emulated);
}

int ox_video_get_screen_width(void)
{
    log_call("ox_video_get_screen_width");
    return loaded ? config.loaded_w : config.screen_w;
}

int ox_video_get_screen_height(void)
{
    log_call("ox_video_get_screen_height");
    return loaded ? config.loaded_h : config.screen_h;
}

int ox_video_get_raster_width(void)
{
    log_call("ox_video_get_raster_width");
    return flipped ? config.flip_w : config.raster_w;
}

int ox_video_get_raster_height(void)
{
    log_call("ox_video_get_raster_height");
    return flipped ? config.flip_h : config.raster_h;
}

int ox_video_get_framerate(void)
{
    log_call("ox_video_get_framerate");
    return config.fps;
}

void ox_video_render(void *pixels)
{
    log_call("ox_video_render");
    int w = flipped ? config.flip_w : config.raster_w;
    int h = flipped ? config.flip_h : config.raster_h;
    if (!pixels || w <= 0 || h <= 0)
        return;
    uint8_t *p = (uint8_t *)pixels;
    if (config.color_frames)
        config.color = (uint32_t)(emulated & 0xFFFF) << 8 | 0x99;
    uint32_t color = config.color;
    if (config.input_lag > 0 && (read_down >> config.input_lag & 1u)) {
        color = 0xFFFFFF;
        if (fake_core_picture_pressed)
            fake_core_picture_pressed();
    }
    size_t count = (size_t)w * (size_t)h;
    for (size_t i = 0; i < count; i++, p += 4) {
        p[0] = (uint8_t)(color >> 16);
        p[1] = (uint8_t)(color >> 8);
        p[2] = (uint8_t)color;
        p[3] = 255;
    }
}

// Sample frames of the next frame: rate / fps, or FAKE_CORE_SAMPLES on average.
static int frame_samples()
{
    int fps = config.fps > 0 ? config.fps : 60;
    if (config.samples <= 0.0)
        return sample_rate / fps;
    owed += config.samples;
    int frames = (int)owed;
    owed -= frames;
    return frames;
}

int ox_audio_render(int16_t *samples, int capacity)
{
    log_call("ox_audio_render %d", capacity);
    int stepped = steps;
    steps = 0;
    if (strcmp(config.sound, "none") == 0)
        return 0;
    int frames = strcmp(config.sound, "full") == 0 ? capacity : frame_samples();
    if (strcmp(config.sound, "stepped") == 0)
        frames *= stepped;
    if (frames > capacity)
        frames = capacity;
    if (!samples || frames < 0)
        return 0;
    int16_t value = marked ? config.mark_value : config.audio;
    for (int i = 0; i < 2 * frames; i++)
        samples[i] = value;
    return frames;
}

int ox_button_get_count(void)
{
    log_call("ox_button_get_count");
    return initialised ? config.buttons : config.buttons_before_init;
}

const char *ox_button_get_name(int button)
{
    log_call("ox_button_get_name %d", button);
    if (button < 0 || button >= config.buttons || button >= FAKE_NAMES)
        return "";
    snprintf(names[button], FAKE_NAME_LEN, "Fake %d", button);
    return names[button];
}

// Keys A, B, C... and, like a real pad, hat directions for the first four buttons.
int ox_button_get_default_keyboard(int button)
{
    log_call("ox_button_get_default_keyboard %d", button);
    return button >= 0 && button < 26 ? 4 + button : 0;
}

int ox_button_get_default_joystick(int button)
{
    log_call("ox_button_get_default_joystick %d", button);
    static const int HATS[4] = {1, 4, 8, 2};
    if (button < 0)
        return 0;
    return button < 4 ? HATS[button] : button - 4;
}

void ox_button_set_state(int player, int button, bool pressed)
{
    ensure_config();
    if (player == 0 && button >= 0 && button < FAKE_NAMES) {
        if (pressed && !held[button] && fake_core_button_pressed)
            fake_core_button_pressed();
        held[button] = pressed;
    }
    if (config.log_buttons)
        log_call("ox_button_set_state %d %d %d", player, button, pressed ? 1 : 0);
}

bool ox_state_save(const char *path)
{
    log_call("ox_state_save %s", path ? path : "(null)");
    if (config.save_ms > 0)
        usleep((useconds_t)config.save_ms * 1000);
    // The slots' and the resume file's saves are the ones tests make fail or crash.
    const bool ring = path && strstr(path, "player-rewind-");
    if (!path || (!ring && strcmp(config.save, "fail") == 0))
        return false;
    // The whole time even when a signal cuts a sleep short.
    for (unsigned left = 5; left > 0 && !ring && strcmp(config.save, "slow") == 0;)
        left = sleep(left);
    bool ok = write_state(path);
    if (!ring && strcmp(config.save, "exit") == 0)
        _exit(3);
    return ok;
}

bool ox_state_load(const char *path)
{
    log_call("ox_state_load %s", path ? path : "(null)");
    if (!path)
        return false;
    const char *swapped = getenv("FAKE_CORE_FIFO_OVER");
    if (swapped && *swapped) {
        char fifo[FAKE_MAX_PATH];
        snprintf(fifo, sizeof fifo, "%s.fifo", swapped);
        if (mkfifo(fifo, 0644) != 0 || rename(fifo, swapped) != 0)
            return false;
    }
    FILE *f = fopen(path, "rb");
    if (!f)
        return false;
    long n;
    unsigned read = 0;
    bool ok = fscanf(f, "FAKESTATE %ld %u", &n, &read) >= 1;
    fclose(f);
    if (ok) {
        emulated = n;
        read_down = read;
    }
    return ok;
}
