#include "sound/audio_rate.h"

#define AUDIO_RATE_INTEGRAL_LIMIT (AUDIO_RATIO_LIMIT * AUDIO_RATE_CORRECT_FRAMES)

static double clamp(double v, double limit)
{
    if (v > limit)
        return limit;
    if (v < -limit)
        return -limit;
    return v;
}

void audio_rate_start(AudioRate &rate, int target)
{
    rate.level = target;
    rate.integral = 0.0;
}

double audio_rate_update(AudioRate &rate, unsigned queued, int target, int frames)
{
    if (target <= 0)
        return 1.0;
    if (frames > 0) {
        double k = (double)frames / (frames + AUDIO_RATE_SMOOTH_FRAMES);
        rate.level += ((double)queued - rate.level) * k;
    }
    double error = rate.level - target;
    if (frames > 0)
        rate.integral = clamp(rate.integral + error * frames / AUDIO_RATE_INTEGRAL_FRAMES,
                              AUDIO_RATE_INTEGRAL_LIMIT);
    // A queue above target wants less sound: the ratio goes below 1.
    return 1.0 - clamp((error + rate.integral) / AUDIO_RATE_CORRECT_FRAMES, AUDIO_RATIO_LIMIT);
}
