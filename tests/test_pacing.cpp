// The main loop's pacing: the decision of a pass, and the game's rate and its sound's kept on displays
// and sound cards of every rate and on a drawing slower than the game (support/sim_loop.h).
#include <gtest/gtest.h>

#include <string>

#include "app/pacing.h"
#include "sound/audio.h"
#include "support/sim_loop.h"

// At 60 fps: a period of 16.67 ms. A late pass emulates the frames it owes and presents only
// once it owes no more; a stall is dropped, not raced through.
TEST(Pacing, StepEmulatesTheFramesOwed)
{
    const double p = frame_period(60);
    const struct { const char *name; double late; int frames; bool present; double next; } cases[] = {
        {"woken a millisecond early", -1.0, 1, true, p},
        {"late by most of a frame: the display's tick still takes it", 14.0, 1, true, p},
        {"late by one frame", p, 2, true, 2 * p},
        {"late by two frames", 2 * p, 3, true, 3 * p},
        {"late by three frames: the most a pass runs, still shown", 3 * p, PACING_MAX_FRAMES, true,
         PACING_MAX_FRAMES * p},
        {"late by ten frames: the most a pass runs, drawing gives way", 10 * p, PACING_MAX_FRAMES, false,
         PACING_MAX_FRAMES * p},
        {"a stall of a second: one frame, the time dropped", 1000.0, 1, true, 1000.0 + p},
        {"early by more than half a frame: nothing owed yet", -10.0, 0, false, 0.0},
    };
    for (const auto &c : cases) {
        PacingStep s = pacing_step(0.0, c.late, p);
        EXPECT_EQ(c.frames, s.frames) << c.name;
        EXPECT_EQ(c.present, s.present) << c.name;
        EXPECT_DOUBLE_EQ(c.next, s.deadline) << c.name;
    }
}

// Following a display, a present within 2 % of a period sets the pace, one further behind by
// less than half a period moves the deadline by that much alone, and a tick missed moves it
// not at all; by the clock the deadline stays whatever the present did.
TEST(Pacing, WaitFollowsTheDisplayOrKeepsTheClock)
{
    const struct { const char *name; double deadline, now; bool follow; uint32_t sleep; double next; } cases[] = {
        {"the fraction not slept stays in the schedule", 116.75, 100.0, true, 16, 116.75},
        {"within 2 % of the period: the display leads", 100.3, 100.0, true, 0, 100.0},
        {"a display 1 % slower leads", 99.8, 100.0, true, 0, 100.0},
        {"beyond 2 % of the period", 100.4, 100.0, true, 0, 100.4},
        {"a present delayed: the rest stays owed", 95.0, 100.0, true, 0, 95.0 + 50.0 / 150},
        {"a tick missed: the frame stays owed", 83.3, 100.0, true, 0, 83.3},
        {"by the clock a late present moves nothing", 95.0, 100.0, false, 0, 95.0},
    };
    for (const auto &c : cases) {
        PacingWait w = pacing_wait(c.deadline, c.now, frame_period(60), c.follow);
        EXPECT_EQ(c.sleep, w.sleep_ms) << c.name;
        EXPECT_DOUBLE_EQ(c.next, w.deadline) << c.name;
    }
}

