// vossaMotion: the two motion settings.
#include "vossaMotion.h"

TMotion_s MotionFor(bool reduced)
{
    TMotion_s m;
    m.tumble = !reduced;
    m.easedCamera = reduced;
    m.presentedSpin = reduced ? 0.0f : 1.0f;
    m.starLineTurn = reduced ? 0.0f : -10.0f;
    m.starSphereMoves = !reduced;
    m.tickerScrolls = !reduced;
    return m;
}

float EasedProgress(int step, int steps)
{
    if (steps <= 0 || step >= steps)
    {
        return 1.0f;
    }
    if (step <= 0)
    {
        return 0.0f;
    }
    const float t = static_cast<float>(step) / static_cast<float>(steps);
    return t * t * (3.0f - 2.0f * t);
}
