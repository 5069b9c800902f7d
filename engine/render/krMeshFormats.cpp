// krMeshFormats: the mesh loaders of krVertexArray. Packed little-endian mesh blocks (plain or
// crunched, from memory or a file) and a triangle subset of Wavefront OBJ text. Both parse into
// the CPU lists first and refuse meshes whose counts overrun the data or whose faces refer to
// missing elements; only a whole mesh reaches CreateFaces and the GPU.
#include "render/krVertexArray.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/krByteOrder.h"

namespace
{

// Bounds-checked little-endian reader over a byte block.
struct TReader
{
    const uint8_t* data;
    uint64_t size;
    uint64_t pos;

    bool Has(uint64_t bytes) const { return size - pos >= bytes; }

    uint32_t U32()
    {
        const uint8_t* p = data + pos;
        pos += 4;
        return krLoadU32LE(p);
    }

    float F32()
    {
        uint32_t bits = U32();
        float value;
        memcpy(&value, &bits, sizeof(value));
        return value;
    }
};

// Reads `count` elements of `width` floats into a new list; null for count 0 or on failure
// (*ok cleared on failure).
float* ReadFloats(TReader& in, uint64_t count, uint64_t width, bool* ok)
{
    if (count == 0)
    {
        return nullptr;
    }
    if (!in.Has(count * width * 4))
    {
        *ok = false;
        return nullptr;
    }
    float* list = static_cast<float*>(malloc(count * width * sizeof(float)));
    if (!list)
    {
        *ok = false;
        return nullptr;
    }
    for (uint64_t i = 0; i < count * width; i++)
    {
        list[i] = in.F32();
    }
    return list;
}

// A 1-based stored index made 0-based; false when it lies outside 1 .. count.
bool ToIndex(int64_t stored, uint64_t count, int32_t* out)
{
    if (stored < 1 || uint64_t(stored) > count)
    {
        return false;
    }
    *out = int32_t(stored - 1);
    return true;
}

bool FaceInRange(const TFace_s& f, uint64_t vertexCount, uint64_t normalCount,
                 uint64_t texCoordCount)
{
    for (int k = 0; k < 3; k++)
    {
        if (f.vertex[k] < 0 || uint64_t(f.vertex[k]) >= vertexCount || f.normal[k] < 0 ||
            uint64_t(f.normal[k]) >= normalCount || f.texCoord[k] < 0 ||
            uint64_t(f.texCoord[k]) >= texCoordCount)
        {
            return false;
        }
    }
    return true;
}

// An OBJ index (1-based) made 0-based; anything below 1 becomes -1, which no list holds.
int32_t ObjIndex(int stored)
{
    return stored < 1 ? -1 : int32_t(stored - 1);
}

// Gives a list back the length it had; a list that was empty is freed.
template <typename T> void Truncate(T*& list, uint64_t& count, uint64_t oldCount)
{
    count = oldCount;
    if (oldCount == 0)
    {
        free(list);
        list = nullptr;
    }
}

} // namespace

bool krVertexArray::ParseMeshBlock(const krMemoryBlock* block)
{
    Clear();
    if (!block || !block->data)
    {
        return false;
    }
    TReader in = {block->data, block->size, 0};
    bool ok = true;
    uint64_t n = 0, t = 0, v = 0, f = 0;
    if (ok && in.Has(4))
    {
        n = in.U32();
        normals = reinterpret_cast<float(*)[3]>(ReadFloats(in, n, 3, &ok));
        normalCount = normals ? n : 0;
    }
    else
    {
        ok = false;
    }
    if (ok && in.Has(4))
    {
        t = in.U32();
        texCoords = reinterpret_cast<float(*)[2]>(ReadFloats(in, t, 2, &ok));
        texCoordCount = texCoords ? t : 0;
    }
    else
    {
        ok = false;
    }
    if (ok && in.Has(4))
    {
        v = in.U32();
        vertices = reinterpret_cast<float(*)[3]>(ReadFloats(in, v, 3, &ok));
        vertexCount = vertices ? v : 0;
    }
    else
    {
        ok = false;
    }
    if (ok && in.Has(4))
    {
        f = in.U32();
        if (!in.Has(f * 36))
        {
            ok = false;
        }
        else if (f > 0)
        {
            faces = static_cast<TFace_s*>(malloc(f * sizeof(TFace_s)));
            ok = faces != nullptr;
        }
        for (uint64_t i = 0; ok && i < f; i++)
        {
            TFace_s& face = faces[i];
            int32_t* fields[9] = {&face.vertex[0],   &face.vertex[1],   &face.vertex[2],
                                  &face.normal[0],   &face.normal[1],   &face.normal[2],
                                  &face.texCoord[0], &face.texCoord[1], &face.texCoord[2]};
            const uint64_t counts[9] = {v, v, v, n, n, n, t, t, t};
            for (int k = 0; k < 9 && ok; k++)
            {
                ok = ToIndex(int32_t(in.U32()), counts[k], fields[k]);
            }
            faceCount = i + 1;
        }
    }
    else
    {
        ok = false;
    }
    if (!ok)
    {
        Clear();
    }
    return ok;
}

