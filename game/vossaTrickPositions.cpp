// vossaTrickPositions: the cards' paths, step by step.
#include "vossaTrickPositions.h"

#include <cstring>

#include "render/krVector.h"

namespace
{
// Every entry moves a tenth of the way to its target.
void Approach(float (*current)[3], const float (*target)[3], int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
    {
        for (int32_t k = 0; k < 3; ++k)
        {
            current[i][k] += (target[i][k] - current[i][k]) / 10.0f;
        }
    }
}

// Turns the points 1 degree about y, z and x, in that order, around (0, 0, centreZ).
void Tumble(float (*points)[3], float centreZ, int32_t count)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, count);
    RotateMatrixY(&points[0][0], 1.0f, count);
    RotateMatrixZ(&points[0][0], 1.0f, count);
    RotateMatrixX(&points[0][0], 1.0f, count);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, count);
}

// Turns the points 1 degree about x, y and z, in that order, around (0, 0, centreZ).
void TumbleRing(float (*points)[3], float centreZ, int32_t count)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, count);
    RotateMatrixX(&points[0][0], 1.0f, count);
    RotateMatrixY(&points[0][0], 1.0f, count);
    RotateMatrixZ(&points[0][0], 1.0f, count);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, count);
}

// Turns the circle 0.5 degrees about the vertical axis through its centre.
void TurnAboutY(float (*points)[3], float centreZ, int32_t count)
{
    MoveMatrix(&points[0][0], 0.0f, 0.0f, -centreZ, count);
    RotateMatrixY(&points[0][0], 0.5f, count);
    MoveMatrix(&points[0][0], 0.0f, 0.0f, centreZ, count);
}
} // namespace

vossaTrickPositions::vossaTrickPositions()
{
    std::memset(current, 0, sizeof(current));
    std::memset(stack, 0, sizeof(stack));
    std::memset(reveal, 0, sizeof(reveal));
    std::memset(pile, 0, sizeof(pile));
    std::memset(choice, 0, sizeof(choice));
    std::memset(circle, 0, sizeof(circle));
    LayChoice();
    LayCircle();
}

void vossaTrickPositions::SetRowLength(int32_t length)
{
    rowLength = length == kMaxRowLength ? kMaxRowLength : kRowLength;
    count = 3 * rowLength;
    LayChoice();
    LayCircle();
}

void vossaTrickPositions::LayChoice()
{
    InitChoiceLayout(choice, rowLength);
}

void vossaTrickPositions::LayCircle()
{
    InitCircleLayout(circle, circleZ, count);
}

void vossaTrickPositions::LayReveal(int32_t revealSlot)
{
    InitRevealLayout(reveal, circleZ, count, revealSlot);
}

void vossaTrickPositions::LayPile()
{
    // Face down, the top card nearest the viewer.
    for (int32_t i = 0; i < count; ++i)
    {
        pile[i][0] = -6.0f;
        pile[i][1] = 0.0f;
        pile[i][2] = 0.05f * static_cast<float>(count - i);
    }
}

void vossaTrickPositions::CountOnto(int32_t slot, int32_t counted)
{
    if (slot < 0 || slot >= count)
    {
        return;
    }
    pile[slot][0] = 6.0f;
    pile[slot][1] = 0.0f;
    pile[slot][2] = 0.05f * static_cast<float>(counted);
}

void vossaTrickPositions::PileStep()
{
    Approach(current, pile, count);
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
    ScaleMatrix(&choice[0][0], factor, count);
}

void vossaTrickPositions::TurnCircle()
{
    TurnAboutY(circle, circleZ, count);
}

void vossaTrickPositions::StartFirstGather()
{
    CopyMatrix(&current[0][0], &circle[0][0], count);
    gatherZ = circleZ;
}

void vossaTrickPositions::FirstGatherStep(bool tumble)
{
    MoveMatrix(&current[0][0], 0.0f, 0.0f, -0.1f, count);
    if (tumble)
    {
        Tumble(current, gatherZ, count);
    }
    gatherZ -= 0.1f;
}

void vossaTrickPositions::KeepGathered()
{
    CopyMatrix(&stack[0][0], &current[0][0], count);
}

void vossaTrickPositions::GatherStep(bool tumble)
{
    if (tumble)
    {
        Tumble(stack, gatherZ, count);
    }
    Approach(current, stack, count);
}

void vossaTrickPositions::StackStep()
{
    Approach(current, choice, count);
}

void vossaTrickPositions::RevealStep()
{
    Approach(current, reveal, count);
}

void vossaTrickPositions::SpinReveal(bool tumble)
{
    if (tumble)
    {
        TumbleRing(reveal, circleZ, count);
    }
}

void vossaTrickPositions::StartReturnFromReveal()
{
    CopyMatrix(&current[0][0], &reveal[0][0], count);
}

void vossaTrickPositions::ReturnStep()
{
    TurnAboutY(circle, circleZ, count);
    Approach(current, circle, count);
}

void vossaTrickPositions::SettleCircle()
{
    CopyMatrix(&circle[0][0], &current[0][0], count);
}

void vossaTrickPositions::HomeStep()
{
    Approach(current, circle, count);
}
