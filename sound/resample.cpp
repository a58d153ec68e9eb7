#include "sound/resample.h"

#include <math.h>

int resample_room(int frames, double max_ratio)
{
    // One more for the position carried in, one for rounding.
    return (int)ceil(frames * max_ratio) + 2;
}

int resample(Resampler &r, const int16_t *in, int frames, int channels, double ratio, int16_t *out,
             int out_frames)
{
    if (ratio <= 0.0 || channels < 1 || channels > RESAMPLE_MAX_CHANNELS || frames <= 0)
        return 0;
    double step = 1.0 / ratio;
    double p = r.position;
    int written = 0;
    // Frame i of the input is at position i; position -1 is the last frame of the call before.
    while (p <= frames - 1 && written < out_frames) {
        int i = (int)floor(p);
        double f = p - i;
        const int16_t *a = i < 0 ? r.last : in + (size_t)i * channels;
        const int16_t *b = in + (size_t)(i + 1) * channels;
        if (f == 0.0)
            b = a;
        int16_t *o = out + (size_t)written * channels;
        for (int c = 0; c < channels; c++)
            o[c] = (int16_t)lrint(a[c] + (b[c] - a[c]) * f);
        written++;
        p = r.position + written * step;
    }
    // Cut short by a full output, the rest of the input is dropped rather than read again.
    r.position = p - frames < -1.0 ? 0.0 : p - frames;
    for (int c = 0; c < channels; c++)
        r.last[c] = in[(size_t)(frames - 1) * channels + c];
    return written;
}
