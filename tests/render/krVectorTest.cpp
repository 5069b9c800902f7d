// Tests for the vector, point-list, random and direction helpers.
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#include "render/krVector.h"

namespace
{
const float kEps = 1e-6f;

void ExpectVect(const float* v, float x, float y, float z)
{
    EXPECT_NEAR(v[0], x, kEps);
    EXPECT_NEAR(v[1], y, kEps);
    EXPECT_NEAR(v[2], z, kEps);
}
} // namespace

TEST(krVector, ConversionsAndBasics)
{
    EXPECT_FLOAT_EQ(ToRadf(180.0f), 3.1415927f);
    EXPECT_FLOAT_EQ(ToDegf(3.1415927f), 180.0f);
    EXPECT_FLOAT_EQ(ToDegf(ToRadf(37.5f)), 37.5f);

    float a[4], b[4];
    InitVect(a, 1, 2, 3);
    InitVect4(b, 4, 5, 6, 7);
    ChangeVect(a, b);
    ExpectVect(a, 4, 5, 6);
    ExpectVect(b, 1, 2, 3);
    EXPECT_EQ(b[3], 7.0f); // only three floats are swapped
    ChangeVect(a, b);
    ExpectVect(a, 1, 2, 3);
    ExpectVect(b, 4, 5, 6);

    TranslateVect3f(a, 1, -1, 0.5f);
    ExpectVect(a, 2, 1, 3.5f);
    float c[4] = {0, 0, 0, 99};
    CopyVect(c, a);
    ExpectVect(c, 2, 1, 3.5f);
    EXPECT_EQ(c[3], 99.0f);
    CopyVect4(c, b);
    EXPECT_EQ(c[3], 7.0f);
}

TEST(krVector, VectorRotationsTakeRadians)
{
    const float halfPi = 3.1415927f / 2;
    float x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, z[3] = {0, 0, 1}, out[4];
    RotateVectZ(x, out, halfPi);
    ExpectVect(out, 0, 1, 0);
    RotateVectX(y, out, halfPi);
    ExpectVect(out, 0, 0, 1);
    RotateVectY(z, out, halfPi);
    ExpectVect(out, 1, 0, 0);
    float v4[4] = {5, 0, 1, 0.25f};
    RotateVect4X(v4, out, halfPi);
    ExpectVect(out, 5, -1, 0);
    EXPECT_EQ(out[3], 0.25f);
}

TEST(krVector, PointListRotationsTakeDegreesAndWorkInPlace)
{
    float p[6] = {1, 0, 0, 0, 2, 0};
    RotateMatrixZ(p, 90.0f, 2);
    ExpectVect(p, 0, 1, 0);
    ExpectVect(p + 3, -2, 0, 0);
    float q[3] = {0, 0, 1};
    RotateMatrixY(q, 90.0f, 1);
    ExpectVect(q, 1, 0, 0);
    float r[3] = {0, 1, 0};
    RotateMatrixX(r, 90.0f, 1);
    ExpectVect(r, 0, 0, 1);

    float s[6] = {1, 0, 7, 1, 0, 8};
    const float angles[2] = {90.0f, 180.0f};
    RotateMatrixZ(s, angles, 2);
    ExpectVect(s, 0, 1, 7);
    ExpectVect(s + 3, -1, 0, 8);

    // Agreement with the per-vector form, in the same sense.
    float t[3] = {0.3f, -0.7f, 0.2f}, u[3];
    RotateVectY(t, u, ToRadf(33.0f));
    RotateMatrixY(t, 33.0f, 1);
    ExpectVect(t, u[0], u[1], u[2]);
}

TEST(krVector, PointListScalingTranslationAndCopy)
{
    float p[6] = {1, 2, 3, 4, 5, 6};
    ScaleMatrix(p, 2, 2);
    ExpectVect(p + 3, 8, 10, 12);
    ScaleMatrix3f(p, 1, 0.5f, -1, 2);
    ExpectVect(p, 2, 2, -6);
    TranslateMatrix3f(p, 1, 1, 1, 2);
    MoveMatrix(p, 0, 0, 10, 1);
    ExpectVect(p, 3, 3, 5);
    ExpectVect(p + 3, 9, 6, -11);
    float q[9] = {0};
    q[6] = 42;
    CopyMatrix(q, p, 2);
    ExpectVect(q + 3, 9, 6, -11);
    EXPECT_EQ(q[6], 42.0f);
}

TEST(krVector, ZeroCountTouchesNothing)
{
    float p[3] = {1, 2, 3};
    const float angle = 90.0f;
    ScaleMatrix(p, 0, 0);
    ScaleMatrix3f(p, 0, 0, 0, 0);
    TranslateMatrix3f(p, 1, 1, 1, 0);
    MoveMatrix(p, 1, 1, 1, 0);
    RotateMatrixX(p, 90, 0);
    RotateMatrixY(p, 90, 0);
    RotateMatrixZ(p, 90, 0);
    RotateMatrixZ(p, &angle, 0);
    CopyMatrix(p, nullptr, 0);
    RandomMatrix(p, 5, 6, 0);
    EXPECT_EQ(p[0], 1.0f);
    EXPECT_EQ(p[1], 2.0f);
    EXPECT_EQ(p[2], 3.0f);
}

TEST(krVector, RandomValuesStayInRange)
{
    srand(7);
    EXPECT_EQ(Randf(3, 3), 3.0f);
    for (int i = 0; i < 2000; i++)
    {
        float a = Randf(-1, -3);
        float b = Randf(-3, -1);
        EXPECT_GE(a, -3.0f);
        EXPECT_LE(a, -1.0f);
        EXPECT_GE(b, -3.0f);
        EXPECT_LE(b, -1.0f);
        float r = randfloat();
        EXPECT_GE(r, 0.0f);
        EXPECT_LE(r, 1.0f);
    }
    std::vector<float> values(52, -100.0f);
    RandomMatrix(values.data() + 1, 10, 20, 50);
    EXPECT_EQ(values[0], -100.0f);
    EXPECT_EQ(values[51], -100.0f);
    for (int i = 1; i <= 50; i++)
    {
        EXPECT_GE(values[i], 10.0f);
        EXPECT_LE(values[i], 20.0f);
    }
}

TEST(krVector, GetAngleQuadrantsAndSpecialCases)
{
    EXPECT_NEAR(GetAngle(0, 0, 1, 0), 0.0f, 1e-4f);
    EXPECT_NEAR(GetAngle(0, 0, 1, 1), 45.0f, 1e-4f);
    EXPECT_NEAR(GetAngle(1, 1, 0, 2), 135.0f, 1e-4f);
    EXPECT_NEAR(GetAngle(0, 0, -1, -1), 225.0f, 1e-4f);
    EXPECT_NEAR(GetAngle(0, 0, 1, -1), 315.0f, 1e-4f);
    EXPECT_NEAR(GetAngle(0, 0, 0, 1), 90.0f, 1e-4f);
    // Straight below: -90, not 270; straight left: 0 (no correction for dy = 0).
    EXPECT_NEAR(GetAngle(0, 0, 0, -1), -90.0f, 1e-4f);
    EXPECT_NEAR(GetAngle(0, 0, -1, 0), 0.0f, 1e-4f);
    EXPECT_TRUE(std::isnan(GetAngle(2, 2, 2, 2)));
}
