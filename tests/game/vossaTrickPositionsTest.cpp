// Tests of the cards' paths: the choice rows breathe 20 steps out and then back in, the circle
// turns half a degree a step (whole after 720) also while the cards come back to it, and a
// step closes a tenth of the distance to the target.
#include <gtest/gtest.h>

#include <cmath>

#include "vossaTrickPositions.h"

namespace
{
float AngleAboutY(const float* p, float centreZ)
{
    return std::atan2(p[0], p[2] - centreZ) * 180.0f / 3.14159265f;
}
} // namespace

TEST(TrickPositions, ChoiceBreathesTwentyStepsOutThenIn)
{
    vossaTrickPositions positions;
    const float laid = positions.choice[0][0];
    for (int i = 0; i < 20; ++i)
    {
        positions.PulseChoice();
    }
    EXPECT_NEAR(positions.choice[0][0] / laid, std::pow(1.002f, 20.0f), 1e-5f);
    positions.PulseChoice();
    EXPECT_NEAR(positions.choice[0][0] / laid, std::pow(1.002f, 20.0f) * 0.998f, 1e-5f);
}

TEST(TrickPositions, CircleTurnsHalfADegreeAStepAlsoOnTheWayBack)
{
    vossaTrickPositions positions;
    const float start = AngleAboutY(positions.circle[0], positions.circleZ);
    positions.TurnCircle();
    EXPECT_NEAR(std::remainder(AngleAboutY(positions.circle[0], positions.circleZ) - start, 360.0f),
                0.5f, 1e-3f);
    for (int i = 1; i < 720; ++i)
    {
        positions.TurnCircle();
    }
    EXPECT_NEAR(positions.circle[0][0], 0.0f, 1e-2f);

    positions.LayReveal();
    positions.StartReturnFromReveal();
    const float before = AngleAboutY(positions.circle[3], positions.circleZ);
    const float x = positions.current[3][0];
    positions.ReturnStep();
    EXPECT_NEAR(
        std::remainder(AngleAboutY(positions.circle[3], positions.circleZ) - before, 360.0f), 0.5f,
        1e-3f);
    EXPECT_NEAR(positions.current[3][0], x + (positions.circle[3][0] - x) / 10.0f, 1e-4f);
}
