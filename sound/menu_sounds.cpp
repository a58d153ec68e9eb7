#include "sound/menu_sounds.h"

#include "base/log.h"
#include "base/paths.h"

static UiSound hover_sound;
static UiSound select_sound;

static void load_ui_sound(const char *name, UiSound *sound)
{
    char path[PATH_BUFFER_SIZE];
    sound->buffer = nullptr;
    sound->length = 0;
    if (data_path(path, sizeof path, name))
        sound_file_load(path, *sound);
    log_write("sound %s %i\n", path, (int)sound->length);
}

static void release_ui_sound(UiSound *sound)
{
    if (sound->buffer)
        SDL_FreeWAV(sound->buffer);
    sound->buffer = nullptr;
}

void menu_sounds_load(void)
{
    load_ui_sound(RES_DIR "s_hover", &hover_sound);
    load_ui_sound(RES_DIR "s_select", &select_sound);
}

void menu_sounds_release(void)
{
    release_ui_sound(&select_sound);
    release_ui_sound(&hover_sound);
}

const UiSound &menu_sound_hover(void)
{
    return hover_sound;
}

const UiSound &menu_sound_select(void)
{
    return select_sound;
}
