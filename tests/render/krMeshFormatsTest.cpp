// Tests of the mesh loaders: packed mesh blocks (plain, crunched, files) and OBJ text.
#include <gtest/gtest.h>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>

#include <string>

#include "krRenderTestData.h"
#include "krTestFiles.h"
#include "krTestGL.h"
#include "render/krVertexArray.h"

namespace
{

bool ParseObj(krVertexArray& a, const std::string& text)
{
    return a.ParseObjText(text.data(), text.size());
}

// Nine elements of each kind, so that any 1-based index up to 9 is valid.
std::string NineOfEach()
{
    std::string s;
    for (int i = 1; i <= 9; i++)
    {
        const std::string n = std::to_string(i);
        s += "v " + n + " 0 0\nvt 0 " + n + "\nvn 0 0 " + n + "\n";
    }
    return s;
}

// A face's nine indices: positions, normals, texture coordinates.
std::vector<int32_t> Indices(const TFace_s& f)
{
    return {f.vertex[0], f.vertex[1],   f.vertex[2],   f.normal[0],  f.normal[1],
            f.normal[2], f.texCoord[0], f.texCoord[1], f.texCoord[2]};
}

typedef std::vector<uint64_t> TCounts;

// How many positions, normals, texture coordinates and faces the array holds.
TCounts Counts(const krVertexArray& a)
{
    return {a.vertexCount, a.normalCount, a.texCoordCount, a.faceCount};
}

} // namespace

TEST(MeshBlock, OneTriangleParsesToZeroBasedFaces)
{
    TBytes bytes = krTestTriangleMesh();
    ASSERT_EQ(bytes.size(), 124u);
    krMemoryBlock view = krTestView(bytes);
    krVertexArray a(GL_TRIANGLES);
    ASSERT_TRUE(a.ParseMeshBlock(&view));
    ASSERT_EQ(Counts(a), (TCounts{3, 1, 3, 1}));
    EXPECT_EQ(Indices(a.faces[0]), (std::vector<int32_t>{0, 1, 2, 0, 0, 0, 0, 1, 2}));
    EXPECT_EQ(a.vertices[1][0], 1.0f);
    EXPECT_EQ(a.texCoords[2][1], 1.0f);
    EXPECT_EQ(a.normals[0][2], 1.0f);

    // Bytes beyond the mesh are ignored.
    bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
    view = krTestView(bytes);
    EXPECT_TRUE(a.ParseMeshBlock(&view));
    EXPECT_EQ(a.faceCount, 1u);
}

TEST(MeshBlock, ShortBlocksAndBadIndicesAreRefused)
{
    const TBytes whole = krTestTriangleMesh();
    krVertexArray a(GL_TRIANGLES);
    for (size_t n = 0; n < whole.size(); n++)
    {
        TBytes part(whole.begin(), whole.begin() + n);
        krMemoryBlock view = krTestView(part);
        EXPECT_FALSE(a.ParseMeshBlock(&view)) << n;
        EXPECT_EQ(Counts(a), TCounts(4, 0)) << n;
        EXPECT_EQ(a.vertices, nullptr);
    }
    // Every index slot of the face, set to 0 (below 1-based range) and to one past its list.
    for (int slot = 0; slot < 9; slot++)
    {
        for (uint32_t value : {0u, 4u, 0x80000000u})
        {
            TBytes bytes(whole.begin(), whole.begin() + 88 + 4 * slot);
            // One normal only: 2 is already out of range.
            krTestPutU32(bytes, value == 4u && slot >= 3 && slot < 6 ? 2u : value);
            bytes.insert(bytes.end(), whole.begin() + 92 + 4 * slot, whole.end());
            krMemoryBlock view = krTestView(bytes);
            EXPECT_FALSE(a.ParseMeshBlock(&view)) << slot << " " << value;
        }
    }
    // Counts far beyond the data are refused before anything is allocated for them.
    TBytes huge;
    krTestPutU32(huge, 0xFFFFFFFFu);
    krMemoryBlock view = krTestView(huge);
    EXPECT_FALSE(a.ParseMeshBlock(&view));
    EXPECT_FALSE(a.ParseMeshBlock(nullptr));
}

