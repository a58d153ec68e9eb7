// The main loop's pacing on a simulated sound card (support/sim_card.h) and display: each pass
// decides its frames (pacing_step), pushes each frame's sound stretched by the rate control,
// works, presents the last frame where the decision says so (held to the display's next tick
// by vertical sync), and waits (pacing_wait). Runs two minutes of card time.
#pragma once

#include <math.h>

#include <algorithm>

#include "app/pacing.h"
#include "sound/audio.h"
#include "support/sim_card.h"

#define SIM_RATE 44100
#define SIM_TARGET 1411           // the default latency's queue level
#define SIM_WORK_MS 3.0           // one pass's work besides drawing
#define SIM_SECONDS 120.0

// A pace: the rate the component reports, the sample frames it gives a frame on average, the
// display whose next tick a present waits for (0: no vertical sync), the rate the loop knows
// it by (measured: presents slower than the display), how much faster the card plays (slower
// when negative), every how many passes one is late by up to a frame, and drawing's time.
struct SimPace {
    const char *name;
    int fps;
    double given, display_hz, known_hz, card_error;
    int late_every;
    double draw_ms;
};

struct SimRun {
    SimCard card;
    long frames = 0;        // emulated while counting
    long presents = 0;      // while counting
    long uneven = 0;        // presents while counting after a pass that emulated other than one frame
    double pitch_step = 0;  // the largest change of ratio between two pushes while counting
    explicit SimRun(double card_error)
        : card(SIM_TARGET, SIM_RATE * (1.0 + card_error), AUDIO_DEVICE_FRAMES)
    {
    }
    double seconds() const { return (card.now - card.count_from) / 1000.0; }
};

static inline SimRun sim_loop(const SimPace &c)
{
    SimRun run(c.card_error);
    SimCard &card = run.card;
    const double period = frame_period(c.fps);
    const bool follow = pacing_follows(c.known_hz, c.fps);
    AudioRate rate;
    audio_rate_start(rate, SIM_TARGET);
    double deadline = card.now;
    double last_ratio = 1.0;
    long frame = 0;
    for (long pass = 1; card.now < SIM_CARD_START_MS + SIM_SECONDS * 1000.0; pass++) {
        if (c.late_every > 0 && pass % c.late_every == 0)
            card.advance(card.now + period * (pass / c.late_every % 7) / 7.0);
        PacingStep step = pacing_step(deadline, card.now, period);
        for (int i = 0; i < step.frames; i++, frame++) {
            const int given = (int)((frame + 1) * c.given) - (int)(frame * c.given);
            const double ratio = audio_rate_update(rate, (unsigned)card.queued, SIM_TARGET, given);
            if (card.counting())
                run.pitch_step = std::max(run.pitch_step, fabs(ratio - last_ratio));
            last_ratio = ratio;
            card.add(given * ratio);
        }
        double now = card.now + SIM_WORK_MS;
        if (step.present)
            now = sim_display_shows(now + c.draw_ms, c.display_hz);
        card.advance(now);
        if (card.counting()) {
            run.frames += step.frames;
            run.presents += step.present;
            run.uneven += step.present && step.frames != 1;
        }
        PacingWait w = pacing_wait(step.deadline, card.now, period, follow);
        card.advance(card.now + w.sleep_ms);
        deadline = w.deadline;
    }
    return run;
}
