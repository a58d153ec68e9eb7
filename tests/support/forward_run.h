// The game run forward a pass at a time from a fresh start, as the loop runs it, with the
// reference component: what each pass showed and kept, the sound, and the state at the end.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/forward.h"
#include "base/notice.h"
#include "config/settings.h"
#include "input/devices.h"
#include "input/fixed_controls.h"
#include "rewind/rewind.h"
#include "rewind/runahead.h"
#include "sound/sound_hold.h"
#include "video/video.h"
#include "video/video_state.h"
#include "support/component_run.h"
#include "support/res_dir.h"

#define FORWARD_RUN_SOUND_CAPACITY (4 * 735)   // the stream's: four frames at 44100 Hz and 60 fps

struct Passes {
    std::vector<uint64_t> shown;   // per pass: the picture presented
    std::vector<uint64_t> kept;    // and the one a save's preview takes (0: none to take)
    std::vector<int16_t> sound;    // what the stream took over all passes
    std::string state;             // after the last pass
    std::string notice;            // shown at the end
    uint64_t rewind_bytes;         // the bytes of rewind's states kept at the end
};

inline uint64_t forward_run_hash(const uint8_t *pixels, int32_t w, int32_t h)
{
    return bytes_hash(std::vector<uint8_t>(pixels, pixels + (size_t)w * h * 4));
}

// Which buttons are down at real frame f: a new set every twelfth, so that a fast-forward pass
// (four frames) has one set.
inline int32_t forward_run_buttons(int32_t f)
{
    return f / 12;
}

// passes of the loop from a fresh start with run-ahead at runahead, Tab held when fast; the
// buttons change every few frames (by the real frame count, so a fast run meets them too).
inline Passes forward_run(int32_t runahead, bool fast, int32_t passes)
{
    ResDir res;
    Passes out;
    if (!component_start())
        ADD_FAILURE() << "the demo game did not start";
    settings.runahead = runahead;
    input_devices() = Devices{};
    input_devices().key[FAST_FORWARD_KEY] = fast;
    forward_init(FORWARD_RUN_SOUND_CAPACITY);
    // At 8 fps the ring holds 60 states and a save may take 31 ms: a loaded machine cannot
    // switch rewind off here, and the run's 12 states all stay.
    rewind_init(8);
    std::vector<int16_t> samples(2 * FORWARD_RUN_SOUND_CAPACITY);
    for (int32_t p = 0; p < passes; p++) {
        int32_t set = forward_run_buttons(p * (fast ? FAST_FORWARD_FRAMES : 1));
        for (int b = 0; b < COMPONENT_RUN_BUTTONS; b++)
            ox_button_set_state(0, b, (set + b) % 5 == 0);
        // Its cost is judged by its own table: a loaded machine must not switch it off here.
        runahead_rearm();
        forward_step();
        forward_frame_update();
        const VideoState &v = video_state();
        out.shown.push_back(forward_run_hash(v.pixels, v.raster_w, v.raster_h));
        FramePicture kept;
        bool taken = video_frame_picture(kept);
        out.kept.push_back(taken ? forward_run_hash(kept.pixels, kept.raster_w, kept.raster_h) : 0);
        int n = sound_hold_render(samples.data(), FORWARD_RUN_SOUND_CAPACITY);
        out.sound.insert(out.sound.end(), samples.begin(), samples.begin() + 2 * n);
    }
    out.notice = notice_text();
    out.rewind_bytes = rewind_bytes_kept();
    rewind_end();
    if (ox_state_save(res.path("res/state").c_str()))
        out.state = res.read("res/state");
    else
        ADD_FAILURE() << "the component saved no state";
    forward_end();
    ox_core_shut();
    return out;
}
