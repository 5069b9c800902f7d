// A card as the game draws it: the pack's mesh and face texture through the engine's vertex
// array, seen from the front and from behind. Catches a swapped face and back, a mirrored or
// upside-down face and a texture that does not reach the mesh.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <cstring>

#include "AssetgenTestPack.h"
#include "krTestGL.h"
#include "render/krVertexArray.h"

namespace
{
class PackCardRender : public krGLTest
{
protected:
    // Draws the card (mesh `mesh`, picture `texture`) turned by `turnY` degrees about y,
    // 400 pixels per scene unit, centred in the window.
    void DrawCard(const std::string& mesh, const std::string& texture, float turnY)
    {
        const krResource* pack = krTestPack();
        ASSERT_NE(pack, nullptr);
        krVertexArray card(4);
        card.SetMoveToCenter(true);
        ASSERT_TRUE(card.LoadFromCrunchedMemoryBlock(pack->Get(mesh.c_str()))) << mesh;
        ASSERT_TRUE(card.TextureFromCrunchedMemoryBlock(pack->Get(texture.c_str()))) << texture;
        const float angles[3] = {0, turnY, 0};
        card.SetAngle(angles);
        card.SetPosition(0, 0, 0);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-0.32, 0.32, -0.32, 0.32, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        Clear(0, 1, 0);
        card.Draw();
        glDisable(GL_DEPTH_TEST);
    }

    // Red pixels in a window rectangle (window pixels, y down).
    int CountRed(int x0, int y0, int x1, int y1) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
        {
            for (int x = x0; x < x1; ++x)
            {
                TTestPixel_s p = ReadPixel(x, y);
                n += p.r > 150 && p.g < 100 && p.b < 100;
            }
        }
        return n;
    }
};

// The card spans 126 × 176 pixels: x from 65 to 191, y from 40 to 216, 2 pixels a millimetre.
const int kLeft = 65, kTop = 40;
} // namespace

TEST_F(PackCardRender, FaceIsUprightAndUnmirroredAtBothQualities)
{
    for (const char* suffix : {"", "_low"})
    {
        // Card 13 is the ace of hearts: a red heart in the middle, "A" and a heart in the
        // top-left and (turned) bottom-right corners only.
        DrawCard(std::string("box") + suffix, std::string("texture_13") + suffix, 0);
        TTestPixel_s centre = ReadPixel(128, 128);
        EXPECT_TRUE(centre.r > 150 && centre.g < 100 && centre.b < 100) << suffix;
        EXPECT_GT(CountRed(kLeft + 4, kTop + 8, kLeft + 22, kTop + 40), 20) << suffix;
        EXPECT_EQ(CountRed(kLeft + 4, kTop + 136, kLeft + 22, kTop + 168), 0) << suffix;
        EXPECT_EQ(CountRed(kLeft + 104, kTop + 8, kLeft + 122, kTop + 40), 0) << suffix;
        EXPECT_GT(CountRed(kLeft + 104, kTop + 136, kLeft + 122, kTop + 168), 20) << suffix;
        // Outside the card the clear colour stays.
        EXPECT_TRUE(krPixelNear(ReadPixel(30, 128), 0, 255, 0)) << suffix;
    }
}

TEST_F(PackCardRender, BackShowsTheBackDesign)
{
    for (const char* suffix : {"", "_low"})
    {
        DrawCard(std::string("box") + suffix, std::string("texture_13") + suffix, 180);
        // Dark blue field with gold lines; no red anywhere.
        TTestPixel_s p = ReadPixel(kLeft + 30, kTop + 50);
        EXPECT_GT(p.b, p.r + 20) << suffix;
        EXPECT_LT(p.r + p.g + p.b, 3 * 160) << suffix;
        EXPECT_EQ(CountRed(kLeft + 2, kTop + 2, kLeft + 124, kTop + 174), 0) << suffix;
    }
}

// The four-colour faces: the ace of hearts stays red, the aces of diamonds and clubs turn blue
// and green, the ace of spades stays black; the two-colour ace of diamonds stays red.
TEST_F(PackCardRender, FourColourFacesInkEachSuitItsOwnColour)
{
    const struct
    {
        const char* texture;
        int r, g, b;
    } aces[] = {{"texture_13_fourcolour", 196, 22, 28},
                {"texture_18_fourcolour", 28, 91, 214},
                {"texture_19_fourcolour", 21, 150, 58},
                {"texture_18", 196, 22, 28}};
    for (const auto& ace : aces)
    {
        for (const char* suffix : {"", "_low"})
        {
            DrawCard(std::string("box") + suffix, ace.texture + std::string(suffix), 0);
            const TTestPixel_s centre = ReadPixel(128, 128);
            EXPECT_TRUE(krPixelNear(centre, ace.r, ace.g, ace.b, 40))
                << ace.texture << suffix << ": " << centre.r << "," << centre.g << "," << centre.b;
        }
    }
}
