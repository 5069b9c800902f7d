// MeshBlock: element lists and their little-endian serialisation.
#include "MeshBlock.h"

#include <cstring>

#include "data/krByteOrder.h"

namespace
{
void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    uint8_t bytes[4];
    krStoreU32LE(bytes, v);
    out.insert(out.end(), bytes, bytes + 4);
}

void PutFloats(std::vector<uint8_t>& out, const std::vector<float>& values)
{
    for (float f : values)
    {
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        PutU32(out, bits);
    }
}
} // namespace

int32_t MeshBlock::AddNormal(float x, float y, float z)
{
    normals.insert(normals.end(), {x, y, z});
    return (int32_t)(normals.size() / 3);
}

int32_t MeshBlock::AddTexCoord(float u, float v)
{
    texCoords.insert(texCoords.end(), {u, v});
    return (int32_t)(texCoords.size() / 2);
}

int32_t MeshBlock::AddPosition(float x, float y, float z)
{
    positions.insert(positions.end(), {x, y, z});
    return (int32_t)(positions.size() / 3);
}

void MeshBlock::AddFace(const int32_t position[3], const int32_t normal[3],
                        const int32_t texCoord[3])
{
    faces.insert(faces.end(), position, position + 3);
    faces.insert(faces.end(), normal, normal + 3);
    faces.insert(faces.end(), texCoord, texCoord + 3);
}

std::vector<uint8_t> MeshBlock::Serialize() const
{
    std::vector<uint8_t> out;
    PutU32(out, (uint32_t)(normals.size() / 3));
    PutFloats(out, normals);
    PutU32(out, (uint32_t)(texCoords.size() / 2));
    PutFloats(out, texCoords);
    PutU32(out, (uint32_t)(positions.size() / 3));
    PutFloats(out, positions);
    PutU32(out, (uint32_t)(faces.size() / 9));
    for (int32_t index : faces)
    {
        PutU32(out, (uint32_t)index);
    }
    return out;
}
