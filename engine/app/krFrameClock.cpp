// krFrameClock: wall time from SDL's high-resolution counter.
#include "app/krFrameClock.h"

#include <SDL.h>

krFrameClock::~krFrameClock() {}

double krFrameClock::Now()
{
    static const double frequency = static_cast<double>(SDL_GetPerformanceFrequency());
    return static_cast<double>(SDL_GetPerformanceCounter()) / frequency;
}

void krFrameClock::Sleep(double seconds)
{
    // Whole milliseconds, rounded down: a pacer that asks again next frame loses nothing. A
    // wait below a millisecond still yields the processor once.
    SDL_Delay(seconds > 0.0 ? static_cast<Uint32>(seconds * 1000.0) : 0);
}
