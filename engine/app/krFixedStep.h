// krFixedStep: the main loop's update clock. Wall time accumulates; each whole step of it
// (1/60 s) is one update step of the program, so that everything counted in steps keeps its
// designed speed at any frame rate. After a long frame (a stall, a slow machine) at most
// `maxSteps` are run and the rest of the time is dropped instead of being caught up. What is
// left over, as a fraction of a step, tells the drawing how far the time has gone from the
// last update state towards the next one.
#pragma once

#include <cstdint>

class krFixedStep
{
public:
    // `step` in seconds (non-positive values count as 1/60); `maxSteps` at least 1.
    explicit krFixedStep(double step = 1.0 / 60.0, int32_t maxSteps = 15);

    // Forgets all time before `now` (the start of the loop, the end of a pause).
    void Restart(double now);
    // The number of update steps due at `now`, at most the bound; time beyond the bound is
    // dropped. A clock that goes back counts as no time.
    int32_t Advance(double now);
    // The time left over after the due steps, as a fraction of a step: 0 <= f < 1.
    float Fraction() const;

    double GetStep() const { return step; }
    int32_t GetMaxSteps() const { return maxSteps; }

private:
    double step;
    int32_t maxSteps;
    double last;        // the time of the last Restart or Advance
    double accumulated; // time not yet turned into steps, below one step after Advance
};

// krFramePacer: how long the loop sleeps after a drawn frame so that frames start no more
// often than `framesPerSecond`. Deadlines follow each other one period apart; a loop that falls
// more than a period behind starts afresh instead of rushing to catch up.
class krFramePacer
{
public:
    // Non-positive rates count as 60.
    explicit krFramePacer(double framesPerSecond = 60.0);
    void SetRate(double framesPerSecond);
    // The next frame may start at once (a new loop, the end of a pause).
    void Restart() { next = -1.0; }
    double GetPeriod() const { return period; }
    // Seconds to wait after a frame that ended at `now` (0 when the frame is late).
    double WaitAfterFrame(double now);

private:
    double period;
    double next; // when the next frame may start; negative before the first frame
};
