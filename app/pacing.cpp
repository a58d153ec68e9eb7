#include "app/pacing.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>

#include "base/log.h"
#include "game/game.h"

#define PACING_SETTLE_PRESENTS 30  // presents after a start or change whose intervals are not used
#define PACING_DRAWING_FRAMES 240  // frames over which the drawing's ordinal is judged

double frame_period(int frame_rate)
{
    if (frame_rate <= 0)
        frame_rate = FALLBACK_FRAME_RATE;
    return 1000.0 / (double)frame_rate;
}

double pacing_now(void)
{
    static const double ms_per_count = 1000.0 / (double)SDL_GetPerformanceFrequency();
    return (double)SDL_GetPerformanceCounter() * ms_per_count;
}

bool pacing_follows(double display_hz, double game_hz)
{
    if (display_hz <= 0.0)
        return true;
    return fabs(display_hz - game_hz) <= game_hz * PACING_FOLLOW_SHARE;
}

PacingStep pacing_step(double deadline, double now, double period)
{
    double late = now - deadline;
    if (late > PACING_DROP_MS)
        return PacingStep{1, true, now + period};
    // Rounding half a frame up would run a frame early whenever the machine delays a pass a
    // little, and its present would then come a display tick early, leaving the next pass to
    // sleep through a tick: only whole frames count, less the millisecond a sleep may wake early.
    int owed = 1 + (int)floor((late + PACING_EARLY_MS) / period);
    if (owed < 0)
        owed = 0;
    PacingStep step;
    step.frames = owed < PACING_MAX_FRAMES ? owed : PACING_MAX_FRAMES;
    step.present = step.frames > 0 && owed <= PACING_MAX_FRAMES;
    step.deadline = deadline + step.frames * period;
    return step;
}

PacingWait pacing_wait(double deadline, double now, double period, bool follow)
{
    PacingWait wait = {0, deadline};
    double remaining = deadline - now;
    double adopt = period * PACING_ADOPT_SHARE;
    if (follow && remaining <= adopt) {
        if (remaining >= -adopt)
            wait.deadline = now;
        else if (remaining >= -period / 2)
            wait.deadline = deadline + adopt;
        return wait;
    }
    if (remaining > 0.0)
        wait.sleep_ms = (uint32_t)floor(remaining);
    return wait;
}

double display_rate_used(double sdl_hz, double measured_hz)
{
    if (sdl_hz > 0.0)
        return sdl_hz;
    return measured_hz > 0.0 ? measured_hz : 0.0;
}

static int compare_ms(const void *a, const void *b)
{
    double x = *(const double *)a, y = *(const double *)b;
    return (x > y) - (x < y);
}

double measured_rate(double *intervals, int count)
{
    if (count <= 0)
        return 0.0;
    qsort(intervals, (size_t)count, sizeof *intervals, compare_ms);
    double median = intervals[count / 2];
    return median > 0.0 ? 1000.0 / median : 0.0;
}

int drawing_ordinal(long frames, long presents)
{
    if (presents <= 0)
        return 0;
    return (int)floor((double)frames / (double)presents + 0.5);
}

void ordinal_text(int n, char *text, size_t size)
{
    const char *suffix = "th";
    if (n % 100 < 11 || n % 100 > 13) {
        if (n % 10 == 1)
            suffix = "st";
        else if (n % 10 == 2)
            suffix = "nd";
        else if (n % 10 == 3)
            suffix = "rd";
    }
    snprintf(text, size, "%i%s", n, suffix);
}

// What the loop knows of the display, and what it last logged.
static struct {
    bool changed = true;             // SDL's rate to be read again, the measurement restarted
    double sdl_hz;                   // 0: SDL gives none
    double measured_hz;              // 0: not measured yet
    double intervals[PACING_SAMPLES];
    int count;                       // intervals gathered towards the next measurement
    int slept;                       // presents in a row after a sleep
    int settle;                      // presents still to pass before intervals count
    double last_present;             // < 0: none since the change
    double logged_hz = -1.0;         // the rate last logged, and whether it was followed
    bool logged_follow;
    long frames, presents;           // towards the drawing's ordinal
    int drawing_logged = 1;          // the largest ordinal logged
} display;

void pacing_display_changed(void)
{
    display.changed = true;
}

void pacing_presented(double now, bool slept)
{
    display.presents++;
    double last = display.last_present;
    display.last_present = now;
    if (display.settle > 0) {
        display.settle--;
        return;
    }
    // Presents that keep up with the clock no longer limit the loop: a measurement made
    // while they did (a busy moment, a menu drawn slowly) is forgotten.
    display.slept = slept ? display.slept + 1 : 0;
    if (display.slept >= PACING_SAMPLES) {
        display.measured_hz = 0.0;
        display.count = 0;
    }
    if (slept || last < 0.0)
        return;
    display.intervals[display.count++] = now - last;
    if (display.count == PACING_SAMPLES) {
        display.measured_hz = measured_rate(display.intervals, display.count);
        display.count = 0;
    }
}

void pacing_frames_run(int frames)
{
    display.frames += frames;
    if (display.frames < PACING_DRAWING_FRAMES)
        return;
    int ordinal = drawing_ordinal(display.frames, display.presents);
    if (ordinal > display.drawing_logged) {
        char text[16];
        ordinal_text(ordinal, text, sizeof text);
        log_write("drawing every %s frame: the display or the drawing is slower than the game\n", text);
        display.drawing_logged = ordinal;
    }
    display.frames = display.presents = 0;
}

// SDL's refresh rate of the display that holds window; 0 when it gives none.
static double sdl_refresh_rate(SDL_Window *window)
{
    SDL_DisplayMode mode;
    if (!window || SDL_GetWindowDisplayMode(window, &mode) != 0 || mode.refresh_rate <= 0) {
        int index = window ? SDL_GetWindowDisplayIndex(window) : 0;
        if (SDL_GetCurrentDisplayMode(index < 0 ? 0 : index, &mode) != 0)
            return 0.0;
    }
    return mode.refresh_rate > 0 ? (double)mode.refresh_rate : 0.0;
}

bool pacing_follow(SDL_Window *window, int game_hz)
{
    if (display.changed) {
        display.changed = false;
        display.sdl_hz = sdl_refresh_rate(window);
        display.measured_hz = 0.0;
        display.count = 0;
        display.settle = PACING_SETTLE_PRESENTS;
        display.last_present = -1.0;
    }
    double hz = display_rate_used(display.sdl_hz, display.measured_hz);
    bool follow = pacing_follows(hz, game_hz);
    // A measured rate moves a little from one measurement to the next: only a change of mode
    // or of more than the share followed is news.
    bool news = fabs(hz - display.logged_hz) > display.logged_hz * PACING_FOLLOW_SHARE ||
                (hz <= 0.0) != (display.logged_hz <= 0.0);
    if (news || follow != display.logged_follow) {
        display.logged_hz = hz;
        display.logged_follow = follow;
        if (hz <= 0.0)
            log_write("display rate not known yet: the loop follows the presents until it is measured\n");
        else if (follow)
            log_write("display %.2f Hz (%s): the loop follows it, within 1 %% of the game's %i fps\n", hz,
                      hz == display.sdl_hz ? "from SDL" : "measured from the presents", game_hz);
        else
            log_write("display %.2f Hz (%s): the loop keeps the game's %i fps by the clock\n", hz,
                      hz == display.sdl_hz ? "from SDL" : "measured from the presents", game_hz);
    }
    return follow;
}
