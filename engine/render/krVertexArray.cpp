// krVertexArray: growable mesh lists, flattening, buffer upload and fixed-function drawing.
#include "render/krVertexArray.h"

#include "render/krGLBuffers.h"

#include <cstdlib>
#include <cstring>

#include "render/krClosedSurface.h"
#include "render/krTexture.h"
#include "render/krVector.h"

namespace
{

// Grows a heap list by one element of `elementSize` bytes and copies `element` into it.
// Returns false (list unchanged) when memory runs out.
template <typename T> bool AppendElement(T*& list, uint64_t& count, const T& element)
{
    T* grown = static_cast<T*>(realloc(list, (count + 1) * sizeof(T)));
    if (!grown)
    {
        return false;
    }
    list = grown;
    memcpy(&list[count], &element, sizeof(T));
    count++;
    return true;
}

struct TVec2_s
{
    float v[2];
};
struct TVec3_s
{
    float v[3];
};
struct TVec4_s
{
    float v[4];
};

// The lists are declared as arrays of float[n]; these views share their layout.
template <typename V, typename A> V*& AsList(A*& list)
{
    static_assert(sizeof(V) == sizeof(A), "element layout");
    return reinterpret_cast<V*&>(list);
}

void DeleteBuffer(uint32_t& buffer, bool& created)
{
    if (created && buffer != 0)
    {
        GLuint name = buffer;
        glDeleteBuffers(1, &name);
        buffer = 0;
    }
    created = false;
}

uint32_t UploadBuffer(const void* data, uint64_t bytes)
{
    GLuint name = 0;
    glGenBuffers(1, &name);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), data, GL_STATIC_DRAW);
    return name;
}

bool InRange(const int32_t* index, uint64_t count)
{
    for (int k = 0; k < 3; k++)
    {
        if (index[k] < 0 || uint64_t(index[k]) >= count)
        {
            return false;
        }
    }
    return true;
}

} // namespace

krVertexArray::krVertexArray(uint32_t mode)
    : primitiveMode(mode), vertices(nullptr), vertexCount(0), normals(nullptr), normalCount(0),
      texCoords(nullptr), texCoordCount(0), faces(nullptr), faceCount(0), colors(nullptr),
      colorCount(0), textureId(0), ownsTexture(false),
      scale(1.0f), angle{0, 0, 0}, bbMin{0, 0, 0}, bbMax{0, 0, 0}, color{1, 1, 1, 1}, position{0, 0,
                                                                                               0},
      vertexBuffer(0), texCoordBuffer(0), normalBuffer(0), colorBuffer(0),
      vertexBufferCreated(false), normalBufferCreated(false), texCoordBufferCreated(false),
      colorBufferCreated(false), moveToCenter(false), closedSurface(false)
{
}

krVertexArray* krVertexArray::Create(uint32_t mode)
{
    return new krVertexArray(mode);
}

krVertexArray::~krVertexArray()
{
    ReleaseTexture();
    ReleaseBuffers();
    Clear();
}

void krVertexArray::ReleaseTexture()
{
    if (ownsTexture && textureId != 0)
    {
        GLuint name = textureId;
        glDeleteTextures(1, &name);
        textureId = 0;
    }
    ownsTexture = false;
}

void krVertexArray::ReleaseBuffers()
{
    DeleteBuffer(vertexBuffer, vertexBufferCreated);
    DeleteBuffer(texCoordBuffer, texCoordBufferCreated);
    DeleteBuffer(normalBuffer, normalBufferCreated);
    DeleteBuffer(colorBuffer, colorBufferCreated);
}

void krVertexArray::Clear()
{
    free(vertices);
    vertices = nullptr;
    vertexCount = 0;
    free(normals);
    normals = nullptr;
    normalCount = 0;
    free(texCoords);
    texCoords = nullptr;
    texCoordCount = 0;
    free(faces);
    faces = nullptr;
    faceCount = 0;
    free(colors);
    colors = nullptr;
    colorCount = 0;
}

void krVertexArray::TakeLists(krVertexArray* other)
{
    Clear();
    vertices = other->vertices;
    vertexCount = other->vertexCount;
    normals = other->normals;
    normalCount = other->normalCount;
    texCoords = other->texCoords;
    texCoordCount = other->texCoordCount;
    faces = other->faces;
    faceCount = other->faceCount;
    colors = other->colors;
    colorCount = other->colorCount;
    other->vertices = nullptr;
    other->normals = nullptr;
    other->texCoords = nullptr;
    other->faces = nullptr;
    other->colors = nullptr;
    other->vertexCount = other->normalCount = other->texCoordCount = 0;
    other->faceCount = other->colorCount = 0;
}

