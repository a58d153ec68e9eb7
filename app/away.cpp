#include "app/away.h"

#include <stdio.h>

#include "base/log.h"
#include "config/settings.h"
#include "base/notice.h"
#include "game/running.h"
#include "input/pads.h"
#include "xgui/xgui.h"

static bool paused_by_focus;

bool away_resumes(bool by_focus, bool paused, bool menu_open)
{
    return by_focus && paused && !menu_open;
}

static void pad_notice(const char *what, const char *name)
{
    char text[NOTICE_TEXT_SIZE];
    snprintf(text, sizeof text, "Pad %s: %s", what, name ? name : "unknown pad");
    notice_show(text);
}

// Whether the removed joystick is one the player opened for a player slot. Not through
// pad_slot_of: a removed joystick no longer counts as attached when its event arrives.
static bool pad_in_use(SDL_JoystickID id)
{
    for (int slot = 0; slot < MAX_JOYSTICKS; slot++) {
        SDL_Joystick *j = pad_joystick(slot);
        if (j && SDL_JoystickInstanceID(j) == id)
            return true;
    }
    return false;
}

void away_event(const SDL_Event &event)
{
    if (event.type == SDL_JOYDEVICEADDED) {
        pad_notice("connected", SDL_JoystickNameForIndex(event.jdevice.which));
    } else if (event.type == SDL_JOYDEVICEREMOVED) {
        SDL_Joystick *j = SDL_JoystickFromInstanceID(event.jdevice.which);
        pad_notice("disconnected", j ? SDL_JoystickName(j) : nullptr);
        if (pad_in_use(event.jdevice.which) && !xgui_is_open()) {
            running_set_paused(true);
            log_write("the pad in use was unplugged: paused\n");
        }
    } else if (event.type == SDL_WINDOWEVENT) {
        if (!running_paused())
            paused_by_focus = false;
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST && settings.focus_pause && !running_paused()) {
            running_set_paused(true);
            paused_by_focus = true;
            log_write("the window lost the focus: paused\n");
        } else if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
            if (away_resumes(paused_by_focus, running_paused(), xgui_is_open())) {
                running_set_paused(false);
                log_write("the window has the focus again: playing\n");
            }
            paused_by_focus = false;
        }
    }
}
