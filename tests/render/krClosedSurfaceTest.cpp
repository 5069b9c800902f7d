// Tests of IsClosedSurface (which meshes may have their back faces culled) and of the culled
// draw of krVertexArray: the same picture as drawing every face.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <array>
#include <cmath>
#include <vector>

#include "krTestGL.h"
#include "render/krClosedSurface.h"
#include "render/krVertexArray.h"

namespace
{
typedef std::vector<std::array<float, 3>> TCorners;

// The cube [-1, 1]^3 around `centre` as a flat triangle list, every face counter-clockwise
// seen from outside (or clockwise when `inward`). The +z face comes first.
TCorners Cube(float cx = 0, bool inward = false)
{
    static const float faces[6][4][3] = {
        {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
        {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}},
        {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}},
        {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}},
        {{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}},
        {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}},
    };
    TCorners out;
    for (const auto& f : faces)
    {
        const int order[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (const auto& t : order)
        {
            for (int k = 0; k < 3; ++k)
            {
                const float* p = f[t[inward ? (3 - k) % 3 : k]];
                out.push_back({p[0] + cx, p[1], p[2]});
            }
        }
    }
    return out;
}

bool Closed(const TCorners& c)
{
    return IsClosedSurface(reinterpret_cast<const float(*)[3]>(c.data()), c.size());
}
} // namespace

TEST(ClosedSurface, OnlyAWholeOutwardSolidIsClosed)
{
    EXPECT_TRUE(Closed(Cube()));
    // Wound the other way the same faces would have their visible side culled.
    EXPECT_FALSE(Closed(Cube(0, true)));
    // A face missing: the inside shows through the hole.
    TCorners open = Cube();
    open.resize(open.size() - 6);
    EXPECT_FALSE(Closed(open));
    // One triangle turned over.
    TCorners flipped = Cube();
    std::swap(flipped[1], flipped[2]);
    EXPECT_FALSE(Closed(flipped));
    // A two-sided flat quad encloses nothing, nor does it twice over.
    const TCorners cube = Cube();
    TCorners flat(cube.begin(), cube.begin() + 6);
    flat.insert(flat.end(), cube.rend() - 6, cube.rend());
    const TCorners once = flat;
    flat.insert(flat.end(), once.begin(), once.end());
    EXPECT_FALSE(Closed(flat));
    // Not triangles, too few, none, or not finite.
    TCorners partial = Cube();
    partial.pop_back();
    EXPECT_FALSE(Closed(partial));
    EXPECT_FALSE(IsClosedSurface(nullptr, 36));
    EXPECT_FALSE(Closed(TCorners(cube.begin(), cube.begin() + 9)));
    TCorners bad = Cube();
    bad[7][1] = NAN;
    EXPECT_FALSE(Closed(bad));
}

TEST(ClosedSurface, EachPieceMustBeOutwardAndDegenerateTrianglesDoNotCount)
{
    TCorners two = Cube(-3);
    const TCorners right = Cube(3);
    two.insert(two.end(), right.begin(), right.end());
    EXPECT_TRUE(Closed(two));
    // A small inward piece beside a large outward one: their volumes would sum positive.
    TCorners mixed = Cube(-3);
    for (auto p : Cube(0, true))
    {
        mixed.push_back({p[0] * 0.25f + 3, p[1] * 0.25f, p[2] * 0.25f});
    }
    EXPECT_FALSE(Closed(mixed));
    // A triangle with a repeated corner draws nothing and breaks nothing.
    TCorners sliver = Cube();
    sliver.push_back({1, 1, 1});
    sliver.push_back({1, 1, 1});
    sliver.push_back({-1, 1, 1});
    EXPECT_TRUE(Closed(sliver));
}