// Two minutes of the loop on each display and sound card: the game keeps the rate it must within
// 0.2 % (the display's when it is followed, its own otherwise); the sound queue never runs dry,
// holds near its target and below its bound, and its pitch moves smoothly; and where the drawing
// keeps up with a display that is followed, every frame is shown exactly once.
TEST(Pacing, GameAndSoundKeepTheirRateOnEveryDisplay)
{
    const struct { SimPace pace; double rate, presents; bool each_once; } cases[] = {
        {{"display equal", 60, 735.0, 60.0, 60.0, 0.0, 0, 0.0}, 60.0, 60.0, true},
        {{"59.94 Hz", 60, 735.0, 59.94, 59.94, 0.0, 0, 0.0}, 59.94, 59.94, true},
        {{"within 1 %: followed", 60, 735.0, 60.5, 60.5, 0.0, 0, 0.0}, 60.5, 60.5, true},
        {{"59 Hz: beyond 1 %, kept by the clock", 60, 735.0, 59.0, 59.0, 0.0, 0, 0.0}, 60.0, 59.0, false},
        {{"75 Hz", 60, 735.0, 75.0, 75.0, 0.0, 0, 0.0}, 60.0, 60.0, false},
        {{"120 Hz", 60, 735.0, 120.0, 120.0, 0.0, 0, 0.0}, 60.0, 60.0, false},
        {{"144 Hz", 60, 735.0, 144.0, 144.0, 0.0, 0, 0.0}, 60.0, 60.0, false},
        {{"240 Hz", 60, 735.0, 240.0, 240.0, 0.0, 0, 0.0}, 60.0, 60.0, false},
        {{"50 Hz: 5 frames of 6 shown", 60, 735.0, 50.0, 50.0, 0.0, 0, 0.0}, 60.0, 50.0, false},
        {{"30 Hz: every 2nd frame shown", 60, 735.0, 30.0, 30.0, 0.0, 0, 0.0}, 60.0, 30.0, false},
        {{"50 fps on 60 Hz", 50, 882.0, 60.0, 60.0, 0.0, 0, 0.0}, 50.0, 50.0, false},
        {{"card 0.5 % fast", 60, 735.0, 60.0, 60.0, 0.005, 0, 0.0}, 60.0, 60.0, true},
        {{"a pass in 37 late, no vertical sync", 60, 735.0, 0.0, 0.0, 0.0, 37, 0.0}, 60.0, 60.0, false},
        {{"drawing 20 ms on 60 Hz", 60, 735.0, 60.0, 60.0, 0.0, 0, 20.0}, 60.0, 30.0, false},
        {{"drawing 20 ms, no vertical sync, measured", 60, 735.0, 0.0, 43.5, 0.0, 0, 20.0}, 60.0, 43.5, false},
    };
    for (const auto &c : cases) {
        const SimPace &p = c.pace;
        SimRun run = sim_loop(p);
        EXPECT_NEAR(c.rate, run.frames / run.seconds(), c.rate * 0.002) << p.name;
        EXPECT_NEAR(c.presents, run.presents / run.seconds(), c.presents * 0.01) << p.name;
        EXPECT_EQ(0, run.card.underruns) << p.name;
        EXPECT_NEAR(run.card.median_level(), SIM_TARGET, 8.0 * SIM_RATE / 1000) << p.name;
        EXPECT_LT(run.card.highest, audio_bound_frames(SIM_TARGET, SIM_RATE / p.fps)) << p.name;
        EXPECT_LT(run.pitch_step, 0.0005) << p.name;
        EXPECT_TRUE(!c.each_once || run.uneven == 0)
            << p.name << ": " << run.uneven << " frames skipped or shown twice";
    }
}

// A queue the control can never make good (as on a 58 Hz display) saturates it, no further,
// and winds the control up no further than that: a full queue then turns the pitch down soon.
TEST(AudioRate, PitchNeverMovesMoreThanOnePercent)
{
    AudioRate rate;
    audio_rate_start(rate, 1400);
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 0, 1400, 735);
    EXPECT_DOUBLE_EQ(1.01, audio_rate_update(rate, 0, 1400, 735));
    for (int i = 0; i < 120; i++)
        audio_rate_update(rate, 2800, 1400, 735);
    EXPECT_LT(audio_rate_update(rate, 2800, 1400, 735), 1.0) << "two seconds of a full queue";
    for (int i = 0; i < 10000; i++)
        audio_rate_update(rate, 1000000, 1400, 735);
    EXPECT_DOUBLE_EQ(0.99, audio_rate_update(rate, 1000000, 1400, 735));
}

// The display's rate: SDL's, or else measured from the presents, as the median of their intervals.
TEST(Pacing, DisplayRateAndDrawingOrdinal)
{
    const struct { double sdl, measured, used; } rates[] = {
        {60.0, 0.0, 60.0}, {0.0, 50.0, 50.0}, {60.0, 40.0, 60.0}, {0.0, 0.0, 0.0},
    };
    for (const auto &r : rates)
        EXPECT_DOUBLE_EQ(r.used, display_rate_used(r.sdl, r.measured)) << r.sdl << " " << r.measured;
    double intervals[] = {20.0, 16.0, 25.0, 20.0, 100.0};
    EXPECT_DOUBLE_EQ(50.0, measured_rate(intervals, 5)) << "the median, a stall left out";
    const struct { long frames, presents; int ordinal; const char *text; } ordinals[] = {
        {240, 240, 1, "1st"}, {240, 200, 1, "1st"}, {240, 120, 2, "2nd"}, {240, 80, 3, "3rd"},
        {240, 20, 12, "12th"}, {240, 11, 22, "22nd"}, {240, 0, 0, "0th"},
    };
    for (const auto &o : ordinals) {
        EXPECT_EQ(o.ordinal, drawing_ordinal(o.frames, o.presents)) << o.text;
        char text[16];
        ordinal_text(o.ordinal, text, sizeof text);
        EXPECT_EQ(std::string(o.text), text);
    }
}