TEST(MeshBlock, CrunchedLoadFailuresLeaveTheArrayAsItWas)
{
    krVertexArray a(GL_TRIANGLES);
    a.AppendVertex(5, 5, 5);
    TBytes plain = krTestTriangleMesh();
    krMemoryBlock view = krTestView(plain);
    EXPECT_FALSE(a.LoadFromCrunchedMemoryBlock(&view)); // not crunched

    TBytes broken = plain;
    broken.resize(100);
    krMemoryBlock* crunched = krTestCrunch(broken);
    EXPECT_FALSE(a.LoadFromCrunchedMemoryBlock(crunched));
    krFreeMemoryBlock(crunched);

    EXPECT_FALSE(a.LoadFromCrunchedFile("/nonexistent/box.bin"));
    EXPECT_EQ(a.vertexCount, 1u);
    EXPECT_EQ(a.vertices[0][0], 5.0f);
}

TEST(ObjText, LinesByKeyword)
{
    krVertexArray a(GL_TRIANGLES);
    ASSERT_TRUE(ParseObj(a, "# v 1 2 3\nvt 0.5 0.25\nvn 0 0 1\nv 1 2 3\ng group\n"
                            "usemtl x\ns off\no thing\n\n"));
    ASSERT_EQ(Counts(a), (TCounts{1, 1, 1, 0}));
    EXPECT_EQ(a.texCoords[0][0], 0.5f);
    EXPECT_EQ(a.texCoords[0][1], 0.25f);
    EXPECT_EQ(a.normals[0][2], 1.0f);
    EXPECT_EQ(a.vertices[0][2], 3.0f);
}

TEST(ObjText, FaceIndicesAreReorderedAndZeroBased)
{
    krVertexArray a(GL_TRIANGLES);
    ASSERT_TRUE(ParseObj(a, NineOfEach() + "f 1/2/3 4/5/6 7/8/9\n"));
    ASSERT_EQ(a.faceCount, 1u);
    EXPECT_EQ(Indices(a.faces[0]), (std::vector<int32_t>{0, 3, 6, 2, 5, 8, 1, 4, 7}));
}

TEST(ObjText, EveryLineOnceWithOrWithoutFinalBreak)
{
    krVertexArray a(GL_TRIANGLES);
    ASSERT_TRUE(ParseObj(a, ""));
    EXPECT_EQ(a.vertexCount, 0u);
    ASSERT_TRUE(ParseObj(a, "v 1 0 0\nv 2 0 0"));
    EXPECT_EQ(a.vertexCount, 2u);
    ASSERT_TRUE(ParseObj(a, "v 3 0 0\r\nv 4 0 0\r\n"));
    EXPECT_EQ(a.vertexCount, 4u);
    EXPECT_EQ(a.vertices[3][0], 4.0f);
}

TEST(ObjText, LongLinesAreReadInPiecesOf511)
{
    krVertexArray a(GL_TRIANGLES);
    // A comment of 511 characters, then the rest of the line starts a new piece.
    std::string line = "#" + std::string(510, 'x') + "v 7 8 9\n";
    ASSERT_TRUE(ParseObj(a, line));
    ASSERT_EQ(a.vertexCount, 1u);
    EXPECT_EQ(a.vertices[0][0], 7.0f);
    // One character shorter and the keyword is inside the first piece: nothing.
    krVertexArray b(GL_TRIANGLES);
    ASSERT_TRUE(ParseObj(b, "#" + std::string(509, 'x') + "v 7 8 9\n"));
    EXPECT_EQ(b.vertexCount, 0u);
}

TEST(ObjText, UnreadableLinesAreSkipped)
{
    krVertexArray a(GL_TRIANGLES);
    ASSERT_TRUE(ParseObj(a, NineOfEach() + "vp 1 2 3\nv 1 2\nvn x y z\nvt\n"
                                           "f 1 2 3\nf 1//1 2//2 3//3\nf 1/1 2/2 3/3\n"));
    EXPECT_EQ(Counts(a), (TCounts{9, 9, 9, 0}));
}

