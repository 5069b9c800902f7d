// Tests of krGeometry (ownership, addressing), krTexturedBox and the spherical billboard.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "krRenderTestData.h"
#include "krTestGL.h"
#include "render/krBillboard.h"
#include "render/krGeometry.h"
#include "render/krTexturedBox.h"

namespace
{

// Counts destructions, so the tests can see who deletes what.
struct TCounted : public krVertexArray
{
    explicit TCounted(int* deaths) : krVertexArray(GL_TRIANGLES), deaths(deaths) {}
    ~TCounted() override { ++*deaths; }
    int* deaths;
};

} // namespace

TEST(Geometry, OwnsMembersUnlessToldNotTo)
{
    int deaths = 0;
    krGeometry* owning = new krGeometry();
    owning->AppendVertexArray(new TCounted(&deaths));
    owning->AppendVertexArray(nullptr);
    owning->AppendVertexArray(new TCounted(&deaths));
    krVertexArray* made = owning->AppendVertexArray(GL_TRIANGLES);
    EXPECT_EQ(made->primitiveMode, uint32_t(GL_TRIANGLES));
    EXPECT_EQ(owning->Length(), 4u);
    owning->Clear(false);
    EXPECT_EQ(owning->Length(), 4u);
    EXPECT_EQ(owning->GetVertexArray(3), made);
    EXPECT_EQ(deaths, 0);
    delete owning;
    EXPECT_EQ(deaths, 2);

    deaths = 0;
    TCounted a(&deaths), b(&deaths);
    krGeometry* referring = new krGeometry();
    referring->SetClearOnDestroy(false);
    referring->AppendVertexArray(&a);
    referring->AppendVertexArray(&b);
    delete referring;
    EXPECT_EQ(deaths, 0);

    krGeometry cleared;
    cleared.AppendVertexArray(new TCounted(&deaths));
    cleared.Clear(true);
    EXPECT_EQ(deaths, 1);
    EXPECT_EQ(cleared.Length(), 0u);
    EXPECT_EQ(cleared.items, nullptr);
}

TEST(Geometry, AddressingAndReordering)
{
    krVertexArray arrays[4] = {krVertexArray(GL_TRIANGLES), krVertexArray(GL_TRIANGLES),
                               krVertexArray(GL_TRIANGLES), krVertexArray(GL_TRIANGLES)};
    krGeometry g;
    g.SetClearOnDestroy(false);
    for (int i = 0; i < 11; i++)
    {
        g.AppendVertexArray(&arrays[i % 3]);
    }
    EXPECT_EQ(g.GetVertexArrayID(&arrays[1]), 1); // held several times: the first
    EXPECT_EQ(g.GetVertexArrayID(&arrays[3]), -1);
    EXPECT_EQ(g.GetVertexArray(11), nullptr);

    g.ChangeVertexArray(3, 3);
    EXPECT_EQ(g.GetVertexArray(3), &arrays[0]);
    g.ChangeVertexArray(3, 10);
    EXPECT_EQ(g.GetVertexArray(3), &arrays[1]);
    EXPECT_EQ(g.GetVertexArray(10), &arrays[0]);
    g.ChangeVertexArray(3, 11); // out of range: nothing
    EXPECT_EQ(g.GetVertexArray(3), &arrays[1]);

    g.InsertVertexArray(0, &arrays[3]);
    EXPECT_EQ(g.GetVertexArray(0), &arrays[3]);
    EXPECT_EQ(g.Length(), 11u);
    g.InsertVertexArray(11, &arrays[3]); // out of range: nothing
    EXPECT_EQ(g.Length(), 11u);

    g.SetSize(11); // same length keeps every entry
    EXPECT_EQ(g.GetVertexArray(10), &arrays[0]);
    g.SetSize(21);
    EXPECT_EQ(g.Length(), 21u);
    for (uint64_t i = 0; i < 21; i++)
    {
        EXPECT_EQ(g.GetVertexArray(i), nullptr);
    }
    g.SetSize(2);
    EXPECT_EQ(g.GetVertexArray(0), nullptr);
}

