#include "config/settings.h"

#include <stdio.h>
#include <string.h>

#include <string>
#include <unordered_set>
#include <vector>

#include <SDL.h>

#include "base/file_replace.h"
#include "base/log.h"
#include "base/paths.h"
#include "base/conf_file.h"
#include "base/user_dir.h"

Settings settings;

Settings::Settings()
    : scale(0), smoothing(false), stretch(false), shape(false), fullscreen(false), guide(false),
      focus_pause(false),
      latency_ms(SETTINGS_DEFAULT_LATENCY_MS), runahead(SETTINGS_DEFAULT_RUNAHEAD)
{
    memset(bindings, 0, sizeof bindings);
}

void settings_set_defaults(void)
{
    settings.scale = SETTINGS_DEFAULT_SCALE;
    settings.smoothing = SETTINGS_DEFAULT_SMOOTHING;
    settings.stretch = SETTINGS_DEFAULT_STRETCH;
    settings.shape = SETTINGS_DEFAULT_SHAPE;
    settings.fullscreen = SETTINGS_DEFAULT_FULLSCREEN;
    settings.guide = SETTINGS_DEFAULT_GUIDE;
    settings.latency_ms = SETTINGS_DEFAULT_LATENCY_MS;
    settings.focus_pause = SETTINGS_DEFAULT_FOCUS_PAUSE;
    settings.runahead = SETTINGS_DEFAULT_RUNAHEAD;
}

// ---------------------------------------------------------------------------------------
// Binding lines

static const char *const BINDING_FIELDS[] = { "type", "code", "value", "joyid", "axis" };
#define BINDING_FIELD_COUNT 5

static int32_t *binding_field(Binding &b, int field)
{
    int32_t *fields[BINDING_FIELD_COUNT] = { &b.type, &b.code, &b.value, &b.joyid, &b.axis };
    return fields[field];
}

// Visits every binding field of the first players and buttons in file order, with its key.
template <typename Visit> static void for_each_binding_field(int players, int buttons, Visit visit)
{
    char key[CONF_KEY_SIZE];
    for (int p = 0; p < players; p++)
        for (int b = 0; b < buttons; b++)
            for (int s = 0; s < MAX_SLOTS; s++)
                for (int f = 0; f < BINDING_FIELD_COUNT; f++) {
                    snprintf(key, sizeof key, "btn_%i_%i_%i_%s", p, b, s, BINDING_FIELDS[f]);
                    visit(key, binding_field(settings.bindings[p][b][s], f));
                }
}

static void load_binding_fields(int players, int buttons)
{
    for_each_binding_field(players, buttons, [](const char *key, int32_t *field) { *field = conf_read_int(key, 0); });
}

void bindings_load(void)
{
    load_binding_fields(input_player_count(), input_button_count());
}

// The binding lines of res/conf as last read or written. A save writes the table only for
// the players and buttons known then and these lines for the others, so a component that
// reports too few buttons for a while, or a game description with fewer players, never
// costs the user's bindings.
static std::vector<std::string> conf_binding_lines;

static void bindings_save(void)
{
    std::vector<std::string> lines;
    std::unordered_set<std::string> written;
    char line[CONF_LINE_SIZE];
    for_each_binding_field(input_player_count(), input_button_count(), [&](const char *key, int32_t *field) {
        snprintf(line, sizeof line, "%s=%i", key, (int)*field);
        lines.push_back(line);
        written.insert(key);
    });
    for (const std::string &kept : conf_binding_lines)
        if (!written.count(kept.substr(0, kept.find('='))))
            lines.push_back(kept);
    for (const std::string &each : lines)
        conf_write_line(each.c_str());
    conf_binding_lines = lines;
}

// ---------------------------------------------------------------------------------------
// res/conf