void krVertexArray::AppendVertex(float x, float y, float z)
{
    AppendElement(AsList<TVec3_s>(vertices), vertexCount, TVec3_s{{x, y, z}});
}

void krVertexArray::AppendVertex(const float* v)
{
    AppendVertex(v[0], v[1], v[2]);
}

void krVertexArray::AppendNormal(float x, float y, float z)
{
    AppendElement(AsList<TVec3_s>(normals), normalCount, TVec3_s{{x, y, z}});
}

void krVertexArray::AppendNormal(const float* n)
{
    AppendNormal(n[0], n[1], n[2]);
}

void krVertexArray::AppendTexCoord(float u, float v)
{
    AppendElement(AsList<TVec2_s>(texCoords), texCoordCount, TVec2_s{{u, v}});
}

void krVertexArray::AppendTexCoord(const float* uv)
{
    AppendTexCoord(uv[0], uv[1]);
}

void krVertexArray::AppendColor(float r, float g, float b, float a)
{
    AppendElement(AsList<TVec4_s>(colors), colorCount, TVec4_s{{r, g, b, a}});
}

void krVertexArray::AppendColor(const float* rgba)
{
    AppendColor(rgba[0], rgba[1], rgba[2], rgba[3]);
}

void krVertexArray::AppendFace(const TFace_s* face)
{
    AppendElement(faces, faceCount, *face);
}

void krVertexArray::ExpandFaces()
{
    // Keep the indexed lists aside, then rebuild flat lists of three corners per usable face.
    float(*oldVertices)[3] = vertices;
    float(*oldNormals)[3] = normals;
    float(*oldTexCoords)[2] = texCoords;
    TFace_s* oldFaces = faces;
    // A count without its list (a vertex count taken over by AssignGeometry) indexes nothing.
    const uint64_t oldVertexCount = vertices ? vertexCount : 0;
    const uint64_t oldNormalCount = normals ? normalCount : 0;
    const uint64_t oldTexCoordCount = texCoords ? texCoordCount : 0;
    const uint64_t oldFaceCount = faces ? faceCount : 0;
    vertices = nullptr;
    normals = nullptr;
    texCoords = nullptr;
    faces = nullptr;
    Clear();

    uint64_t usable = 0;
    for (uint64_t f = 0; f < oldFaceCount; f++)
    {
        const TFace_s& face = oldFaces[f];
        if (InRange(face.vertex, oldVertexCount) && InRange(face.normal, oldNormalCount) &&
            InRange(face.texCoord, oldTexCoordCount))
        {
            usable++;
        }
    }
    if (usable > 0)
    {
        const uint64_t corners = usable * 3;
        vertices = static_cast<float(*)[3]>(malloc(corners * sizeof(float[3])));
        normals = static_cast<float(*)[3]>(malloc(corners * sizeof(float[3])));
        texCoords = static_cast<float(*)[2]>(malloc(corners * sizeof(float[2])));
        if (!vertices || !normals || !texCoords)
        {
            Clear();
            usable = 0;
        }
    }
    uint64_t out = 0;
    for (uint64_t f = 0; f < oldFaceCount && out < usable * 3; f++)
    {
        const TFace_s& face = oldFaces[f];
        if (!InRange(face.vertex, oldVertexCount) || !InRange(face.normal, oldNormalCount) ||
            !InRange(face.texCoord, oldTexCoordCount))
        {
            continue;
        }
        for (int k = 0; k < 3; k++)
        {
            memcpy(vertices[out + k], oldVertices[face.vertex[k]], sizeof(float[3]));
            memcpy(normals[out + k], oldNormals[face.normal[k]], sizeof(float[3]));
            memcpy(texCoords[out + k], oldTexCoords[face.texCoord[k]], sizeof(float[2]));
        }
        out += 3;
    }
    vertexCount = normalCount = texCoordCount = out;
    free(oldVertices);
    free(oldNormals);
    free(oldTexCoords);
    free(oldFaces);
}

void krVertexArray::CreateFaces()
{
    ExpandFaces();
    CalculateBB();
    CreateVBO();
}

