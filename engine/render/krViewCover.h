// krViewCover: whether a flat convex polygon hides the whole viewport, so that what it draws
// opaquely leaves nothing of the screen's old contents (a frame need not clear the colour
// under it).
#pragma once

#include <cstdint>

// True when the convex polygon of `count` (3 or more) corners, in order round its edge, seen
// through a projection and a model-view matrix (OpenGL's column-major 4 x 4), lies wholly in
// front of the eye and covers every point of the viewport with a margin of a thousandth of
// its half-size. False for anything less, or non-finite input.
bool CoversViewport(const float* projection, const float* modelView, const float (*corners)[3],
                    int32_t count);