// The latency of the file being read, in milliseconds within the range.
static int32_t latency_read(void)
{
    int frames = conf_read_int("latency", SETTINGS_OLD_LATENCY_DEFAULT);
    int fallback = SETTINGS_DEFAULT_LATENCY_MS;
    if (frames != SETTINGS_OLD_LATENCY_DEFAULT)
        fallback = (int)((int64_t)frames * 1000 / SETTINGS_OLD_LATENCY_FRAME_RATE);
    int ms = conf_read_int("latency_ms", fallback);
    int held = SDL_clamp(ms, SETTINGS_MIN_LATENCY_MS, SETTINGS_MAX_LATENCY_MS);
    if (held != ms)
        log_write("latency of %i ms in %s is outside %i..%i, %i is used\n", ms, SETTINGS_FILE,
                  SETTINGS_MIN_LATENCY_MS, SETTINGS_MAX_LATENCY_MS, held);
    return held;
}

void settings_load(void)
{
    if (!conf_open(SETTINGS_FILE))
        return;
    settings.scale = conf_read_int("scale", SETTINGS_DEFAULT_SCALE);
    // A window outside the menu's range is either a dot or mostly off the screen.
    if (settings.scale < SETTINGS_MIN_SCALE || settings.scale > SETTINGS_MAX_SCALE)
        settings.scale = SETTINGS_DEFAULT_SCALE;
    settings.smoothing = conf_read_int("smoothing", SETTINGS_MISSING_SMOOTHING) != 0;
    settings.stretch = conf_read_int("stretch", SETTINGS_DEFAULT_STRETCH) != 0;
    settings.shape = conf_read_int("shape", SETTINGS_DEFAULT_SHAPE) != 0;
    settings.fullscreen = conf_read_int("fullscreen", SETTINGS_DEFAULT_FULLSCREEN) != 0;
    settings.guide = conf_read_int("guide", SETTINGS_DEFAULT_GUIDE) != 0;
    settings.latency_ms = latency_read();
    settings.focus_pause = conf_read_int("focus_pause", SETTINGS_DEFAULT_FOCUS_PAUSE) != 0;
    settings.runahead = conf_read_int("runahead", SETTINGS_DEFAULT_RUNAHEAD);
    if (settings.runahead < 0 || settings.runahead > SETTINGS_MAX_RUNAHEAD) {
        log_write("runahead=%i in %s is outside 0..%i, %i is used\n", (int)settings.runahead, SETTINGS_FILE,
                  SETTINGS_MAX_RUNAHEAD, SETTINGS_DEFAULT_RUNAHEAD);
        settings.runahead = SETTINGS_DEFAULT_RUNAHEAD;
    }
    // A file without any binding line (display settings a packager ships) keeps the
    // defaults. Otherwise the whole table is read, whatever the component reports now: a
    // count read before it is ready may be too small.
    conf_binding_lines = conf_lines_starting("btn_");
    if (!conf_binding_lines.empty())
        load_binding_fields(MAX_PLAYERS, MAX_BUTTONS);
    conf_close();
}

void settings_save(void)
{
    char path[PATH_BUFFER_SIZE];
    if (!user_save_path(path, sizeof path, SETTINGS_FILE)) {
        log_write("cannot save the settings: no folder to save them in\n");
        user_dir_save_failed("no folder to save in");
        return;
    }
    FileReplace replace;
    if (!replace_begin(&replace, path)) {
        user_dir_save_failed(replace.reason);
        return;
    }
    conf_file = replace.file;
    conf_write_int("scale", settings.scale);
    conf_write_int("smoothing", settings.smoothing ? 1 : 0);
    conf_write_int("stretch", settings.stretch ? 1 : 0);
    conf_write_int("shape", settings.shape ? 1 : 0);
    conf_write_int("fullscreen", settings.fullscreen ? 1 : 0);
    conf_write_int("guide", settings.guide ? 1 : 0);
    conf_write_int("focus_pause", settings.focus_pause ? 1 : 0);
    conf_write_int("latency_ms", settings.latency_ms);
    conf_write_int("runahead", settings.runahead);
    bindings_save();
    conf_file = nullptr;
    if (!replace_commit(&replace))
        user_dir_save_failed(replace.reason);
}