bool krVertexArray::LoadFromMemoryBlock(const krMemoryBlock* block)
{
    const bool ok = ParseMeshBlock(block);
    CreateFaces();
    return ok;
}

bool krVertexArray::LoadFromCrunchedMemoryBlock(const krMemoryBlock* block)
{
    krMemoryBlock* plain = krDecrunchMemoryBlock(block);
    if (!plain)
    {
        return false;
    }
    krVertexArray parsed(primitiveMode);
    const bool ok = parsed.ParseMeshBlock(plain);
    krFreeMemoryBlock(plain);
    if (!ok)
    {
        return false;
    }
    TakeLists(&parsed);
    CreateFaces();
    return true;
}

bool krVertexArray::LoadFromCrunchedFile(const char* path)
{
    krMemoryBlock* file = path ? krReadMemoryBlock(path) : nullptr;
    if (!file)
    {
        return false;
    }
    const bool ok = LoadFromCrunchedMemoryBlock(file);
    krFreeMemoryBlock(file);
    return ok;
}

bool krVertexArray::ParseObjText(const char* text, uint64_t size)
{
    if (!text)
    {
        size = 0;
    }
    const uint64_t oldVertices = vertexCount, oldNormals = normalCount;
    const uint64_t oldTexCoords = texCoordCount, oldFaces = faceCount;

    // Lines are taken as a 512-byte line buffer takes them: up to and including the line
    // break, at most 511 characters per piece.
    char line[512];
    uint64_t pos = 0;
    while (pos < size)
    {
        uint64_t length = 0;
        while (pos + length < size && length < sizeof(line) - 1)
        {
            if (text[pos + length++] == '\n')
            {
                break;
            }
        }
        memcpy(line, text + pos, length);
        line[length] = '\0';
        pos += length;

        float a, b, c;
        if (line[0] == 'v' && line[1] == 'n')
        {
            if (sscanf(line, "vn %f %f %f", &a, &b, &c) == 3)
            {
                AppendNormal(a, b, c);
            }
        }
        else if (line[0] == 'v' && line[1] == 't')
        {
            if (sscanf(line, "vt %f %f", &a, &b) == 2)
            {
                AppendTexCoord(a, b);
            }
        }
        else if (line[0] == 'v')
        {
            if (sscanf(line, "v %f %f %f", &a, &b, &c) == 3)
            {
                AppendVertex(a, b, c);
            }
        }
        else if (line[0] == 'f')
        {
            // Per corner: position / texture coordinate / normal, 1-based.
            int i[9];
            if (sscanf(line, "f %d/%d/%d %d/%d/%d %d/%d/%d", &i[0], &i[1], &i[2], &i[3], &i[4],
                       &i[5], &i[6], &i[7], &i[8]) == 9)
            {
                TFace_s face;
                for (int k = 0; k < 3; k++)
                {
                    face.vertex[k] = ObjIndex(i[3 * k]);
                    face.texCoord[k] = ObjIndex(i[3 * k + 1]);
                    face.normal[k] = ObjIndex(i[3 * k + 2]);
                }
                AppendFace(&face);
            }
        }
    }

    for (uint64_t f = oldFaces; f < faceCount; f++)
    {
        if (!FaceInRange(faces[f], vertexCount, normalCount, texCoordCount))
        {
            Truncate(vertices, vertexCount, oldVertices);
            Truncate(normals, normalCount, oldNormals);
            Truncate(texCoords, texCoordCount, oldTexCoords);
            Truncate(faces, faceCount, oldFaces);
            return false;
        }
    }
    return true;
}

bool krVertexArray::LoadFromObjFile(const char* path)
{
    FILE* file = path ? fopen(path, "r") : nullptr;
    if (!file)
    {
        return false;
    }
    // Read the whole text, then parse it; a read error refuses the file like a missing one.
    char* text = nullptr;
    uint64_t size = 0;
    char chunk[4096];
    bool ok = true;
    for (;;)
    {
        const size_t got = fread(chunk, 1, sizeof(chunk), file);
        if (got > 0)
        {
            char* grown = static_cast<char*>(realloc(text, size + got));
            if (!grown)
            {
                ok = false;
                break;
            }
            text = grown;
            memcpy(text + size, chunk, got);
            size += got;
        }
        if (got < sizeof(chunk))
        {
            ok = !ferror(file);
            break;
        }
    }
    fclose(file);
    if (ok)
    {
        ok = ParseObjText(text, size);
    }
    free(text);
    if (!ok)
    {
        return false;
    }
    CreateFaces();
    return true;
}
