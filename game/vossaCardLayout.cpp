// vossaCardLayout: layouts, the deal order, the disguise and the carried positions.
#include "vossaCardLayout.h"

#include <cmath>
#include <cstring>

#include "render/krVector.h"

void InitChoiceLayout(float (*positions)[3], int32_t rowLength)
{
    const float left = static_cast<float>(rowLength - 1) * -1.25f;
    for (int32_t r = 0; r < 3; ++r)
    {
        for (int32_t c = 0; c < rowLength; ++c)
        {
            float* p = positions[r * rowLength + c];
            p[0] = c * 2.5f + left;
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

void InitCircleLayout(float (*positions)[3], float circleZ, int32_t count)
{
    const float step = 360.0f / static_cast<float>(count);
    float angle = 0.0f;
    for (int32_t i = 0; i < count; ++i)
    {
        RingPoint(positions[i], angle);
        angle += step;
    }
    RotateMatrixX(&positions[0][0], 90.0f, count);
    MoveMatrix(&positions[0][0], 0.0f, 0.0f, circleZ, count);
}

void InitRevealLayout(float (*positions)[3], float circleZ, int32_t count, int32_t revealSlot)
{
    const float step = 360.0f / static_cast<float>(count - 1);
    int32_t k = 0;
    for (int32_t i = 0; i < count; ++i)
    {
        if (i == revealSlot)
        {
            positions[i][0] = positions[i][1] = positions[i][2] = 0.0f;
            continue;
        }
        RingPoint(positions[i], step * static_cast<float>(k));
        ++k;
    }
    RotateMatrixX(&positions[0][0], 90.0f, count);
    MoveMatrix(&positions[0][0], 0.0f, 0.0f, circleZ, count);
}

void GatherPile(int32_t row, TPilePlace place, int32_t rowLength, int32_t* pile)
{
    rowLength = rowLength == kMaxRowLength ? kMaxRowLength : kRowLength;
    // The rows as their index from the bottom: the chosen one and the others in the order
    // bottom, top, middle.
    const int32_t chosen = row == 1 ? 2 : row == 3 ? 0 : 1;
    int32_t others[2];
    int32_t n = 0;
    for (int32_t r : {0, 2, 1})
    {
        if (r != chosen)
        {
            others[n++] = r;
        }
    }
    int32_t rows[3];
    n = 0;
    for (int32_t part = 0; part < 3; ++part)
    {
        rows[part] = part == place ? chosen : others[n++];
    }
    for (int32_t part = 0; part < 3; ++part)
    {
        for (int32_t c = 0; c < rowLength; ++c)
        {
            pile[part * rowLength + c] = rows[part] * rowLength + c;
        }
    }
}

void DealOrder(int32_t row, int32_t* newToOld, int32_t rowLength, TPilePlace place)
{
    rowLength = rowLength == kMaxRowLength ? kMaxRowLength : kRowLength;
    int32_t pile[kMaxCardCount];
    GatherPile(row, place, rowLength, pile);
    // Dealt into the bottom, middle and top rows in turn.
    for (int32_t j = 0; j < 3 * rowLength; ++j)
    {
        newToOld[(j % 3) * rowLength + j / 3] = pile[j];
    }
}

TPilePlace PilePlaceFor(int32_t number, int32_t answer)
{
    int32_t rest = number - 1;
    for (int32_t k = 0; k < answer; ++k)
    {
        rest /= 3;
    }
    return static_cast<TPilePlace>(((rest % 3) + 3) % 3);
}

bool CarryPositions(const void* const* oldOrder, const void* const* newOrder, float (*positions)[3],
                    int32_t count)
{
    if (count <= 0)
    {
        return true;
    }
    int32_t from[kMaxCardCount];
    if (count > kMaxCardCount)
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
    float carried[kMaxCardCount][3];
    for (int32_t i = 0; i < count; ++i)
    {
        std::memcpy(carried[i], positions[from[i]], sizeof(carried[i]));
    }
    std::memcpy(positions, carried, sizeof(float) * 3 * count);
    return true;
}
