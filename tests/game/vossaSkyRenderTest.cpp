// Tests of the backdrop's drawing on a real OpenGL context: RenderSkyBox must put on screen the
// pixels that the plain recipe gives (the gradient rectangle and the clouds, all blended
// source-alpha over the screen, every cloud pixel drawn), up to a rounding step, whatever it
// does to draw them faster, and must leave blending off, depth testing on and no alpha test
// behind.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "data/krResource.h"
#include "krTestGL.h"
#include "render/krGeometry.h"
#include "render/krTexturedBox.h"
#include "render/krVertexArray.h"
#include "vossaGame.h"
#include "vossaTestArchive.h"

namespace
{
class vossaSkyProbe : public vossaGame
{
public:
    vossaSkyProbe() : vossaGame(kSize, kSize, false) {}

    static const int kSize = 256;
    using vossaGame::clouds;
    using vossaGame::ReleaseAssets;
    using vossaGame::resource;
    using vossaGame::skyBox;
};

// A 64 x 32 TGA (type 2, 32 bits, top-left origin) whose alpha runs through 0 and every step
// up to 248 across the rows, over a colour that changes too, so that the clouds have fully
// transparent, partly transparent and nearly opaque parts, inside a transparent margin.
std::vector<uint8_t> CloudImage(uint8_t tint)
{
    const int w = 64, h = 32;
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = w;
    out[14] = h;
    out[16] = 32;
    out[17] = 8 | 0x20;
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            out.push_back(static_cast<uint8_t>(200 + x % 50)); // b
            out.push_back(static_cast<uint8_t>(tint + y));     // g
            out.push_back(static_cast<uint8_t>(255 - x));      // r
            const bool margin = x < 16 || y < 4 || x >= 60 || y >= 29;
            out.push_back(margin ? 0 : static_cast<uint8_t>((x * 8 + y) % 249));
        }
    }
    return out;
}

class SkyRenderTest : public krGLTest
{
protected:
    void SetUp() override
    {
        krGLTest::SetUp();
        if (IsSkipped() || context == nullptr)
        {
            return;
        }
        game = new vossaSkyProbe();
        game->resource = new krResource();
        AddCrunched(game->resource, "cloud01", CloudImage(10));
        AddCrunched(game->resource, "cloud02", CloudImage(90));
        AddCrunched(game->resource, "cloud03", CloudImage(170));
        game->InitSkyBox();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        // The game's projection, square window, camera at the origin looking down -z.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glFrustum(-0.0577350296, 0.0577350296, -0.0577350296, 0.0577350296, 0.1, 10000);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    void TearDown() override
    {
        if (game != nullptr)
        {
            // The game's assets go while the context is current, then the context; the
            // game's shell then shuts SDL down, which also ends the test's window.
            game->ReleaseAssets();
            SDL_GL_DeleteContext(context);
            context = nullptr;
            delete game;
            game = nullptr;
            window = nullptr;
        }
        krGLTest::TearDown();
    }

    // The plain recipe: everything blended, every cloud pixel drawn (the whole box, not the
    // trimmed part that the cloud's own Draw draws).
    std::vector<uint8_t> Reference(bool withClouds) const
    {
        Clear(0.0f, 0.0f, 0.2f);
        glEnable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        game->skyBox->DrawColor();
        for (uint64_t i = 0; withClouds && i < game->clouds->Length(); ++i)
        {
            game->clouds->GetVertexArray(i)->krVertexArray::Draw();
        }
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        return krReadScreen(kWidth, kHeight);
    }

    vossaSkyProbe* game = nullptr;
};

// Bytes that differ by more than `slack`.
size_t DifferentBytes(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int slack = 0)
{
    size_t count = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        count += std::abs(int(a[i]) - int(b[i])) > slack ? 1 : 0;
    }
    return count;
}
} // namespace

TEST_F(SkyRenderTest, DrawsThePixelsOfTheBlendedRecipe)
{
    ASSERT_NE(game, nullptr);
    ASSERT_EQ(game->clouds->Length(), 3u);
    // Move the clouds into view: their left halves (alpha 0 and up) cover the middle.
    const float where[3][3] = {{-6.0f, -4.0f, -9.0f}, {-4.0f, -2.0f, -7.0f}, {-3.0f, -1.0f, -5.0f}};
    for (uint64_t i = 0; i < 3; ++i)
    {
        game->clouds->GetVertexArray(i)->SetPosition(where[i]);
    }
    const std::vector<uint8_t> backdropOnly = Reference(false);
    const std::vector<uint8_t> expected = Reference(true);
    // The clouds leave a mark, so the comparison below covers them, and they are drawn
    // trimmed to their texels above alpha 0: x 15 .. 60 of 64, y 3 .. 29 of 32.
    EXPECT_GT(DifferentBytes(backdropOnly, expected), 1000u);
    const krTexturedBox* cloud = static_cast<const krTexturedBox*>(game->clouds->GetVertexArray(0));
    EXPECT_EQ(std::vector<float>(cloud->part, cloud->part + 4),
              (std::vector<float>{15.0f / 64, 3.0f / 32, 61.0f / 64, 30.0f / 32}));

    Clear(0.0f, 0.0f, 0.2f);
    game->RenderSkyBox();
    const std::vector<uint8_t> drawn = krReadScreen(kWidth, kHeight);
    // The trimmed clouds interpolate their texture coordinates over other triangles, which
    // may round a filtered value a step the other way.
    EXPECT_EQ(DifferentBytes(expected, drawn, 1), 0u);
}

TEST_F(SkyRenderTest, LeavesBlendingOffDepthOnAndNoAlphaTest)
{
    ASSERT_NE(game, nullptr);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    game->RenderSkyBox();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    GLint function = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &function);
    EXPECT_EQ(function, GL_ALWAYS);
}

TEST_F(SkyRenderTest, CloudsDriftLeftInTheUpdateStepNotWhenDrawn)
{
    ASSERT_NE(game, nullptr);
    float before[3], drawn[3], after[3];
    game->clouds->GetVertexArray(0)->GetCenter(before);
    game->RenderSkyBox();
    game->clouds->GetVertexArray(0)->GetCenter(drawn);
    EXPECT_FLOAT_EQ(drawn[0], before[0]);
    game->DriftClouds();
    game->clouds->GetVertexArray(0)->GetCenter(after);
    EXPECT_FLOAT_EQ(after[0], before[0] - 0.02f);
    EXPECT_FLOAT_EQ(after[1], before[1]);
}

TEST_F(SkyRenderTest, TheBackdropCoversTheScreenOnlyWhereItHidesAllOfIt)
{
    ASSERT_NE(game, nullptr);
    // The camera at the origin: the backdrop, 10 units away, reaches past every edge.
    EXPECT_TRUE(game->BackdropCoversScreen());
    // Moved 7 units right it leaves the left edge of the screen: its own placement counts.
    const float right[3] = {-5.0f, -6.0f, -10.0f};
    game->skyBox->SetPosition(right);
    EXPECT_FALSE(game->BackdropCoversScreen());
    game->skyBox->SetPosition(-12.0f, -6.0f, -10.0f);
    glRotatef(40.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_FALSE(game->BackdropCoversScreen());
    glLoadIdentity();
    EXPECT_TRUE(game->BackdropCoversScreen());
}
