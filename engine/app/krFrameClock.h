// krFrameClock: where the main loop reads the time and how it waits. The base class reads
// SDL's high-resolution counter and sleeps with SDL_Delay; a program or a test may give the
// shell a clock of its own (krSDLWrapper::SetFrameClock) to drive the real loop through any
// frame rate, stall or pause without waiting for it.
#pragma once

class krFrameClock
{
public:
    virtual ~krFrameClock();
    // Seconds since an arbitrary origin; never decreases.
    virtual double Now();
    // Waits about `seconds` (nothing when it is not positive) without keeping a core busy.
    virtual void Sleep(double seconds);
};
