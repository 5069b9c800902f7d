// Tests of the scenery numbers: the backdrop, the star line's helix and its 62-frame life with
// one choice sound, the star sphere's distances and the clouds' wrap-around.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "vossaScenery.h"

namespace
{
double Distance(const float* p, float x, float y, float z)
{
    return std::sqrt((p[0] - x) * (p[0] - x) + (p[1] - y) * (p[1] - y) + (p[2] - z) * (p[2] - z));
}
} // namespace

TEST(Scenery, BackdropIsOrangeBelowAndBlueAbove)
{
    // The default colours: orange (red over green over blue) below, blue above.
    EXPECT_GT(r1, g1);
    EXPECT_GT(g1, b1);
    EXPECT_GT(b2, g2);
    EXPECT_GT(g2, r2);
    float v[kBackdropVertexCount][3];
    float c[kBackdropVertexCount][4];
    BackdropVertices(v);
    BackdropColors(c);
    float low = v[0][1], high = v[0][1];
    for (int32_t i = 0; i < kBackdropVertexCount; ++i)
    {
        low = std::min(low, v[i][1]);
        high = std::max(high, v[i][1]);
    }
    ASSERT_LT(low, high);
    for (int32_t i = 0; i < kBackdropVertexCount; ++i)
    {
        ASSERT_TRUE(v[i][1] == low || v[i][1] == high) << i;
        const bool top = v[i][1] == high;
        EXPECT_EQ(c[i][0], top ? r2 : r1) << i;
        EXPECT_EQ(c[i][1], top ? g2 : g1) << i;
        EXPECT_EQ(c[i][2], top ? b2 : b1) << i;
        EXPECT_EQ(c[i][3], 1.0f);
    }
}

TEST(Scenery, StarLineIsAHelixAlongTheRow)
{
    float p[kStarCount][3];
    StarLinePositions(p, -0.3f);
    EXPECT_FLOAT_EQ(p[0][0], -8.5f);
    EXPECT_FLOAT_EQ(p[0][1], -0.3f);
    EXPECT_FLOAT_EQ(p[0][2], 1.5f);
    EXPECT_NEAR(p[49][0], 8.65f, 1e-4);
    for (int32_t i = 0; i < kStarCount; ++i)
    {
        EXPECT_NEAR(std::hypot(p[i][1] + 0.3f, p[i][2]), 1.5, 1e-5) << i;
    }
    // 50 degrees between neighbours, turning towards -y first.
    EXPECT_NEAR(p[1][1], -0.3f + 1.5f * std::sin(-50.0 * M_PI / 180.0), 1e-5);
    EXPECT_NEAR(p[1][2], 1.5f * std::cos(50.0 * M_PI / 180.0), 1e-5);
}

TEST(Scenery, StarLineLivesSixtyTwoFramesAndSoundsOnce)
{
    vossaStarLine line;
    EXPECT_FALSE(line.IsVisible());
    EXPECT_FALSE(line.Step()); // nothing runs before Start
    line.Start(2.2f);
    EXPECT_TRUE(line.IsVisible());
    EXPECT_FLOAT_EQ(line.GetAlpha(), 1.0f);
    int32_t sounds = 0;
    int32_t lastFrame = 0;
    for (int32_t call = 1; call <= 100; ++call)
    {
        if (line.Step())
        {
            ++sounds;
            lastFrame = call;
        }
        // The helix keeps its axis while it turns.
        const float(*p)[3] = line.GetPositions();
        ASSERT_NEAR(std::hypot(p[7][1] - 2.2f, p[7][2]), 1.5, 1e-4);
    }
    EXPECT_EQ(sounds, 1);
    EXPECT_EQ(lastFrame, 62);
    EXPECT_FALSE(line.IsVisible());
    EXPECT_NEAR(line.GetAlpha(), 1.0f - 62 * 0.016f, 1e-4);
}

TEST(Scenery, StarLineTurnsTenDegreesPerFrame)
{
    vossaStarLine line;
    line.Start(0.0f);
    line.Step();
    const float(*p)[3] = line.GetPositions();
    // Star 0 started at (y, z) = (0, 1.5) and turned -10 degrees about x.
    EXPECT_NEAR(p[0][1], 1.5 * std::sin(10.0 * M_PI / 180.0), 1e-5);
    EXPECT_NEAR(p[0][2], 1.5 * std::cos(10.0 * M_PI / 180.0), 1e-5);
}

TEST(Scenery, StarSphereStaysInItsShell)
{
    srand(7);
    for (int32_t round = 0; round < 20; ++round)
    {
        float p[kStarCount][3];
        float spins[kStarCount];
        StarSpherePositions(p, spins);
        for (int32_t i = 0; i < kStarCount; ++i)
        {
            const double d = Distance(p[i], 0.0f, 0.0f, -5.0f);
            EXPECT_GE(d, 3.0 * std::sqrt(3.0) - 1e-4);
            EXPECT_LE(d, 4.5 * std::sqrt(3.0) + 1e-4);
            EXPECT_GE(spins[i], -3.0f);
            EXPECT_LE(spins[i], -1.0f);
        }
    }
}

TEST(Scenery, CloudsWrapByTheirOwnDepth)
{
    float p[3] = {-24.99f, 1.0f, -9.0f};
    EXPECT_TRUE(CloudDrift(p, 16.0f, 1.0f));
    EXPECT_NEAR(p[0], -25.01f, 1e-4);
    EXPECT_FALSE(CloudDrift(p, 16.0f, 1.0f)); // right edge -9.01 is no longer beyond z -9
    EXPECT_NEAR(p[0], -25.01f, 1e-4);         // the caller brings it back in

    float second[3] = {-15.99f, 0.0f, -7.0f};
    EXPECT_TRUE(CloudDrift(second, 9.0f, 1.0f));
    EXPECT_FALSE(CloudDrift(second, 9.0f, 1.0f));
    float third[3] = {-16.99f, 0.0f, -5.0f};
    EXPECT_TRUE(CloudDrift(third, 12.0f, 1.0f));
    EXPECT_FALSE(CloudDrift(third, 12.0f, 1.0f));
    // A bigger cloud travels further before it re-enters.
    float scaled[3] = {-25.01f, 0.0f, -9.0f};
    EXPECT_TRUE(CloudDrift(scaled, 16.0f, 2.0f));
}
