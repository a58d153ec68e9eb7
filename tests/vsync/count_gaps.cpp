// Counts the silent gaps in a raw sound file (signed 16-bit stereo, 44100 Hz, as SDL's disk
// driver writes it) that should hold a constant non-zero signal: runs of silent frames after
// the first second of signal and before its end.
//   count_gaps FILE   prints "<gaps> <longest gap in frames> <frames of signal>"
#include <stdint.h>
#include <stdio.h>

#include <vector>

#define GAPS_RATE 44100

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    FILE *f = fopen(argv[1], "rb");
    if (!f)
        return 2;
    std::vector<char> s;   // 1 for a frame with sound
    int16_t frame[2];
    while (fread(frame, sizeof frame, 1, f) == 1)
        s.push_back(frame[0] != 0 || frame[1] != 0);
    fclose(f);
    size_t first = 0;
    while (first < s.size() && !s[first])
        first++;
    size_t last = s.size();
    while (last > first && !s[last - 1])
        last--;
    long gaps = 0;
    long longest = 0;
    long run = 0;
    for (size_t i = first + GAPS_RATE; i < last; i++) {
        if (!s[i]) {
            if (run++ == 0)
                gaps++;
            if (run > longest)
                longest = run;
        } else {
            run = 0;
        }
    }
    printf("%ld %ld %ld\n", gaps, longest, (long)(last - first));
    return 0;
}
