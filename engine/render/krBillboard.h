// krBillboard: spherical billboarding. l3dBillboardSphericalBegin multiplies the current
// OpenGL matrix by at most two rotations so that a flat object drawn in its x-y plane turns its
// +z axis towards the camera: first about the vertical, then tilted up or down. It pushes
// nothing, so the caller brackets it with glPushMatrix/glPopMatrix as needed.
#pragma once

#include <cstdint>

// One glRotatef call: angle in degrees about the axis (x, y, z).
struct TBillboardRotation_s
{
    float angle;
    float axis[3];
};

// The rotations l3dBillboardSphericalBegin applies, in order, written to `out` (room for two);
// returns how many (0, 1 or 2). No OpenGL call. When the camera is straight above or below the
// object, or at the object, there are none.
uint32_t l3dBillboardSphericalRotations(const float* cameraPosition, const float* objectPosition,
                                        TBillboardRotation_s* out);
// Applies those rotations to the current matrix with glRotatef.
void l3dBillboardSphericalBegin(const float* cameraPosition, const float* objectPosition);
