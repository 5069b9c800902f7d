// Tests of krVertexArray: list building, flattening, bounding boxes (CPU) and buffer ownership,
// transforms and colours by pixels (GL).
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include "krRenderTestData.h"
#include "krTestGL.h"
#include "render/krVertexArray.h"

namespace
{

TFace_s Face(int32_t v0, int32_t v1, int32_t v2, int32_t n0, int32_t n1, int32_t n2, int32_t t0,
             int32_t t1, int32_t t2)
{
    return TFace_s{{v0, v1, v2}, {n0, n1, n2}, {t0, t1, t2}};
}

// A quad of two triangles over [x0, x1] x [y0, y1], with normals and texture coordinates.
void AppendQuad(krVertexArray& a, float x0, float y0, float x1, float y1)
{
    const float corners[6][2] = {{x1, y0}, {x0, y0}, {x0, y1}, {x0, y1}, {x1, y1}, {x1, y0}};
    for (const auto& c : corners)
    {
        a.AppendVertex(c[0], c[1], 0);
        a.AppendNormal(0, 0, 1);
        a.AppendTexCoord(0, 0);
    }
}

typedef std::vector<float> TFloats;

TFloats Three(const float* v)
{
    return {v[0], v[1], v[2]};
}

} // namespace

TEST(VertexArray, StartsEmptyWithNeutralTransform)
{
    krVertexArray* a = krVertexArray::Create(GL_TRIANGLES);
    EXPECT_EQ(a->primitiveMode, uint32_t(GL_TRIANGLES));
    EXPECT_EQ(a->GetScale(), 1.0f);
    const float* c = a->GetColor();
    EXPECT_EQ(c[0] + c[1] + c[2] + c[3], 4.0f);
    float angle[3] = {9, 9, 9}, centre[3] = {9, 9, 9};
    a->GetAngle(angle);
    a->GetCenter(centre);
    EXPECT_EQ(Three(angle), TFloats(3, 0.0f));
    EXPECT_EQ(Three(centre), TFloats(3, 0.0f));
    EXPECT_EQ(a->GetVertexArray(), nullptr);
    EXPECT_EQ(a->GetVertexArraySize(), 0u);
    EXPECT_EQ(a->GetVertexBuffer() + a->GetTexCoordBuffer() + a->GetNormalBuffer(), 0u);
    EXPECT_EQ(a->GetTextureID(), 0u);
    EXPECT_FALSE(a->ownsTexture || a->vertexBufferCreated || a->moveToCenter);
    delete a; // no GL objects, so no context needed
}

