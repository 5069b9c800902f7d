// Tests of CoversViewport: when a frame may leave its colour uncleared under an opaque
// polygon. A wrong "covers" leaves last frame's pixels on screen; a wrong "does not" only
// costs a clear.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "render/krViewCover.h"

namespace
{
typedef std::array<float, 16> TMatrix;
typedef std::vector<std::array<float, 3>> TPolygon;

// glFrustum(-a f, a f, -f, f, 0.1, 10000) with f = tan(30 degrees) / 10: a 60-degree
// vertical view of aspect a.
TMatrix Frustum(float aspect)
{
    const float f = 0.0577350296f, n = 0.1f, far = 10000.0f;
    TMatrix m = {};
    m[0] = n / (aspect * f);
    m[5] = n / f;
    m[10] = -(far + n) / (far - n);
    m[11] = -1.0f;
    m[14] = -2.0f * far * n / (far - n);
    return m;
}

// Translation by (x, y, z) after a turn of `degrees` about y.
TMatrix Place(float x, float y, float z, float degrees = 0)
{
    const float c = std::cos(degrees * 3.14159265f / 180.0f);
    const float s = std::sin(degrees * 3.14159265f / 180.0f);
    return {c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, x, y, z, 1};
}

// A 24 x 14 rectangle from (-12, -6) to (12, 8) in the plane z = 0, corners in order.
const TPolygon kBackdrop = {{12, -6, 0}, {-12, -6, 0}, {-12, 8, 0}, {12, 8, 0}};
const float kWide = 16.0f / 9.0f;

const float (*Corners(const TPolygon& polygon))[3]
{
    return reinterpret_cast<const float(*)[3]>(polygon.data());
}

// The polygon (its first `count` corners, all when negative) seen from `view` at `aspect`.
bool Covers(float aspect, const TMatrix& view, const TPolygon& polygon, int32_t count = -1)
{
    return CoversViewport(Frustum(aspect).data(), view.data(), Corners(polygon),
                          count < 0 ? int32_t(polygon.size()) : count);
}
} // namespace

TEST(ViewCover, TheGamesBackdropCoversWideScreensButNotWiderOnes)
{
    // At 10 units the view is 11.5 units high and 11.5 a wide: 20.5 at 16:9, 27 at 21:9.
    EXPECT_TRUE(Covers(kWide, Place(0, 0, -10), kBackdrop));
    // Corners in the other order round the edge.
    EXPECT_TRUE(
        Covers(kWide, Place(0, 0, -10), {{12, 8, 0}, {-12, 8, 0}, {-12, -6, 0}, {12, -6, 0}}));
    EXPECT_FALSE(Covers(21.0f / 9.0f, Place(0, 0, -10), kBackdrop));
}

TEST(ViewCover, AnyUncoveredStripOrCornerBehindTheEyeIsNotCovered)
{
    // Lower edge 0.2 units above the bottom of the view (5.77 units below its middle).
    EXPECT_FALSE(Covers(kWide, Place(0, 0.43f, -10), kBackdrop));
    EXPECT_TRUE(Covers(kWide, Place(0, 0.2f, -10), kBackdrop));
    // Turned 20 degrees: the near side swings past the edge of the view.
    EXPECT_FALSE(Covers(kWide, Place(0, 0, -10, 20), kBackdrop));
    // Reaching behind the eye: the projection would fold it round.
    EXPECT_FALSE(Covers(kWide, Place(0, 0, 0),
                        {{50, -50, 20}, {-50, -50, 20}, {-50, 50, -20}, {50, 50, -20}}));
    // Just behind the near plane it covers nothing.
    EXPECT_FALSE(Covers(kWide, Place(0, 0, 10), kBackdrop));
}

TEST(ViewCover, DegenerateInputCoversNothing)
{
    const TMatrix view = Place(0, 0, -10);
    EXPECT_FALSE(Covers(1, view, kBackdrop, 2));
    EXPECT_FALSE(Covers(1, view, kBackdrop, 17));
    EXPECT_FALSE(CoversViewport(nullptr, view.data(), Corners(kBackdrop), 4));
    EXPECT_FALSE(Covers(1, view, {{12, -6, 0}, {12, -6, 0}, {-12, 8, 0}, {12, 8, 0}}));
    EXPECT_FALSE(Covers(1, view, {{-30, -30, 0}, {0, 0, 0}, {30, 30, 0}})); // a line
    TPolygon broken = kBackdrop;
    broken[2][0] = NAN;
    EXPECT_FALSE(Covers(1, view, broken));
}
