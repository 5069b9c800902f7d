// krBillboard: spherical billboard rotations (turn about the vertical, then tilt).
#include "render/krBillboard.h"

#include <GL/gl.h>

#include <cmath>

uint32_t l3dBillboardSphericalRotations(const float* cameraPosition, const float* objectPosition,
                                        TBillboardRotation_s* out)
{
    if (!cameraPosition || !objectPosition || !out)
    {
        return 0;
    }
    const float* cam = cameraPosition;
    const float* obj = objectPosition;
    uint32_t count = 0;

    // Horizontal direction to the camera; none when the camera is straight above or below.
    float p[3] = {cam[0] - obj[0], 0.0f, cam[2] - obj[2]};
    const float pLength = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    if (!(pLength > 0.0f))
    {
        return 0;
    }
    for (float& c : p)
    {
        c /= pLength;
    }
    // Turn +z towards p about (0, 0, 1) x p.
    const float c1 = p[2];
    if (-0.9999 < double(c1) && double(c1) < 0.9999)
    {
        out[count].angle = float(std::acos(double(c1)) * 180.0 / 3.14);
        out[count].axis[0] = -p[1];
        out[count].axis[1] = p[0];
        out[count].axis[2] = 0.0f;
        count++;
    }

    // Tilt up or down towards the full direction.
    float o[3] = {cam[0] - obj[0], cam[1] - obj[1], cam[2] - obj[2]};
    const float oLength = std::sqrt(o[0] * o[0] + o[1] * o[1] + o[2] * o[2]);
    if (!(oLength > 0.0f))
    {
        return count;
    }
    for (float& c : o)
    {
        c /= oLength;
    }
    const float c2 = p[0] * o[0] + p[1] * o[1] + p[2] * o[2];
    if (-0.9999 < double(c2) && double(c2) < 0.9999)
    {
        out[count].angle = float(std::acos(double(c2)) * 180.0 / 3.14);
        out[count].axis[0] = o[1] < 0.0f ? 1.0f : -1.0f;
        out[count].axis[1] = 0.0f;
        out[count].axis[2] = 0.0f;
        count++;
    }
    return count;
}

void l3dBillboardSphericalBegin(const float* cameraPosition, const float* objectPosition)
{
    TBillboardRotation_s rotations[2];
    const uint32_t count =
        l3dBillboardSphericalRotations(cameraPosition, objectPosition, rotations);
    for (uint32_t i = 0; i < count; i++)
    {
        glRotatef(rotations[i].angle, rotations[i].axis[0], rotations[i].axis[1],
                  rotations[i].axis[2]);
    }
}
