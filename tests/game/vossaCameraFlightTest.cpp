// Tests of the camera flight: it covers its distance in exactly its steps, then holds the pose
// still however long it is stepped, and an idle flight never moves the camera; an eased one
// starts and stops gently and ends where the even one does.
#include <gtest/gtest.h>

#include "vossaCameraFlight.h"

TEST(CameraFlight, ArrivesInItsStepsThenHoldsAndIdleNeverMoves)
{
    vossaCameraFlight flight;
    float p[3] = {1.0f, -2.0f, 30.0f};
    float a[3] = {90.0f, 10.0f, -20.0f};
    EXPECT_FALSE(flight.Step(p, a)) << "a flight never started moves nothing";
    EXPECT_EQ(p[2], 30.0f);

    const float to[3] = {-5.0f, 4.0f, 18.0f};
    const float toAngle[3] = {90.0f, 0.0f, 33.0f};
    flight.StartTowards(p, a, to, toAngle);
    int moves = 0;
    for (int i = 0; i < 200; ++i)
    {
        moves += flight.Step(p, a) ? 1 : 0;
    }
    EXPECT_EQ(moves, vossaCameraFlight::kCameraSteps);
    EXPECT_FALSE(flight.Moving());
    for (int k = 0; k < 3; ++k)
    {
        EXPECT_NEAR(p[k], to[k], 1e-4f) << k;
        EXPECT_NEAR(a[k], toAngle[k], 1e-4f) << k;
    }

    // A flight by fixed increments, restarted after arriving, moves again from where it is.
    const float step[3] = {0.0f, -0.5f, 0.0f};
    const float turn[3] = {0.0f, 0.0f, 0.25f};
    flight.StartBy(step, turn);
    ASSERT_TRUE(flight.Step(p, a));
    EXPECT_NEAR(p[1], 3.5f, 1e-4f);
    EXPECT_NEAR(a[2], 33.25f, 1e-4f);
}

TEST(CameraFlight, EasedFlightStartsAndEndsGentlyOnTheSameTarget)
{
    vossaCameraFlight flight;
    flight.SetEased(true);
    const float step[3] = {0.5f, 0.0f, -1.0f}, turn[3] = {0.0f, 0.3f, 0.0f};
    flight.StartBy(step, turn);
    flight.SetEased(false); // for the next flight only
    float p[3] = {}, a[3] = {}, moved[vossaCameraFlight::kCameraSteps];
    for (float& m : moved)
    {
        const float before = p[0];
        ASSERT_TRUE(flight.Step(p, a));
        m = p[0] - before;
    }
    EXPECT_FALSE(flight.Step(p, a));
    EXPECT_LT(moved[0] + moved[119], 0.05f);
    EXPECT_GT(moved[60], 0.7f);
    EXPECT_NEAR(p[0], 60.0f, 1e-3f);
    EXPECT_NEAR(p[2], -120.0f, 1e-3f);
    EXPECT_NEAR(a[1], 36.0f, 1e-3f);
    flight.StartBy(step, turn);
    ASSERT_TRUE(flight.Step(p, a));
    EXPECT_NEAR(p[0], 60.5f, 1e-4f);
}
