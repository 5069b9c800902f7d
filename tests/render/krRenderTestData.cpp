// krRenderTestData: byte builders shared by the renderer tests.
#include "krRenderTestData.h"

#include <cstring>

krMemoryBlock krTestView(TBytes& bytes)
{
    krMemoryBlock block;
    block.data = bytes.data();
    block.size = bytes.size();
    return block;
}

krMemoryBlock* krTestCrunch(const TBytes& bytes)
{
    TBytes copy = bytes;
    krMemoryBlock view = krTestView(copy);
    return krCrunchMemoryBlock(&view);
}

TBytes krTestTGAHeader(uint8_t type, uint16_t width, uint16_t height, uint8_t bits)
{
    TBytes h(18, 0);
    h[2] = type;
    h[12] = uint8_t(width);
    h[13] = uint8_t(width >> 8);
    h[14] = uint8_t(height);
    h[15] = uint8_t(height >> 8);
    h[16] = bits;
    return h;
}

TBytes krTestTGA32(uint16_t width, uint16_t height, const std::vector<uint32_t>& rgba)
{
    TBytes out = krTestTGAHeader(2, width, height, 32);
    for (uint32_t p : rgba)
    {
        // R, G, B, A -> B, G, R, A
        out.push_back(uint8_t(p >> 8));
        out.push_back(uint8_t(p >> 16));
        out.push_back(uint8_t(p >> 24));
        out.push_back(uint8_t(p));
    }
    return out;
}

void krTestPutU32(TBytes& out, uint32_t value)
{
    for (int i = 0; i < 4; i++)
    {
        out.push_back(uint8_t(value >> (8 * i)));
    }
}

void krTestPutF32(TBytes& out, float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof(bits));
    krTestPutU32(out, bits);
}

TBytes krTestMeshBlock(const std::vector<float>& normals, const std::vector<float>& texCoords,
                       const std::vector<float>& positions, const std::vector<int32_t>& faces)
{
    TBytes out;
    krTestPutU32(out, uint32_t(normals.size() / 3));
    for (float f : normals)
    {
        krTestPutF32(out, f);
    }
    krTestPutU32(out, uint32_t(texCoords.size() / 2));
    for (float f : texCoords)
    {
        krTestPutF32(out, f);
    }
    krTestPutU32(out, uint32_t(positions.size() / 3));
    for (float f : positions)
    {
        krTestPutF32(out, f);
    }
    krTestPutU32(out, uint32_t(faces.size() / 9));
    for (int32_t i : faces)
    {
        krTestPutU32(out, uint32_t(i));
    }
    return out;
}

TBytes krTestTriangleMesh()
{
    return krTestMeshBlock({0, 0, 1}, {0, 0, 1, 0, 0, 1}, {0, 0, 0, 1, 0, 0, 0, 1, 0},
                           {1, 2, 3, 1, 1, 1, 1, 2, 3});
}

void krTestPutGlyph(TBytes& out, int32_t width, int32_t height, int32_t advance, int32_t bearingY,
                    int32_t bearingX, const std::vector<uint8_t>& bitmap)
{
    krTestPutU32(out, uint32_t(width));
    krTestPutU32(out, uint32_t(height));
    krTestPutU32(out, uint32_t(advance));
    krTestPutU32(out, uint32_t(bearingY));
    krTestPutU32(out, uint32_t(bearingX));
    out.insert(out.end(), bitmap.begin(), bitmap.end());
}
