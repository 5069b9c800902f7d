// vossaCardLayout: layouts, the deal order, the disguise and the carried positions.
#include "vossaCardLayout.h"

#include <cmath>
#include <cstring>

#include "render/krVector.h"

void InitChoiceLayout(float (*positions)[3])
{
    for (int32_t r = 0; r < 3; ++r)
    {
        for (int32_t c = 0; c < kRowLength; ++c)
        {
            float* p = positions[r * kRowLength + c];
            p[0] = c * 2.5f - 7.5f;
            p[1] = r * 2.5f - 2.5f;
            p[2] = 0.0f;
        }
    }
}

// A point on a circle of radius 10 in the xy-plane, at `degrees` measured the game's way.
static void RingPoint(float* p, float degrees)
{
    const double radians = degrees * static_cast<double>(-static_cast<float>(M_PI)) / 180.0;
    p[0] = static_cast<float>(10.0 * std::sin(radians));
    p[1] = static_cast<float>(10.0 * std::cos(radians));
    p[2] = 0.0f;
}

void InitCircleLayout(float (*positions)[3], float circleZ)
{
    const float step = 360.0f / kCardCount;
    float angle = 0.0f;
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        RingPoint(positions[i], angle);
        angle += step;
    }
    RotateMatrixX(&positions[0][0], 90.0f, kCardCount);
    MoveMatrix(&positions[0][0], 0.0f, 0.0f, circleZ, kCardCount);
}

void InitRevealLayout(float (*positions)[3], float circleZ)
{
    int32_t k = 0;
    for (int32_t i = 0; i < kCardCount; ++i)
    {
        if (i == kRevealSlot)
        {
            positions[i][0] = positions[i][1] = positions[i][2] = 0.0f;
            continue;
        }
        RingPoint(positions[i], 18.0f * k);
        ++k;
    }
    RotateMatrixX(&positions[0][0], 90.0f, kCardCount);
    MoveMatrix(&positions[0][0], 0.0f, 0.0f, circleZ, kCardCount);
}

void DealOrder(int32_t row, int32_t* newToOld)
{
    // The rows in stacking order, as their first slots; the chosen row goes in the middle.
    int32_t rowStarts[3] = {0, 7, 14};
    if (row == 1)
    {
        rowStarts[0] = 0;
        rowStarts[1] = 14;
        rowStarts[2] = 7;
    }
    else if (row == 3)
    {
        rowStarts[0] = 14;
        rowStarts[1] = 0;
        rowStarts[2] = 7;
    }
    int32_t stack[kCardCount];
    for (int32_t part = 0; part < 3; ++part)
    {
        for (int32_t c = 0; c < kRowLength; ++c)
        {
            stack[part * kRowLength + c] = rowStarts[part] + c;
        }
    }
    // Dealt into the bottom, middle and top rows in turn.
    for (int32_t j = 0; j < kCardCount; ++j)
    {
        newToOld[(j % 3) * kRowLength + j / 3] = stack[j];
    }
}

bool CarryPositions(const void* const* oldOrder, const void* const* newOrder, float (*positions)[3],
                    int32_t count)
{
    if (count <= 0)
    {
        return true;
    }
    int32_t from[kCardCount];
    if (count > kCardCount)
    {
        return false;
    }
    for (int32_t i = 0; i < count; ++i)
    {
        from[i] = -1;
        for (int32_t j = 0; j < count; ++j)
        {
            if (oldOrder[j] == newOrder[i])
            {
                from[i] = j;
                break;
            }
        }
        if (from[i] < 0)
        {
            return false;
        }
    }
    float carried[kCardCount][3];
    for (int32_t i = 0; i < count; ++i)
    {
        std::memcpy(carried[i], positions[from[i]], sizeof(carried[i]));
    }
    std::memcpy(positions, carried, sizeof(float) * 3 * count);
    return true;
}
