// Tests of the update clock and the frame ceiling without a window: steps follow wall time,
// a long frame runs at most the bound and drops the rest, and the pacer never asks a late loop
// to catch up.
#include <gtest/gtest.h>

#include "app/krFixedStep.h"

TEST(krFixedStep, StepsFollowTimeUpToTheBoundAndDropTheRest)
{
    krFixedStep clock(1.0 / 60, 15);
    clock.Restart(10.0);
    EXPECT_EQ(clock.Advance(10.0 + 1.0 / 20), 3);
    EXPECT_EQ(clock.Advance(10.0 + 1.0 / 20 + 0.5 / 60), 0);
    EXPECT_NEAR(clock.Fraction(), 0.5f, 1e-4);
    // Two seconds at once: a quarter second of steps; the fraction survives, the rest goes.
    EXPECT_EQ(clock.Advance(12.0 + 1.0 / 20 + 0.5 / 60), 15);
    EXPECT_NEAR(clock.Fraction(), 0.5f, 1e-3);
    EXPECT_EQ(clock.Advance(12.0 + 1.0 / 20 + 1.5 / 60), 1);
    // A clock that goes back counts as no time; a restart forgets the fraction.
    EXPECT_EQ(clock.Advance(11.0), 0);
    clock.Restart(20.0);
    EXPECT_EQ(clock.Fraction(), 0.0f);
    EXPECT_EQ(clock.Advance(20.0 + 0.9 / 60), 0);
}

TEST(krFramePacer, WaitsOutTheRestOfAFrameAndNeverCatchesUp)
{
    krFramePacer pacer(50.0); // 20 ms frames
    EXPECT_EQ(pacer.WaitAfterFrame(1.000), 0.0);
    EXPECT_NEAR(pacer.WaitAfterFrame(1.005), 0.015, 1e-9);
    EXPECT_NEAR(pacer.WaitAfterFrame(1.030), 0.010, 1e-9);
    // A frame a little late starts the next at once; one far behind starts afresh.
    EXPECT_EQ(pacer.WaitAfterFrame(1.065), 0.0);
    EXPECT_EQ(pacer.WaitAfterFrame(2.000), 0.0);
    EXPECT_NEAR(pacer.WaitAfterFrame(2.001), 0.019, 1e-9);
    pacer.Restart();
    EXPECT_EQ(pacer.WaitAfterFrame(2.002), 0.0);
    EXPECT_NEAR(krFramePacer(0.0).GetPeriod(), 1.0 / 60, 1e-12);
}