TEST(VertexArray, AppendsGrowByOneAndClearEmpties)
{
    krVertexArray a(GL_TRIANGLES);
    const float p[3] = {1, 2, 3};
    const float uv[2] = {0.5f, 0.25f};
    const float rgba[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    a.AppendVertex(p);
    a.AppendVertex(4, 5, 6);
    a.AppendNormal(p);
    a.AppendTexCoord(uv);
    a.AppendTexCoord(1, 1);
    a.AppendColor(rgba);
    TFace_s f = Face(0, 1, 0, 0, 0, 0, 0, 1, 0);
    a.AppendFace(&f);
    EXPECT_EQ(a.vertexCount, 2u);
    EXPECT_EQ(a.normalCount, 1u);
    EXPECT_EQ(a.texCoordCount, 2u);
    EXPECT_EQ(a.colorCount, 1u);
    EXPECT_EQ(a.faceCount, 1u);
    EXPECT_EQ(a.GetVertexArray()[4], 5.0f);
    EXPECT_EQ(a.GetTexCoordArray()[1], 0.25f);
    EXPECT_EQ(a.colors[0][3], 0.4f);
    EXPECT_EQ(a.faces[0].texCoord[1], 1);
    a.Clear();
    EXPECT_TRUE(!a.vertices && !a.normals && !a.texCoords && !a.faces && !a.colors);
    EXPECT_EQ(a.vertexCount + a.normalCount + a.texCoordCount + a.faceCount + a.colorCount, 0u);
}

TEST(VertexArray, ExpandFacesBuildsAFlatListInFaceOrder)
{
    krVertexArray a(GL_TRIANGLES);
    for (int i = 0; i < 4; i++)
    {
        a.AppendVertex(float(i), 0, 0);
        a.AppendNormal(0, float(i), 0);
        a.AppendTexCoord(0, float(i));
    }
    a.AppendColor(1, 0, 0, 1);
    TFace_s f0 = Face(0, 1, 2, 3, 2, 1, 1, 1, 1);
    TFace_s f1 = Face(3, 2, 1, 0, 0, 0, 2, 3, 0);
    a.AppendFace(&f0);
    a.AppendFace(&f1);
    a.ExpandFaces();
    ASSERT_EQ(a.vertexCount, 6u);
    ASSERT_EQ(a.normalCount, 6u);
    ASSERT_EQ(a.texCoordCount, 6u);
    EXPECT_EQ(a.faceCount, 0u);
    EXPECT_EQ(a.faces, nullptr);
    EXPECT_EQ(a.colorCount, 0u);
    const float x[6] = {0, 1, 2, 3, 2, 1}, ny[6] = {3, 2, 1, 0, 0, 0}, v[6] = {1, 1, 1, 2, 3, 0};
    for (int k = 0; k < 6; k++)
    {
        EXPECT_EQ(a.vertices[k][0], x[k]) << k;
        EXPECT_EQ(a.normals[k][1], ny[k]) << k;
        EXPECT_EQ(a.texCoords[k][1], v[k]) << k;
    }
}

TEST(VertexArray, ExpandFacesLeavesOutFacesWithMissingElements)
{
    krVertexArray a(GL_TRIANGLES);
    a.AppendVertex(1, 0, 0);
    a.AppendNormal(0, 0, 1);
    a.AppendTexCoord(0, 0);
    TFace_s good = Face(0, 0, 0, 0, 0, 0, 0, 0, 0);
    const TFace_s bad[] = {Face(0, 0, 1, 0, 0, 0, 0, 0, 0), Face(0, 0, 0, -1, 0, 0, 0, 0, 0),
                           Face(0, 0, 0, 0, 0, 0, 0, 7, 0)};
    for (const TFace_s& f : bad)
    {
        a.AppendFace(&f);
    }
    a.AppendFace(&good);
    a.ExpandFaces();
    EXPECT_EQ(a.vertexCount, 3u);
    EXPECT_EQ(a.vertices[2][0], 1.0f);

    krVertexArray empty(GL_TRIANGLES);
    a.AppendFace(&good); // faces but no lists at all
    empty.AppendFace(&good);
    empty.ExpandFaces();
    EXPECT_EQ(empty.vertexCount, 0u);
    EXPECT_EQ(empty.vertices, nullptr);
}

TEST(VertexArray, BoundingBoxAndRecentring)
{
    krVertexArray a(GL_TRIANGLES);
    a.AppendVertex(2, -1, 5);
    a.AppendVertex(4, 3, 5);
    a.AppendVertex(3, 1, -5);
    a.CalculateBB();
    EXPECT_EQ(Three(a.bbMin), (TFloats{2, -1, -5}));
    EXPECT_EQ(Three(a.bbMax), (TFloats{4, 3, 5}));
    float c[3];
    a.GetCenter(c);
    EXPECT_EQ(Three(c), TFloats(3, 0.0f)); // not re-centred without the flag

    a.SetMoveToCenter(true);
    a.CalculateBB();
    a.GetCenter(c);
    EXPECT_EQ(Three(c), (TFloats{3, 1, 0}));
    EXPECT_EQ(Three(a.vertices[0]), (TFloats{-1, -2, 5}));
    EXPECT_EQ(Three(a.bbMin), (TFloats{-1, -2, -5}));
    EXPECT_EQ(Three(a.bbMax), (TFloats{1, 2, 5}));
}

TEST(VertexArray, EmptyBoundingBoxIsZeroAndKeepsThePosition)
{
    krVertexArray a(GL_TRIANGLES);
    a.SetMoveToCenter(true);
    a.SetPosition(7, 8, 9);
    a.bbMin[0] = 42;
    a.CalculateBB();
    EXPECT_EQ(Three(a.bbMin), TFloats(3, 0.0f));
    EXPECT_EQ(Three(a.bbMax), TFloats(3, 0.0f));
    EXPECT_EQ(Three(a.position), (TFloats{7, 8, 9}));
}

TEST(VertexArray, ColourAndAlphaWithoutBuffers)
{
    krVertexArray a(GL_TRIANGLES);
    a.SetColor(0.5f, 0.25f, 0.125f, 0.75f); // no per-vertex colours: nothing uploaded
    EXPECT_EQ(a.GetColor()[2], 0.125f);
    EXPECT_EQ(a.colorBuffer, 0u);
    EXPECT_EQ(a.colorCount, 0u);
    a.AppendColor(1, 1, 1, 1);
    a.AppendColor(0, 0, 0, 1);
    a.SetAlpha(0.5f);
    EXPECT_EQ(a.GetColor()[3], 0.5f);
    EXPECT_EQ(a.colors[0][3], 0.5f);
    EXPECT_EQ(a.colors[1][3], 0.5f);
    EXPECT_EQ(a.colors[1][0], 0.0f);
    a.SetColor(0.2f, 0.3f, 0.4f, 1);
    EXPECT_EQ(a.colors[0][0], 0.2f);
    EXPECT_EQ(a.colors[1][2], 0.4f);
}

TEST(VertexArray, TextureFromMissingFileChangesNothing)
{
    krVertexArray a(GL_TRIANGLES);
    EXPECT_FALSE(a.TextureFromFile("/nonexistent/picture.tga"));
    EXPECT_EQ(a.GetTextureID(), 0u);
    EXPECT_FALSE(a.ownsTexture);
}

using VertexArrayGL = krGLTest;

TEST_F(VertexArrayGL, CreateVBOMakesOnlyTheBuffersItHasListsFor)
{
    krVertexArray a(GL_TRIANGLES);
    a.AppendVertex(0, 0, 0);
    a.AppendColor(1, 0, 0, 1);
    a.CreateVBO();
    EXPECT_TRUE(a.vertexBufferCreated && a.colorBufferCreated);
    EXPECT_FALSE(a.normalBufferCreated || a.texCoordBufferCreated);
    EXPECT_TRUE(glIsBuffer(a.vertexBuffer));
    EXPECT_TRUE(glIsBuffer(a.colorBuffer));
    EXPECT_EQ(a.normalBuffer + a.texCoordBuffer, 0u);
}

TEST_F(VertexArrayGL, RebuildingAndDestroyingReleaseOnlyOwnedObjects)
{
    krVertexArray* lender = new krVertexArray(GL_TRIANGLES);
    AppendQuad(*lender, 0, 0, 1, 1);
    lender->CreateVBO();
    const GLuint first[3] = {lender->vertexBuffer, lender->texCoordBuffer, lender->normalBuffer};
    lender->CreateVBO(); // a rebuild deletes the buffers of the first upload
    for (GLuint b : first)
    {
        EXPECT_FALSE(glIsBuffer(b));
    }
    const GLuint lent[3] = {lender->vertexBuffer, lender->texCoordBuffer, lender->normalBuffer};

    // A borrower that had buffers of its own gives them up and never deletes the lender's.
    krVertexArray* borrower = new krVertexArray(GL_TRIANGLES);
    AppendQuad(*borrower, 0, 0, 2, 2);
    borrower->CreateVBO();
    const GLuint own = borrower->vertexBuffer;
    borrower->AssignGeometry(lender);
    EXPECT_FALSE(glIsBuffer(own));
    EXPECT_EQ((std::vector<GLuint>{borrower->GetVertexBuffer(), borrower->GetTexCoordBuffer(),
                                   borrower->GetNormalBuffer()}),
              std::vector<GLuint>(lent, lent + 3));
    EXPECT_EQ(borrower->GetVertexArraySize(), 6u);
    delete borrower;
    for (GLuint b : lent)
    {
        EXPECT_TRUE(glIsBuffer(b));
    }

    // A borrowed texture survives the array; an owned one does not, nor does one replaced.
    GLuint shared = 0;
    glGenTextures(1, &shared);
    glBindTexture(GL_TEXTURE_2D, shared);
    krVertexArray* star = new krVertexArray(GL_TRIANGLES);
    star->SetTextureID(shared);
    EXPECT_FALSE(star->ownsTexture);
    delete star;
    EXPECT_TRUE(glIsTexture(shared));

    TBytes tga = krTestTGA32(1, 1, {0xFFFFFFFF});
    krMemoryBlock* crunched = krTestCrunch(tga);
    ASSERT_TRUE(lender->TextureFromCrunchedMemoryBlock(crunched));
    const GLuint replaced = lender->GetTextureID();
    ASSERT_TRUE(lender->TextureFromCrunchedMemoryBlock(crunched));
    const GLuint owned = lender->GetTextureID();
    EXPECT_FALSE(glIsTexture(replaced));
    EXPECT_TRUE(lender->ownsTexture);
    krFreeMemoryBlock(crunched);
    delete lender;
    EXPECT_FALSE(glIsTexture(owned));
    for (GLuint b : lent)
    {
        EXPECT_FALSE(glIsBuffer(b));
    }
    EXPECT_TRUE(glIsTexture(shared));
    glDeleteTextures(1, &shared);
}

TEST_F(VertexArrayGL, DrawTranslatesThenRotatesXYZThenScales)
{
    krVertexArray a(GL_TRIANGLES);
    AppendQuad(a, 0, 0, 10, 20);
    a.CreateVBO();
    const float angles[3] = {180, 0, 90};
    a.SetAngle(angles);
    a.SetScale(2);
    a.SetPosition(128, 128, 0);
    a.SetColor(1, 1, 0, 1);
    a.Draw();
    // (x, y) scaled to [0, 20] x [0, 40], turned about z to (-y, x), about x to (-y, -x):
    // x in [88, 128], y in [108, 128] (y grows downward on screen here).
    EXPECT_TRUE(krPixelNear(ReadPixel(100, 118), 255, 255, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(92, 112), 255, 255, 0));
    // The other rotation order would put it at x in [128, 168], y in [128, 148].
    EXPECT_TRUE(krPixelNear(ReadPixel(150, 138), 0, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(100, 140), 0, 0, 0));
    // The draw leaves its client arrays, buffer and texturing switched off.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(krGLInteger(GL_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(VertexArrayGL, DrawColorShowsPerVertexColoursAndSetColorUploads)
{
    krVertexArray a(GL_TRIANGLES);
    const float tri[2][3][2] = {{{10, 10}, {100, 10}, {10, 100}},
                                {{150, 150}, {250, 150}, {150, 250}}};
    for (int t = 0; t < 2; t++)
    {
        for (int k = 0; k < 3; k++)
        {
            a.AppendVertex(tri[t][k][0], tri[t][k][1], 0);
            a.AppendColor(t == 0 ? 1.0f : 0.0f, t == 1 ? 1.0f : 0.0f, 0, 1);
        }
    }
    a.CreateVBO();
    a.DrawColor();
    EXPECT_TRUE(krPixelNear(ReadPixel(30, 30), 255, 0, 0));
    EXPECT_TRUE(krPixelNear(ReadPixel(170, 170), 0, 255, 0));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));

    a.SetColor(0, 0, 1, 1);
    Clear(0, 0, 0);
    a.DrawColor();
    EXPECT_TRUE(krPixelNear(ReadPixel(30, 30), 0, 0, 255));
    EXPECT_TRUE(krPixelNear(ReadPixel(170, 170), 0, 0, 255));
}

TEST_F(VertexArrayGL, CreateFacesUploadsTheFlatList)
{
    krVertexArray a(GL_TRIANGLES);
    a.AppendVertex(20, 20, 0);
    a.AppendVertex(200, 20, 0);
    a.AppendVertex(20, 200, 0);
    a.AppendNormal(0, 0, 1);
    a.AppendTexCoord(0, 0);
    TFace_s f = Face(0, 1, 2, 0, 0, 0, 0, 0, 0);
    a.AppendFace(&f);
    a.CreateFaces();
    EXPECT_EQ(a.vertexCount, 3u);
    GLint size = 0;
    glBindBuffer(GL_ARRAY_BUFFER, a.vertexBuffer);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(size, 36);
    a.SetColor(1, 0, 1, 1);
    a.Draw();
    EXPECT_TRUE(krPixelNear(ReadPixel(40, 40), 255, 0, 255));
    EXPECT_TRUE(krPixelNear(ReadPixel(180, 180), 0, 0, 0));

    // Nothing to draw: an array that was never uploaded draws nothing and does not fail.
    krVertexArray empty(GL_TRIANGLES);
    empty.Draw();
    empty.DrawColor();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