TEST(Geometry, SetPositionsGivesEachEntryItsRow)
{
    krGeometry g;
    g.AppendVertexArray(GL_TRIANGLES);
    g.AppendVertexArray(nullptr);
    g.AppendVertexArray(GL_TRIANGLES);
    float rows[3][3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    g.SetPositions(rows);
    float p[3];
    g.GetVertexArray(2)->GetCenter(p);
    EXPECT_EQ(p[0], 7.0f);
    EXPECT_EQ(p[2], 9.0f);
    float flat[9] = {0, 0, 0, 0, 0, 0, -1, -2, -3};
    g.SetPositions(flat);
    g.GetVertexArray(2)->GetCenter(p);
    EXPECT_EQ(p[1], -2.0f);
}

TEST(Billboard, Rotations)
{
    TBillboardRotation_s r[2];
    const float obj[3] = {1, 2, 3};
    // Camera straight in front on +z: no turn.
    const float front[3] = {1, 2, 10};
    EXPECT_EQ(l3dBillboardSphericalRotations(front, obj, r), 0u);
    // Camera displaced along +x only: one turn about +y by acos(0) * 180 / 3.14.
    const float side[3] = {5, 2, 3};
    ASSERT_EQ(l3dBillboardSphericalRotations(side, obj, r), 1u);
    EXPECT_NEAR(r[0].angle, 90.0 * 3.14159265 / 3.14, 1e-4);
    EXPECT_EQ(r[0].axis[0], 0.0f);
    EXPECT_EQ(r[0].axis[1], 1.0f);
    EXPECT_EQ(r[0].axis[2], 0.0f);
    // Straight above or below, or at the object: none.
    const float above[3] = {1, 9, 3};
    EXPECT_EQ(l3dBillboardSphericalRotations(above, obj, r), 0u);
    EXPECT_EQ(l3dBillboardSphericalRotations(obj, obj, r), 0u);
    // In front and above: a tilt about -x (upward); below: about +x.
    const float high[3] = {1, 7, 8};
    ASSERT_EQ(l3dBillboardSphericalRotations(high, obj, r), 1u);
    EXPECT_NEAR(r[0].angle, 45.0 * 3.14159265 / 3.14, 1e-3);
    EXPECT_EQ(r[0].axis[0], -1.0f);
    const float low[3] = {1, -3, 8};
    ASSERT_EQ(l3dBillboardSphericalRotations(low, obj, r), 1u);
    EXPECT_EQ(r[0].axis[0], 1.0f);
    // Off to the side and above: turn, then tilt.
    const float both[3] = {6, 7, 3};
    EXPECT_EQ(l3dBillboardSphericalRotations(both, obj, r), 2u);
}

using TexturedBoxGL = krGLTest;

TEST_F(TexturedBoxGL, CornerAtOriginAndTextureLayouts)
{
    krTexturedBox normal(16, 8, true, tbpNormal);
    EXPECT_EQ(normal.GetWidth(), 16.0f);
    EXPECT_EQ(normal.GetHeight(), 8.0f);
    EXPECT_TRUE(normal.flag);
    ASSERT_EQ(normal.vertexCount, 6u);
    ASSERT_EQ(normal.texCoordCount, 6u);
    EXPECT_EQ(normal.bbMin[0], 0.0f);
    EXPECT_EQ(normal.bbMax[0], 16.0f);
    EXPECT_EQ(normal.bbMax[1], 8.0f);
    // Vertex 1 is the corner (0, 0, 0).
    EXPECT_EQ(normal.vertices[1][0] + normal.vertices[1][1], 0.0f);
    EXPECT_EQ(normal.texCoords[1][0], 0.0f);
    EXPECT_EQ(normal.texCoords[1][1], 0.0f);
    EXPECT_EQ(normal.normals[0][0] + normal.normals[0][1] + normal.normals[0][2], 3.0f);
    EXPECT_TRUE(glIsBuffer(normal.vertexBuffer) && glIsBuffer(normal.texCoordBuffer) &&
                glIsBuffer(normal.normalBuffer));

    krTexturedBox flipped(16, 8, false, tbpFlipped);
    EXPECT_EQ(flipped.texCoords[1][0], 0.0f);
    EXPECT_EQ(flipped.texCoords[1][1], 1.0f);
    EXPECT_EQ(flipped.texCoords[4][1], 0.0f); // corner (w, h)

    // Any other layout: positions and normals, no texture coordinates; drawn untextured.
    krTexturedBox* plain = krTexturedBox::Create(100, 50, false, TTextureBoxProjection(2));
    EXPECT_EQ(plain->vertexCount, 6u);
    EXPECT_EQ(plain->normalCount, 6u);
    EXPECT_EQ(plain->texCoordCount, 0u);
    EXPECT_EQ(plain->texCoordBuffer, 0u);
    plain->SetColor(0, 1, 0, 1);
    plain->SetPosition(10, 10, 0);
    plain->Draw();
    EXPECT_TRUE(krPixelNear(ReadPixel(50, 30), 0, 255, 0));
    const float camera[3] = {10, 10, 100};
    Clear(0, 0, 0);
    plain->Draw2(camera, 0);
    EXPECT_TRUE(krPixelNear(ReadPixel(50, 30), 0, 255, 0));
    delete plain;
}

TEST_F(TexturedBoxGL, GeometryDrawsEveryMember)
{
    krGeometry g;
    krTexturedBox* left = krTexturedBox::Create(20, 20, false, tbpFlipped);
    krTexturedBox* right = krTexturedBox::Create(20, 20, false, tbpFlipped);
    left->SetPosition(10, 10, 0);
    left->SetColor(1, 0, 0, 1);
    right->SetPosition(100, 10, 0);
    right->SetColor(0, 0, 1, 1);
    g.AppendVertexArray(left);
    g.AppendVertexArray(nullptr);
    g.AppendVertexArray(right);
    g.Draw();
    EXPECT_TRUE(krPixelNear(ReadPixel(20, 20), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(110, 20), 0, 0, 255));
    EXPECT_TRUE(krPixelNear(ReadPixel(60, 20), 0, 0, 0));
}

TEST_F(TexturedBoxGL, BillboardFacesTheCamera)
{
    // Look from +x towards the origin: the view turns world +x onto the viewer's axis.
    SetOrtho(-128, 128, -128, 128, -200, 200);
    glRotatef(-90, 0, 1, 0);

    krTexturedBox box(100, 100, false, tbpNormal);
    box.SetColor(1, 1, 1, 1);
    box.SetPosition(0, -50, 0);
    // Drawn plainly, the box lies in the x-y plane: seen edge-on from +x.
    box.Draw();
    EXPECT_TRUE(krPixelNear(ReadPixel(128 + 40, 128), 0, 0, 0));
    // As a billboard it turns towards the camera and shows its face.
    const float camera[3] = {150, -50, 0};
    box.Draw2(camera, 0);
    EXPECT_TRUE(krPixelNear(ReadPixel(128 + 40, 128 - 40), 255, 255, 255));
    EXPECT_TRUE(krPixelNear(ReadPixel(128 - 40, 128), 0, 0, 0));
}

namespace
{
// The window positions of the triangles' corners drawn by `draw`, through GL feedback.
std::vector<float> FedBackCorners(const std::function<void()>& draw)
{
    std::vector<GLfloat> buffer(4096);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<float> corners;
    for (GLint i = 0; i + 1 < used;)
    {
        if (buffer[i] != GL_POLYGON_TOKEN)
        {
            break;
        }
        const GLint count = GLint(buffer[i + 1]);
        for (GLint k = 0; k < count * 3; ++k)
        {
            corners.push_back(buffer[i + 2 + k]);
        }
        i += 2 + count * 3;
    }
    return corners;
}
} // namespace

// Off the axis, scaled and turned: the box is moved to its place, scaled, faced towards the
// camera and only then turned about its facing axis.
TEST_F(TexturedBoxGL, BillboardIsMovedScaledFacedThenTurned)
{
    SetOrtho(-128, 128, -128, 128, -500, 500);
    krTexturedBox box(20, 10, false, tbpNormal);
    box.SetPosition(30, -20, 10);
    box.SetScale(2.5f);
    const float camera[3] = {90, 40, 120};
    const float angle = 30;
    const std::vector<float> drawn = FedBackCorners([&]() { box.Draw2(camera, angle); });

    TBillboardRotation_s turns[2];
    const uint32_t turnCount = l3dBillboardSphericalRotations(camera, box.position, turns);
    ASSERT_EQ(turnCount, 2u);
    const std::vector<float> expected = FedBackCorners(
        [&]()
        {
            glPushMatrix();
            glTranslatef(30, -20, 10);
            glScalef(2.5f, 2.5f, 2.5f);
            for (uint32_t i = 0; i < turnCount; ++i)
            {
                glRotatef(turns[i].angle, turns[i].axis[0], turns[i].axis[1], turns[i].axis[2]);
            }
            glRotatef(angle, 0, 0, 1);
            glBegin(GL_TRIANGLES);
            for (uint32_t v = 0; v < box.vertexCount; ++v)
            {
                glVertex3fv(box.vertices[v]);
            }
            glEnd();
            glPopMatrix();
        });
    ASSERT_EQ(drawn.size(), 18u);
    ASSERT_EQ(expected.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i)
    {
        EXPECT_NEAR(drawn[i], expected[i], 0.05f) << "corner " << i / 3 << " axis " << i % 3;
    }
}

namespace
{
// A 32 x 16 RGBA image, alpha 0 everywhere but columns x0..x1 of rows y0..y1 (in file order),
// every texel coloured, so that what shows is only what alpha lets through.
TBytes BlobImage(int x0, int y0, int x1, int y1)
{
    std::vector<uint32_t> rgba;
    for (int y = 0; y < 16; y++)
    {
        for (int x = 0; x < 32; x++)
        {
            const bool inside = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            const uint32_t alpha = inside ? uint32_t(60 + 7 * x + 3 * y) : 0u;
            rgba.push_back(uint32_t(255 - 6 * x) << 24 | uint32_t(40 + 12 * y) << 16 |
                           uint32_t(90 + x) << 8 | alpha);
        }
    }
    return krTestTGA32(32, 16, rgba);
}

// The part of the texture a box draws: left, top, right, bottom.
std::array<float, 4> Part(const krTexturedBox& box)
{
    return {box.part[0], box.part[1], box.part[2], box.part[3]};
}
const std::array<float, 4> kWhole = {0, 0, 1, 1};
} // namespace

TEST_F(TexturedBoxGL, ATrimmedBoxDrawsThePixelsOfTheWholeBox)
{
    krMemoryBlock* blob = krTestCrunch(BlobImage(8, 5, 20, 9));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (TTextureBoxProjection projection : {tbpNormal, tbpFlipped})
    {
        SCOPED_TRACE(::testing::Message() << "projection " << projection);
        krTexturedBox box(32, 16, false, projection);
        ASSERT_TRUE(box.TextureFromCrunchedMemoryBlock(blob));
        ASSERT_TRUE(box.TrimToTexture(blob));
        // Texels 7 .. 21 of 32 across and 4 .. 10 of 16 down: the blob and a texel around it.
        EXPECT_EQ(Part(box), (std::array<float, 4>{7.0f / 32, 4.0f / 16, 22.0f / 32, 11.0f / 16}));
        // Magnified off the pixel grid and turned, so that the filter mixes texels.
        box.SetPosition(13.3f, 21.7f, 0);
        box.SetScale(6.37f);
        const float angle[3] = {0, 0, 7.5f};
        box.SetAngle(angle);
        const std::vector<uint8_t> whole =
            Picture([&] { box.krVertexArray::Draw(); }, 0.2f, 0.3f, 0.4f);
        // The part's own triangles interpolate the same texture coordinates up to rounding,
        // which may move a filtered value by a step.
        EXPECT_LE(krLargestDifference(whole, Picture([&] { box.Draw(); }, 0.2f, 0.3f, 0.4f)), 1);
        EXPECT_GT(krPixelsUnlike(whole, 51, 77, 102, 0), 1000);
        box.Untrim();
        EXPECT_EQ(box.partVertexBuffer, 0u);
        EXPECT_EQ(Part(box), kWhole);
    }
    glDisable(GL_BLEND);
    krFreeMemoryBlock(blob);
}

TEST_F(TexturedBoxGL, TrimmingKeepsWhatTheImageCannotSpare)
{
    krTexturedBox box(32, 16, false, tbpNormal);
    const auto trim = [&box](const TBytes& image)
    {
        krMemoryBlock* crunched = krTestCrunch(image);
        const bool trimmed = box.TrimToTexture(crunched);
        krFreeMemoryBlock(crunched);
        return trimmed;
    };
    // Reaching the left edge: the repeat wrap filters column 0 into the right edge, so the
    // width stays whole; the height is trimmed.
    EXPECT_TRUE(trim(BlobImage(0, 5, 20, 9)));
    EXPECT_EQ(Part(box), (std::array<float, 4>{0, 4.0f / 16, 1, 11.0f / 16}));
    // Nothing to show, no alpha, or no image: drawn whole.
    EXPECT_FALSE(trim(BlobImage(40, 40, 41, 41)));
    EXPECT_EQ(box.partVertexBuffer, 0u);
    EXPECT_EQ(Part(box), kWhole);
    TBytes rgb = krTestTGAHeader(2, 2, 1, 24);
    rgb.insert(rgb.end(), {1, 2, 3, 4, 5, 6});
    EXPECT_FALSE(trim(rgb));
    TBytes junk = {1, 2, 3};
    krMemoryBlock view = krTestView(junk);
    EXPECT_FALSE(box.TrimToTexture(&view));
    EXPECT_FALSE(box.TrimToTexture(nullptr));
    EXPECT_EQ(box.partVertexBuffer, 0u);
}

TEST_F(TexturedBoxGL, NearestFirstDrawsThePictureOfTheOrderedDraw)
{
    // Three overlapping opaque squares 30, 20 and 10 units before the eye, listed far first,
    // and a fourth that coincides with the middle one (a tie: the first listed wins the depth
    // test in either order). Untextured, each in its own colour.
    SetFrustum(-1, 1, -1, 1, 1, 100);
    glTranslatef(0, 0, -10);
    krGeometry g;
    const float places[4][3] = {{-24, -24, -20}, {-12, -12, -10}, {-2, -2, 0}, {-12, -12, -10}};
    const float sizes[4] = {24, 16, 8, 16};
    const float colours[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
    for (int i = 0; i < 4; i++)
    {
        krTexturedBox* box =
            krTexturedBox::Create(sizes[i], sizes[i], false, TTextureBoxProjection(2));
        box->SetPosition(places[i]);
        box->SetColor(colours[i][0], colours[i][1], colours[i][2], 1);
        g.AppendVertexArray(box);
    }
    g.AppendVertexArray(nullptr);
    const auto ordered = [&] { g.Draw(); };
    const auto nearestFirst = [&] { g.DrawNearestFirst(); };
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    const std::vector<uint8_t> inOrder = Picture(ordered);
    EXPECT_EQ(krLargestDifference(inOrder, Picture(nearestFirst)), 0);
    // Red alone, green where blue does not cover it (not its yellow twin), blue in front.
    EXPECT_TRUE(krPixelNear(ReadPixel(38, 217), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(77, 178), 0, 255, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(115, 140), 0, 0, 255));

    // Without the depth test the last drawn shows: nearest first, that is the farthest (red);
    // in list order the yellow twin.
    glDisable(GL_DEPTH_TEST);
    Picture(nearestFirst);
    EXPECT_TRUE(krPixelNear(ReadPixel(115, 140), 255, 0, 0));
    Picture(ordered);
    EXPECT_TRUE(krPixelNear(ReadPixel(115, 140), 255, 255, 0));
}
