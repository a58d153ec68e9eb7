// A simulated sound card: it takes a device buffer out of its queue at the steady pace of its
// own clock, and counts the takes that found less than a buffer queued.
#pragma once

#include <algorithm>

struct SimCard {
    double queued;       // sample frames waiting
    double block_ms;     // time between two takes
    double count_from;   // takes before this time are not counted
    int buffer;          // sample frames a take
    double next_take;    // time of the next take
    long underruns;      // counted takes that found less than a buffer
    double highest;      // most sample frames ever queued

    // Starts at the time start with queued sample frames waiting, playing rate sample frames a
    // second in takes of buffer; takes before count_from are not counted.
    SimCard(double start, double queued_, double rate, int buffer_, double count_from_)
        : queued(queued_), block_ms(buffer_ * 1000.0 / rate), count_from(count_from_), buffer(buffer_),
          next_take(start + block_ms), underruns(0), highest(queued_)
    {
    }

    void add(double frames)
    {
        queued += frames;
        highest = std::max(highest, queued);
    }

    // Plays every take due until the time to, in ms.
    void advance(double to)
    {
        for (; next_take <= to; next_take += block_ms) {
            if (queued < buffer && next_take > count_from)
                underruns++;
            queued = std::max(queued - buffer, 0.0);
        }
    }
};