TEST(ClosedSurface, MirroringMatricesDoNotKeepTheWinding)
{
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    // glOrtho(-1, 1, -1, 1, 1, 3) and glFrustum(-1, 1, -1, 1, 1, 3): z turned towards the eye.
    const float ortho[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, -2, 1};
    const float frustum[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -2, -1, 0, 0, -3, 0};
    // The GUI's pixel projection, y down: a mirror.
    const float yDown[16] = {1, 0, 0, 0, 0, -1, 0, 0, 0, 0, -1, 0, 0, 0, -2, 1};
    const float mirrored[16] = {-2, 0, 0, 0, 0, -2, 0, 0, 0, 0, -2, 0, 5, 6, 7, 1};
    const float turned[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 3, 0, 5, 6, 7, 1};
    EXPECT_TRUE(KeepsWinding(ortho, identity));
    EXPECT_TRUE(KeepsWinding(frustum, identity));
    EXPECT_TRUE(KeepsWinding(frustum, turned));
    EXPECT_FALSE(KeepsWinding(yDown, identity));
    EXPECT_FALSE(KeepsWinding(frustum, mirrored));
    EXPECT_TRUE(KeepsWinding(yDown, mirrored));
}

class ClosedSurfaceGL : public krGLTest
{
protected:
    // The first `count` corners of the cube, the +z face showing texel 0 of `texture` and every
    // other face texel 1.
    static void Build(krVertexArray& mesh, size_t count = 36, GLuint texture = 0)
    {
        const TCorners corners = Cube();
        for (size_t i = 0; i < count; ++i)
        {
            mesh.AppendVertex(corners[i].data());
            mesh.AppendNormal(0, 0, 1);
            mesh.AppendTexCoord(i < 6 ? 0.25f : 0.75f, 0.5f);
        }
        mesh.CreateVBO();
        mesh.SetTextureID(texture);
        mesh.SetPosition(128, 128, 0);
    }
};

TEST_F(ClosedSurfaceGL, CullingTheBackFacesKeepsThePicture)
{
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    const uint8_t redBlue[8] = {255, 0, 0, 255, 0, 0, 255, 255};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, redBlue);
    krVertexArray cube(GL_TRIANGLES);
    Build(cube, 36, texture);
    ASSERT_TRUE(cube.closedSurface);
    const auto draw = [&] { cube.Draw(); };

    // The first pose faces the eye with the red face.
    const float poses[][4] = {{0, 0, 0, 50},   {30, 40, 0, 50},   {200, 10, 70, 40},
                              {90, 0, 0, 60},  {-20, 160, 5, 50}, {30, 40, 0, -50},
                              {0, 180, 0, -40}};
    // Pixels y up, pixels y down (a mirror: nothing may be culled), and a perspective view of
    // the cube 400 pixels in front of the eye.
    for (int projection = 0; projection < 3; ++projection)
    {
        if (projection < 2)
        {
            SetOrtho(0, kWidth, projection ? kHeight : 0, projection ? 0 : kHeight, -1000, 1000);
        }
        else
        {
            SetFrustum(-64, 64, -64, 64, 200, 600);
            glTranslatef(-128, -128, -400);
        }
        for (const auto& pose : poses)
        {
            SCOPED_TRACE(::testing::Message()
                         << "projection " << projection << ", pose " << pose[0] << " " << pose[1]
                         << " " << pose[2] << ", scale " << pose[3]);
            cube.SetAngle(pose);
            cube.SetScale(pose[3]);
            cube.closedSurface = true;
            const std::vector<uint8_t> culled = Picture(draw);
            EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
            // Through a wrongly culled front the far face (blue) would show.
            EXPECT_TRUE(&pose != &poses[0] || krPixelNear(ReadPixel(128, 128), 255, 0, 0));
            cube.closedSurface = false;
            EXPECT_LE(krLargestDifference(culled, Picture(draw)), 8);
        }
    }
    glDisable(GL_DEPTH_TEST);
    glDeleteTextures(1, &texture);
}

TEST_F(ClosedSurfaceGL, BorrowedGeometryKeepsItsKindAndOtherBuffersDoNot)
{
    krVertexArray cube(GL_TRIANGLES);
    Build(cube);
    krVertexArray borrower(GL_TRIANGLES);
    borrower.AssignGeometry(&cube);
    EXPECT_TRUE(borrower.closedSurface);

    krVertexArray quad(GL_TRIANGLES);
    Build(quad, 6);
    EXPECT_FALSE(quad.closedSurface);
    borrower.SetVertexBuffer(quad.vertexBuffer);
    EXPECT_FALSE(borrower.closedSurface);
    // Triangles only: the same corners as strips or fans are other surfaces.
    krVertexArray strip(GL_TRIANGLE_STRIP);
    Build(strip);
    EXPECT_FALSE(strip.closedSurface);
}
