// MeshBlock: collects normals, texture coordinates, positions and indexed triangles and writes
// them as a packed mesh block (four counted little-endian sections, normals first, then
// texture coordinates, positions and faces of nine 1-based indices).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class MeshBlock
{
public:
    // Each Add returns the new element's 1-based index.
    int32_t AddNormal(float x, float y, float z);
    int32_t AddTexCoord(float u, float v);
    int32_t AddPosition(float x, float y, float z);
    // One triangle: positions, normals and texture coordinates of its three corners.
    void AddFace(const int32_t position[3], const int32_t normal[3], const int32_t texCoord[3]);

    size_t FaceCount() const { return faces.size() / 9; }
    std::vector<uint8_t> Serialize() const;

private:
    std::vector<float> normals, texCoords, positions;
    std::vector<int32_t> faces;
};