void krVertexArray::CreateVBO()
{
    // Rebuilding replaces the buffers this array made before; borrowed ones are left alone.
    ReleaseBuffers();
    vertexBuffer = UploadBuffer(vertices, vertexCount * sizeof(float[3]));
    vertexBufferCreated = true;
    closedSurface = primitiveMode == GL_TRIANGLES && IsClosedSurface(vertices, vertexCount);
    if (texCoords)
    {
        texCoordBuffer = UploadBuffer(texCoords, texCoordCount * sizeof(float[2]));
        texCoordBufferCreated = true;
    }
    if (normals)
    {
        normalBuffer = UploadBuffer(normals, normalCount * sizeof(float[3]));
        normalBufferCreated = true;
    }
    if (colors)
    {
        colorBuffer = UploadBuffer(colors, colorCount * sizeof(float[4]));
        colorBufferCreated = true;
    }
}

void krVertexArray::Draw()
{
    DrawBuffers(vertexBuffer, texCoordBuffer);
}

void krVertexArray::DrawBuffers(uint32_t positions, uint32_t texCoordinates)
{
    if (positions == 0)
    {
        return; // nothing uploaded or borrowed
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glEnableClientState(GL_VERTEX_ARRAY);
    if (texCoordinates != 0)
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    if (normalBuffer != 0)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
    }
    glBindBuffer(GL_ARRAY_BUFFER, positions);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    if (texCoordinates != 0)
    {
        glBindBuffer(GL_ARRAY_BUFFER, texCoordinates);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    }
    if (normalBuffer != 0)
    {
        glBindBuffer(GL_ARRAY_BUFFER, normalBuffer);
        glNormalPointer(GL_FLOAT, 0, nullptr);
    }
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glRotatef(angle[0], 1, 0, 0);
    glRotatef(angle[1], 0, 1, 0);
    glRotatef(angle[2], 0, 0, 1);
    glScalef(scale, scale, scale);
    glColor4f(color[0], color[1], color[2], color[3]);
    // Of a closed surface seen from outside the faces turned away lie behind those turned
    // towards the eye: culling them spares their rasterisation. Under a mirroring transform
    // the winding on the screen turns over, so such a draw keeps every face.
    bool cull = false;
    if (closedSurface && positions == vertexBuffer)
    {
        float projection[16], modelView[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
        cull = KeepsWinding(projection, modelView);
    }
    if (cull)
    {
        glEnable(GL_CULL_FACE);
    }
    glDrawArrays(primitiveMode, 0, GLsizei(vertexCount));
    if (cull)
    {
        glDisable(GL_CULL_FACE);
    }
    glPopMatrix();
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisable(GL_TEXTURE_2D);
}

void krVertexArray::DrawColor()
{
    if (vertexBuffer == 0)
    {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    if (colorBuffer != 0)
    {
        glEnableClientState(GL_COLOR_ARRAY);
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    if (colorBuffer != 0)
    {
        glBindBuffer(GL_ARRAY_BUFFER, colorBuffer);
        glColorPointer(4, GL_FLOAT, 0, nullptr);
    }
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glRotatef(angle[0], 1, 0, 0);
    glRotatef(angle[1], 0, 1, 0);
    glRotatef(angle[2], 0, 0, 1);
    glScalef(scale, scale, scale);
    glDrawArrays(primitiveMode, 0, GLsizei(vertexCount));
    glPopMatrix();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
}

void krVertexArray::CalculateBB()
{
    if (vertexCount == 0 || !vertices)
    {
        InitVect(bbMin, 0, 0, 0);
        InitVect(bbMax, 0, 0, 0);
        return;
    }
    CopyVect(bbMin, vertices[0]);
    CopyVect(bbMax, vertices[0]);
    for (uint64_t i = 1; i < vertexCount; i++)
    {
        for (int axis = 0; axis < 3; axis++)
        {
            const float c = vertices[i][axis];
            if (bbMin[axis] > c)
            {
                bbMin[axis] = c;
            }
            else if (c > bbMax[axis])
            {
                bbMax[axis] = c;
            }
        }
    }
    if (moveToCenter)
    {
        MoveToCenter();
    }
}

void krVertexArray::MoveToCenter()
{
    float c[3];
    for (int axis = 0; axis < 3; axis++)
    {
        c[axis] = (bbMin[axis] + bbMax[axis]) * 0.5f;
    }
    CopyVect(position, c);
    TranslateVect3f(bbMin, -c[0], -c[1], -c[2]);
    TranslateVect3f(bbMax, -c[0], -c[1], -c[2]);
    if (vertices)
    {
        MoveMatrix(vertices[0], -c[0], -c[1], -c[2], vertexCount);
    }
}

void krVertexArray::SetMoveToCenter(bool value)
{
    moveToCenter = value;
}

void krVertexArray::SetPosition(float x, float y, float z)
{
    InitVect(position, x, y, z);
}

void krVertexArray::SetPosition(const float* p)
{
    CopyVect(position, p);
}

void krVertexArray::GetCenter(float* out) const
{
    CopyVect(out, position);
}

void krVertexArray::SetScale(float value)
{
    scale = value;
}

float krVertexArray::GetScale() const
{
    return scale;
}

void krVertexArray::SetAngle(const float* angles)
{
    CopyVect(angle, angles);
}

void krVertexArray::GetAngle(float* out) const
{
    CopyVect(out, angle);
}

void krVertexArray::SetColor(float r, float g, float b, float a)
{
    InitVect4(color, r, g, b, a);
    if (colorCount == 0 || !colors)
    {
        return;
    }
    for (uint64_t i = 0; i < colorCount; i++)
    {
        InitVect4(colors[i], r, g, b, a);
    }
    if (colorBuffer != 0)
    {
        glBindBuffer(GL_ARRAY_BUFFER, colorBuffer);
        glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(colorCount * sizeof(float[4])), colors);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
}

void krVertexArray::SetAlpha(float a)
{
    color[3] = a;
    if (!colors || colorCount == 0)
    {
        return;
    }
    for (uint64_t i = 0; i < colorCount; i++)
    {
        colors[i][3] = a;
    }
    if (colorBuffer != 0)
    {
        glBindBuffer(GL_ARRAY_BUFFER, colorBuffer);
        glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(colorCount * sizeof(float[4])), colors);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
    }
}

float* krVertexArray::GetColor()
{
    return color;
}

bool krVertexArray::TextureFromCrunchedMemoryBlock(const krMemoryBlock* block)
{
    const uint32_t name = TextureFromCrunchedMemoryBlockTGA(block);
    ReleaseTexture();
    textureId = name;
    ownsTexture = true;
    return name != 0;
}

bool krVertexArray::TextureFromFile(const char* path)
{
    krMemoryBlock* block = path ? krReadMemoryBlock(path) : nullptr;
    if (!block)
    {
        return false;
    }
    const uint32_t name = TextureFromMemoryBlockTGA(block);
    krFreeMemoryBlock(block);
    ReleaseTexture();
    textureId = name;
    ownsTexture = true;
    return name != 0;
}

void krVertexArray::SetTextureID(uint32_t id)
{
    if (id == textureId)
    {
        return;
    }
    ReleaseTexture();
    textureId = id;
}

uint32_t krVertexArray::GetTextureID() const
{
    return textureId;
}

void krVertexArray::AssignGeometry(const krVertexArray* other)
{
    if (!other || other == this)
    {
        return;
    }
    SetVertexBuffer(other->vertexBuffer);
    SetTexCoordBuffer(other->texCoordBuffer);
    SetNormalBuffer(other->normalBuffer);
    vertexCount = other->vertexCount;
    closedSurface = other->closedSurface;
}

float* krVertexArray::GetVertexArray() const
{
    return vertices ? vertices[0] : nullptr;
}

uint64_t krVertexArray::GetVertexArraySize() const
{
    return vertexCount;
}

float* krVertexArray::GetNormalArray() const
{
    return normals ? normals[0] : nullptr;
}

float* krVertexArray::GetTexCoordArray() const
{
    return texCoords ? texCoords[0] : nullptr;
}

uint32_t krVertexArray::GetVertexBuffer() const
{
    return vertexBuffer;
}

void krVertexArray::SetVertexBuffer(uint32_t buffer)
{
    if (buffer == vertexBuffer)
    {
        return;
    }
    DeleteBuffer(vertexBuffer, vertexBufferCreated);
    vertexBuffer = buffer;
    closedSurface = false;
}

uint32_t krVertexArray::GetTexCoordBuffer() const
{
    return texCoordBuffer;
}

void krVertexArray::SetTexCoordBuffer(uint32_t buffer)
{
    if (buffer == texCoordBuffer)
    {
        return;
    }
    DeleteBuffer(texCoordBuffer, texCoordBufferCreated);
    texCoordBuffer = buffer;
}

uint32_t krVertexArray::GetNormalBuffer() const
{
    return normalBuffer;
}

void krVertexArray::SetNormalBuffer(uint32_t buffer)
{
    if (buffer == normalBuffer)
    {
        return;
    }
    DeleteBuffer(normalBuffer, normalBufferCreated);
    normalBuffer = buffer;
}
