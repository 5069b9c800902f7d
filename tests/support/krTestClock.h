// krTestClock: a frame clock for tests that run the shell's real main loop. It moves only when
// told, so a test counts frames and steps instead of waiting for time to pass.
#pragma once

#include <map>

#include "app/krFrameClock.h"

// Moves by `perFrame` seconds at every Render of a shell that honours it, by `stalls[frame]`
// seconds more in the Render of that frame, and by whatever the loop sleeps; a test may also
// move `now` itself.
class krTestClock : public krFrameClock
{
public:
    double Now() override { return now; }
    void Sleep(double seconds) override { now += seconds > 0 ? seconds : 0; }
    double now = 0.0;
    double perFrame = 0.0;
    std::map<int, double> stalls;
};
