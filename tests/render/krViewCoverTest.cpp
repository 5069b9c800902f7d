// Tests of CoversViewport: when a frame may leave its colour uncleared under an opaque
// polygon. A wrong "covers" leaves last frame's pixels on screen; a wrong "does not" only
// costs a clear.
#include <gtest/gtest.h>

#include <cmath>

#include "render/krViewCover.h"

namespace
{
// glFrustum(-a f, a f, -f, f, 0.1, 10000) with f = tan(30 degrees) / 10: a 60-degree
// vertical view of aspect a.
void Frustum(float aspect, float* m)
{
    const float f = 0.0577350296f, n = 0.1f, far = 10000.0f;
    for (int i = 0; i < 16; i++)
    {
        m[i] = 0.0f;
    }
    m[0] = n / (aspect * f);
    m[5] = n / f;
    m[10] = -(far + n) / (far - n);
    m[11] = -1.0f;
    m[14] = -2.0f * far * n / (far - n);
}

// Translation by (x, y, z) after a turn of `degrees` about y.
void Place(float x, float y, float z, float degrees, float* m)
{
    const float c = std::cos(degrees * 3.14159265f / 180.0f);
    const float s = std::sin(degrees * 3.14159265f / 180.0f);
    const float values[16] = {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, x, y, z, 1};
    for (int i = 0; i < 16; i++)
    {
        m[i] = values[i];
    }
}

// A 24 x 14 rectangle from (-12, -6) to (12, 8) in the plane z = 0, corners in order.
const float kBackdrop[4][3] = {{12, -6, 0}, {-12, -6, 0}, {-12, 8, 0}, {12, 8, 0}};
} // namespace

TEST(ViewCover, TheGamesBackdropCoversWideScreensButNotWiderOnes)
{
    float projection[16], view[16];
    Place(0, 0, -10, 0, view);
    // At 10 units the view is 11.5 units high and 11.5 a wide: 20.5 at 16:9, 27 at 21:9.
    Frustum(16.0f / 9.0f, projection);
    EXPECT_TRUE(CoversViewport(projection, view, kBackdrop, 4));
    // Corners in the other order round the edge.
    const float reversed[4][3] = {{12, 8, 0}, {-12, 8, 0}, {-12, -6, 0}, {12, -6, 0}};
    EXPECT_TRUE(CoversViewport(projection, view, reversed, 4));
    Frustum(21.0f / 9.0f, projection);
    EXPECT_FALSE(CoversViewport(projection, view, kBackdrop, 4));
}

TEST(ViewCover, AnyUncoveredStripOrCornerBehindTheEyeIsNotCovered)
{
    float projection[16], view[16];
    Frustum(16.0f / 9.0f, projection);
    // Lower edge 0.2 units above the bottom of the view (5.77 units below its middle).
    Place(0, 0.43f, -10, 0, view);
    EXPECT_FALSE(CoversViewport(projection, view, kBackdrop, 4));
    Place(0, 0.2f, -10, 0, view);
    EXPECT_TRUE(CoversViewport(projection, view, kBackdrop, 4));
    // Turned 20 degrees: the near side swings past the edge of the view.
    Place(0, 0, -10, 20, view);
    EXPECT_FALSE(CoversViewport(projection, view, kBackdrop, 4));
    // Reaching behind the eye: the projection would fold it round.
    const float through[4][3] = {{50, -50, 20}, {-50, -50, 20}, {-50, 50, -20}, {50, 50, -20}};
    Place(0, 0, 0, 0, view);
    EXPECT_FALSE(CoversViewport(projection, view, through, 4));
    // Just behind the near plane it covers nothing.
    Place(0, 0, 10, 0, view);
    EXPECT_FALSE(CoversViewport(projection, view, kBackdrop, 4));
}

TEST(ViewCover, DegenerateInputCoversNothing)
{
    float projection[16], view[16];
    Frustum(1.0f, projection);
    Place(0, 0, -10, 0, view);
    EXPECT_FALSE(CoversViewport(projection, view, kBackdrop, 2));
    EXPECT_FALSE(CoversViewport(projection, view, kBackdrop, 17));
    EXPECT_FALSE(CoversViewport(nullptr, view, kBackdrop, 4));
    const float repeated[4][3] = {{12, -6, 0}, {12, -6, 0}, {-12, 8, 0}, {12, 8, 0}};
    EXPECT_FALSE(CoversViewport(projection, view, repeated, 4));
    const float line[3][3] = {{-30, -30, 0}, {0, 0, 0}, {30, 30, 0}};
    EXPECT_FALSE(CoversViewport(projection, view, line, 3));
    float broken[4][3] = {{12, -6, 0}, {-12, -6, 0}, {-12, 8, 0}, {12, 8, 0}};
    broken[2][0] = NAN;
    EXPECT_FALSE(CoversViewport(projection, view, broken, 4));
}
