// krClosedSurface: whether a flat triangle list (three positions per triangle) bounds solids
// whose faces are all wound counter-clockwise seen from outside. Of such a mesh, seen from
// outside, every triangle that faces away from the eye lies behind one that faces it, so
// drawing may cull the back faces without changing the picture.
//
// The test is exact and conservative: corners are matched by their exact coordinates; each
// directed edge must occur once and its reverse once; every connected piece must enclose a
// positive volume. Triangles with a repeated corner draw nothing and are ignored. Anything
// else (open or flat meshes, inconsistent winding, T-junctions, non-finite coordinates, a
// count that is not a multiple of three) gives false.
#pragma once

#include <cstdint>

bool IsClosedSurface(const float (*positions)[3], uint64_t count);

// True when a projection and a model-view matrix (OpenGL's column-major 4 x 4) keep the
// winding of what they draw: counter-clockwise seen from outside stays counter-clockwise on
// the screen. A mirror (a y-down pixel projection, a negative scale) turns it over.
bool KeepsWinding(const float* projection, const float* modelView);
