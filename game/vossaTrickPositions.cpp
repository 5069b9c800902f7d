// vossaTrickPositions: the cards' paths, step by step.
#include "vossaTrickPositions.h"

#include <cstring>

#include "render/krVector.h"

namespace
{
// Every entry moves a tenth of the way to its target.
void Approach(float (*current)[3], const float (*target)[3])
{
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        for (int32_t k = 0; k < 3; ++k)
        {
            current[i][k] += (target[i][k] - current[i][k]) / 10.0f;
        }
    }
}

// Turns the points 1 degree about y, z and x, in that order, around (0, 0, centreZ).
void Tumble(float (*points)[3], float centreZ)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, kCardCount);
    RotateMatrixY(&points[0][0], 1.0f, kCardCount);
    RotateMatrixZ(&points[0][0], 1.0f, kCardCount);
    RotateMatrixX(&points[0][0], 1.0f, kCardCount);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, kCardCount);
}

// Turns the points 1 degree about x, y and z, in that order, around (0, 0, centreZ).
void TumbleRing(float (*points)[3], float centreZ)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, kCardCount);
    RotateMatrixX(&points[0][0], 1.0f, kCardCount);
    RotateMatrixY(&points[0][0], 1.0f, kCardCount);
    RotateMatrixZ(&points[0][0], 1.0f, kCardCount);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, kCardCount);
}

// Turns the circle 0.5 degrees about the vertical axis through its centre.
void TurnAboutY(float (*points)[3], float centreZ)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, kCardCount);
    RotateMatrixY(&points[0][0], 0.5f, kCardCount);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, kCardCount);
}
} // namespace

vossaTrickPositions::vossaTrickPositions()
{
    std::memset(current, 0, sizeof(current));
    std::memset(stack, 0, sizeof(stack));
    std::memset(reveal, 0, sizeof(reveal));
    LayChoice();
    LayCircle();
}

void vossaTrickPositions::LayChoice()
{
    InitChoiceLayout(choice);
}

void vossaTrickPositions::LayCircle()
{
    InitCircleLayout(circle, circleZ);
}

void vossaTrickPositions::LayReveal()
{
    InitRevealLayout(reveal, circleZ);
}

void vossaTrickPositions::PulseChoice()
{
    float factor;
    if (pulseCounter <= 19 && pulseGrowing)
    {
        ++pulseCounter;
        factor = 1.002f;
    }
    else
    {
        pulseGrowing = false;
        --pulseCounter;
        if (pulseCounter < 0)
        {
            pulseGrowing = true;
        }
        factor = 0.998f;
    }
    ScaleMatrix(&choice[0][0], factor, kCardCount);
}

void vossaTrickPositions::TurnCircle()
{
    TurnAboutY(circle, circleZ);
}

void vossaTrickPositions::StartFirstGather()
{
    CopyMatrix(&current[0][0], &circle[0][0], kCardCount);
    gatherZ = circleZ;
}

void vossaTrickPositions::FirstGatherStep(bool tumble)
{
    MoveMatrix(&current[0][0], 0.0f, 0.0f, -0.1f, kCardCount);
    if (tumble)
    {
        Tumble(current, gatherZ);
    }
    gatherZ -= 0.1f;
}

void vossaTrickPositions::KeepGathered()
{
    CopyMatrix(&stack[0][0], &current[0][0], kCardCount);
}

void vossaTrickPositions::GatherStep(bool tumble)
{
    if (tumble)
    {
        Tumble(stack, gatherZ);
    }
    Approach(current, stack);
}

void vossaTrickPositions::StackStep()
{
    Approach(current, choice);
}

void vossaTrickPositions::RevealStep()
{
    Approach(current, reveal);
}

void vossaTrickPositions::SpinReveal(bool tumble)
{
    if (tumble)
    {
        TumbleRing(reveal, circleZ);
    }
}

void vossaTrickPositions::StartReturnFromReveal()
{
    CopyMatrix(&current[0][0], &reveal[0][0], kCardCount);
}

void vossaTrickPositions::ReturnStep()
{
    TurnAboutY(circle, circleZ);
    Approach(current, circle);
}

void vossaTrickPositions::SettleCircle()
{
    CopyMatrix(&circle[0][0], &current[0][0], kCardCount);
}

void vossaTrickPositions::HomeStep()
{
    Approach(current, circle);
}
