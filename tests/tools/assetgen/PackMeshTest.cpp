// The card meshes, parsed with the engine's mesh block loader: proportions, the gaps left at
// the game's scale and spacing, face/back texture halves and outward winding.
#include <gtest/gtest.h>

#include <cmath>

#include "AssetgenTestPack.h"
#include "render/krVertexArray.h"

namespace
{
struct TMeshInfo_s
{
    bool parsed = false;
    uint64_t faces = 0;
    float min[3] = {1e9f, 1e9f, 1e9f}, max[3] = {-1e9f, -1e9f, -1e9f};
};

// Parses `name` and checks every triangle: texture coordinates in range, face triangles (normal
// +z) in the left half of the texture, back triangles (normal −z) in the right half, and the
// winding agreeing with the stored normal (counter-clockwise seen from outside).
TMeshInfo_s CheckMesh(const std::string& name)
{
    TMeshInfo_s info;
    std::vector<uint8_t> bytes = krTestPackEntry(name);
    krMemoryBlock view{bytes.data(), bytes.size()};
    krVertexArray mesh(4);
    info.parsed = mesh.ParseMeshBlock(&view);
    if (!info.parsed)
    {
        return info;
    }
    info.faces = mesh.faceCount;
    for (uint64_t v = 0; v < mesh.vertexCount; ++v)
    {
        for (int k = 0; k < 3; ++k)
        {
            info.min[k] = std::min(info.min[k], mesh.vertices[v][k]);
            info.max[k] = std::max(info.max[k], mesh.vertices[v][k]);
        }
    }
    for (uint64_t f = 0; f < mesh.faceCount; ++f)
    {
        const TFace_s& face = mesh.faces[f];
        const float* a = mesh.vertices[face.vertex[0]];
        const float* b = mesh.vertices[face.vertex[1]];
        const float* c = mesh.vertices[face.vertex[2]];
        float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                          e1[0] * e2[1] - e1[1] * e2[0]};
        const float* n = mesh.normals[face.normal[0]];
        EXPECT_GT(cross[0] * n[0] + cross[1] * n[1] + cross[2] * n[2], 0.0f)
            << name << " face " << f << " winds against its normal";
        for (int k = 0; k < 3; ++k)
        {
            const float* uv = mesh.texCoords[face.texCoord[k]];
            EXPECT_TRUE(uv[0] >= 0 && uv[0] <= 1 && uv[1] >= 0 && uv[1] <= 1) << name;
            if (n[2] > 0.99f)
            {
                EXPECT_LE(uv[0], 0.5f) << name << ": the face samples the back's half";
            }
            else if (n[2] < -0.99f)
            {
                EXPECT_GE(uv[0], 0.5f) << name << ": the back samples the face's half";
            }
        }
    }
    return info;
}
} // namespace

TEST(PackMesh, BothCardMeshesLoadWithRealCardProportions)
{
    for (const char* name : {"box", "box_low"})
    {
        TMeshInfo_s m = CheckMesh(name);
        ASSERT_TRUE(m.parsed) << name;
        const float w = m.max[0] - m.min[0], h = m.max[1] - m.min[1], d = m.max[2] - m.min[2];
        EXPECT_NEAR(w / h, 63.0f / 88.0f, 0.005f) << name;
        EXPECT_GT(d, 0.0f) << name;
        EXPECT_LT(d, 0.05f * h) << name << " is not thin";
        // At the game's scale of 5, rows and columns 2.5 apart leave visible gaps.
        EXPECT_LT(h * 5.0f, 2.5f - 0.15f) << name;
        EXPECT_LT(w * 5.0f, 2.5f - 0.15f) << name;
        EXPECT_GT(h * 5.0f, 1.8f) << name << " is too small to read";
    }
}

TEST(PackMesh, LowQualityMeshHasFewerTriangles)
{
    TMeshInfo_s high = CheckMesh("box"), low = CheckMesh("box_low");
    ASSERT_TRUE(high.parsed && low.parsed);
    EXPECT_LT(low.faces, high.faces);
    EXPECT_GE(low.faces, 12u); // two faces and four edges, two triangles each at least
}
