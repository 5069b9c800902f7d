// krFixedStep: wall time turned into bounded update steps; krFramePacer: the frame ceiling.
#include "app/krFixedStep.h"

krFixedStep::krFixedStep(double step, int32_t maxSteps)
    : step(step > 0.0 ? step : 1.0 / 60.0), maxSteps(maxSteps > 0 ? maxSteps : 1), last(0.0),
      accumulated(0.0)
{
}

void krFixedStep::Restart(double now)
{
    last = now;
    accumulated = 0.0;
}

namespace
{
// Time sums that are whole steps up to rounding count as whole steps.
const double kSlack = 1e-9;
} // namespace

int32_t krFixedStep::Advance(double now)
{
    if (now > last)
    {
        accumulated += now - last;
    }
    last = now;
    int32_t due = 0;
    while (accumulated + kSlack >= step && due < maxSteps)
    {
        accumulated -= step;
        ++due;
    }
    if (accumulated + kSlack >= step)
    {
        // Beyond the bound: the time is dropped, keeping only the fraction of a step.
        accumulated -= step * static_cast<int64_t>((accumulated + kSlack) / step);
    }
    if (accumulated < 0.0)
    {
        accumulated = 0.0;
    }
    return due;
}

float krFixedStep::Fraction() const
{
    const float f = static_cast<float>(accumulated / step);
    return f < 0.0f ? 0.0f : (f >= 1.0f ? 0.0f : f);
}

krFramePacer::krFramePacer(double framesPerSecond) : period(1.0 / 60.0), next(-1.0)
{
    SetRate(framesPerSecond);
}

void krFramePacer::SetRate(double framesPerSecond)
{
    period = framesPerSecond > 0.0 ? 1.0 / framesPerSecond : 1.0 / 60.0;
}

double krFramePacer::WaitAfterFrame(double now)
{
    if (next < 0.0 || now - next > period)
    {
        next = now;
    }
    const double wait = next > now ? next - now : 0.0;
    next += period;
    return wait;
}