TEST(ObjText, AppendsAfterExistingElementsAndRefusesMissingOnes)
{
    krVertexArray a(GL_TRIANGLES);
    a.AppendVertex(100, 0, 0);
    a.AppendNormal(0, 0, 1);
    a.AppendTexCoord(0, 0);
    // Index 2 is the first new element: indices count from the start of each list.
    ASSERT_TRUE(ParseObj(a, "v 1 0 0\nvt 1 1\nvn 1 0 0\nf 1/1/1 2/2/2 2/1/2\n"));
    EXPECT_EQ(a.vertexCount, 2u);
    ASSERT_EQ(a.faceCount, 1u);
    EXPECT_EQ(a.faces[0].vertex[1], 1);

    for (const char* bad : {"v 5 5 5\nf 1/1/1 2/2/2 4/1/1\n", "v 5 5 5\nf 0/1/1 1/1/1 1/1/1\n",
                            "v 5 5 5\nf 1/1/1 1/1/1 1/1/-1\n", "v 5 5 5\nf 1/1/1 1/1/1 1/9/1\n"})
    {
        EXPECT_FALSE(ParseObj(a, bad)) << bad;
        EXPECT_EQ(Counts(a), (TCounts{2, 2, 2, 1})) << bad;
    }

    krVertexArray fresh(GL_TRIANGLES);
    EXPECT_FALSE(ParseObj(fresh, "v 1 1 1\nf 1/1/1 1/1/1 1/1/1\n"));
    EXPECT_EQ(fresh.vertices, nullptr);
    EXPECT_EQ(fresh.vertexCount, 0u);
    EXPECT_FALSE(fresh.LoadFromObjFile("/nonexistent/mesh.obj"));
}

using MeshFormatsGL = krGLTest;

TEST_F(MeshFormatsGL, LoadersFlattenAndUpload)
{
    TBytes bytes = krTestTriangleMesh();
    krMemoryBlock view = krTestView(bytes);
    krVertexArray a(GL_TRIANGLES);
    ASSERT_TRUE(a.LoadFromMemoryBlock(&view));
    EXPECT_EQ(Counts(a), (TCounts{3, 3, 3, 0}));
    EXPECT_EQ(a.normals[2][2], 1.0f);
    EXPECT_TRUE(glIsBuffer(a.vertexBuffer) && glIsBuffer(a.normalBuffer) &&
                glIsBuffer(a.texCoordBuffer));
    EXPECT_EQ(a.bbMax[0], 1.0f);

    // A refused block leaves the plain loader's array empty, uploaded empty.
    const GLuint before = a.vertexBuffer;
    bytes.resize(60);
    view = krTestView(bytes);
    EXPECT_FALSE(a.LoadFromMemoryBlock(&view));
    EXPECT_EQ(a.vertexCount, 0u);
    EXPECT_FALSE(glIsBuffer(before));
    EXPECT_EQ(a.bbMin[0] + a.bbMax[0], 0.0f);

    // Crunched from a file, re-centred.
    const std::string dir = krTestTempDir();
    krMemoryBlock* crunched = krTestCrunch(krTestTriangleMesh());
    ASSERT_TRUE(krWriteMemoryBlock((dir + "/box.bin").c_str(), crunched));
    krFreeMemoryBlock(crunched);
    krVertexArray b(GL_TRIANGLES);
    b.SetMoveToCenter(true);
    ASSERT_TRUE(b.LoadFromCrunchedFile((dir + "/box.bin").c_str()));
    EXPECT_EQ(b.vertexCount, 3u);
    EXPECT_EQ(b.position[0], 0.5f);
    EXPECT_EQ(b.vertices[1][0], 0.5f);

    // An OBJ file; and one without faces gives an empty array and a zero box.
    const std::string obj = "v 0 0 0\nv 2 0 0\nv 0 3 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1";
    ASSERT_TRUE(krTestWriteFile(dir + "/tri.obj", TBytes(obj.begin(), obj.end())));
    krVertexArray c(GL_TRIANGLES);
    ASSERT_TRUE(c.LoadFromObjFile((dir + "/tri.obj").c_str()));
    EXPECT_EQ(c.vertexCount, 3u);
    EXPECT_EQ(c.bbMax[1], 3.0f);
    const std::string noFaces = "v 0 0 0\nv 2 0 0\n";
    ASSERT_TRUE(krTestWriteFile(dir + "/points.obj", TBytes(noFaces.begin(), noFaces.end())));
    krVertexArray d(GL_TRIANGLES);
    ASSERT_TRUE(d.LoadFromObjFile((dir + "/points.obj").c_str()));
    EXPECT_EQ(d.vertexCount, 0u);
    EXPECT_EQ(d.bbMax[0], 0.0f);
}
