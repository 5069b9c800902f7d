// vossaCameraFlight: the increments of a flight and its steps.
#include "vossaCameraFlight.h"

#include "vossaMotion.h"

void vossaCameraFlight::StartTowards(const float position[3], const float angle[3],
                                     const float targetPosition[3], const float targetAngle[3])
{
    float p[3], a[3];
    for (int32_t i = 0; i < 3; ++i)
    {
        p[i] = (targetPosition[i] - position[i]) / static_cast<float>(kCameraSteps);
        a[i] = (targetAngle[i] - angle[i]) / static_cast<float>(kCameraSteps);
    }
    StartBy(p, a);
}

void vossaCameraFlight::StartBy(const float positionStep[3], const float angleStep[3])
{
    for (int32_t i = 0; i < 3; ++i)
    {
        this->positionStep[i] = positionStep[i];
        this->angleStep[i] = angleStep[i];
    }
    stepsTaken = 0;
    eased = easedNext;
}

bool vossaCameraFlight::Step(float position[3], float angle[3])
{
    if (!Moving())
    {
        return false;
    }
    if (!eased)
    {
        for (int32_t i = 0; i < 3; ++i)
        {
            position[i] += positionStep[i];
            angle[i] += angleStep[i];
        }
        ++stepsTaken;
        return true;
    }
    // This step's share of the whole way, which is kCameraSteps equal steps.
    const float share =
        (EasedProgress(stepsTaken + 1, kCameraSteps) - EasedProgress(stepsTaken, kCameraSteps)) *
        static_cast<float>(kCameraSteps);
    for (int32_t i = 0; i < 3; ++i)
    {
        position[i] += positionStep[i] * share;
        angle[i] += angleStep[i] * share;
    }
    ++stepsTaken;
    return true;
}
