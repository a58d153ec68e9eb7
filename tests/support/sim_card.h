// A simulated sound card: it takes a device buffer out of its queue at the steady pace of its
// own clock, and counts the takes that found less than a buffer queued. Its clock starts after
// days of uptime (2^32 ms), where a float clock would have lost the fractions of a period, and
// what happens in the first two seconds is not counted.
#pragma once

#include <math.h>

#include <algorithm>
#include <vector>

#define SIM_CARD_START_MS 4294967296.0
#define SIM_CARD_SETTLE_MS 2000.0

struct SimCard {
    double queued;       // sample frames waiting
    double block_ms;     // time between two takes
    double count_from;   // takes and levels before this time are not counted
    int buffer;          // sample frames a take
    double next_take;    // time of the next take
    double now;          // time of the last advance
    long underruns;      // counted takes that found less than a buffer
    double highest;      // most sample frames ever queued
    std::vector<double> levels; // counted levels found by each add

    // Starts with queued sample frames waiting, playing rate sample frames a second in takes
    // of buffer.
    SimCard(double queued_, double rate, int buffer_)
        : queued(queued_), block_ms(buffer_ * 1000.0 / rate),
          count_from(SIM_CARD_START_MS + SIM_CARD_SETTLE_MS), buffer(buffer_),
          next_take(SIM_CARD_START_MS + block_ms), now(SIM_CARD_START_MS), underruns(0), highest(queued_)
    {
    }

    bool counting() const
    {
        return now > count_from;
    }

    void add(double frames)
    {
        if (counting())
            levels.push_back(queued);
        queued += frames;
        highest = std::max(highest, queued);
    }

    // Plays every take due until the time to, in ms.
    void advance(double to)
    {
        now = to;
        for (; next_take <= to; next_take += block_ms) {
            if (queued < buffer && next_take > count_from)
                underruns++;
            queued = std::max(queued - buffer, 0.0);
        }
    }

    // The middle of the counted levels.
    double median_level()
    {
        std::nth_element(levels.begin(), levels.begin() + levels.size() / 2, levels.end());
        return levels[levels.size() / 2];
    }
};

// When a present made at now shows on a display whose vertical sync ticks hz times a second
// (0: no vertical sync, it shows at once).
static inline double sim_display_shows(double now, double hz)
{
    return hz > 0.0 ? ceil(now * hz / 1000.0) * 1000.0 / hz : now;
}
