// vossaCameraFlight: one camera flight, free of OpenGL. Starting it fixes the increment of
// every step once; each Step() moves a camera pose by that increment for the first kCameraSteps
// steps and leaves it alone after, so that the camera stops on its target while the cards
// settle.
#pragma once

#include <cstdint>

class vossaCameraFlight
{
public:
    // The steps in which a flight covers its distance.
    static constexpr int32_t kCameraSteps = 120;

    // A flight from (position, angle) to (targetPosition, targetAngle) in kCameraSteps equal
    // steps; angles in degrees.
    void StartTowards(const float position[3], const float angle[3], const float targetPosition[3],
                      const float targetAngle[3]);
    // A flight by the given increments per step.
    void StartBy(const float positionStep[3], const float angleStep[3]);
    // The flights started from now on cover the same way, easing in and out (the steps grow,
    // then shrink) instead of taking equal steps.
    void SetEased(bool on) { easedNext = on; }
    // Moves the pose by one increment while the flight still moves; true when it moved.
    bool Step(float position[3], float angle[3]);
    // True while steps remain.
    bool Moving() const { return stepsTaken < kCameraSteps; }

private:
    float positionStep[3] = {};
    float angleStep[3] = {};
    int32_t stepsTaken = kCameraSteps;
    bool easedNext = false;
    bool eased = false; // this flight eases
};
