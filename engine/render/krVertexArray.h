// krVertexArray: the engine's mesh class. Growable CPU arrays of positions, normals, texture
// coordinates, per-vertex colours and indexed triangles; flattening of the triangles into a
// plain triangle list; upload into OpenGL buffer objects; fixed-function drawing under the
// array's own position, rotation (degrees), uniform scale, colour and texture.
//
// Ownership: the array owns its CPU arrays, every buffer whose *Created flag is set and its
// texture when ownsTexture is set. Buffers taken from another array (AssignGeometry, Set*Buffer)
// and textures given by SetTextureID are borrowed and never deleted here.
//
// Every operation that touches buffers or textures needs the OpenGL context current. The
// CPU-only operations (appends, ExpandFaces, CalculateBB, MoveToCenter, ParseMeshBlock,
// ParseObjText) work without one.
//
// Mesh loading (packed mesh blocks and Wavefront OBJ text) lives in krMeshFormats.cpp.
#pragma once

#include <cstdint>

#include "data/krMemoryBlock.h"

// One indexed triangle: 0-based indices into the position, normal and texture-coordinate
// lists, corner by corner.
struct TFace_s
{
    int32_t vertex[3];
    int32_t normal[3];
    int32_t texCoord[3];
};

class krVertexArray
{
public:
    // `mode` is the OpenGL primitive type passed to glDrawArrays (GL_TRIANGLES = 4 throughout).
    explicit krVertexArray(uint32_t mode);
    // New heap array, owned by the caller.
    static krVertexArray* Create(uint32_t mode);
    // Deletes the owned texture and the buffers this array created, then frees the CPU arrays.
    virtual ~krVertexArray();

    krVertexArray(const krVertexArray&) = delete;
    krVertexArray& operator=(const krVertexArray&) = delete;

    // Frees the CPU arrays (positions, normals, texture coordinates, faces, colours); GL
    // objects, transform, colour and texture stay.
    void Clear();

    // Each append grows its list by one element; nothing is uploaded.
    void AppendVertex(float x, float y, float z);
    void AppendVertex(const float* v);
    void AppendNormal(float x, float y, float z);
    void AppendNormal(const float* n);
    void AppendTexCoord(float u, float v);
    void AppendTexCoord(const float* uv);
    void AppendColor(float r, float g, float b, float a);
    void AppendColor(const float* rgba);
    void AppendFace(const TFace_s* face);

    // ExpandFaces, then CalculateBB, then CreateVBO.
    void CreateFaces();
    // CPU half of CreateFaces: replaces the lists by a flat triangle list (corner k of face f
    // becomes element 3f + k of positions, normals and texture coordinates) and drops the faces
    // and the per-vertex colours. A face with an index outside its list is left out.
    void ExpandFaces();
    // Uploads the CPU lists into new static buffers (positions always; texture coordinates,
    // normals and colours when present). Buffers created by an earlier call are deleted first.
    void CreateVBO();
    // Textured draw with normals and the uniform colour. Lists without a buffer are not enabled.
    // A closed surface (closedSurface) is drawn with its back faces culled unless the
    // matrices mirror it (KeepsWinding); face culling is off again afterwards.
    virtual void Draw();
    // Untextured draw with the per-vertex colours.
    virtual void DrawColor();
    // Bounding box of the positions (both corners 0 for an empty array); re-centres the mesh
    // when moveToCenter is set and the array holds positions.
    void CalculateBB();
    // Moves the positions so the box centre is at the local origin; position = old centre.
    void MoveToCenter();
    void SetMoveToCenter(bool value);

    void SetPosition(float x, float y, float z);
    void SetPosition(const float* p);
    // Writes `position` (three floats).
    void GetCenter(float* out) const;
    void SetScale(float value);
    float GetScale() const;
    // Three angles in degrees, about x, y and z.
    void SetAngle(const float* angles);
    void GetAngle(float* out) const;
    // Sets the uniform colour; per-vertex colours, when present, all become this colour and are
    // uploaded again.
    void SetColor(float r, float g, float b, float a);
    // Sets the uniform alpha and the alpha of every per-vertex colour (CPU copy and buffer).
    void SetAlpha(float a);
    float* GetColor();

    // Texture from a crunched TGA block; the array owns it. Any texture the array owned before
    // is deleted. True when a texture was made.
    bool TextureFromCrunchedMemoryBlock(const krMemoryBlock* block);
    // Texture from a TGA file; the array owns it. False (array unchanged) when the file cannot
    // be read completely; otherwise as TextureFromCrunchedMemoryBlock.
    bool TextureFromFile(const char* path);
    // Borrows `id`; a texture the array owned before is deleted.
    void SetTextureID(uint32_t id);
    uint32_t GetTextureID() const;

    // Draws `other`'s position, texture-coordinate and normal buffers (borrowed) from now on;
    // takes its vertex count and closedSurface. Buffers of those kinds that this array created are
    // deleted.
    void AssignGeometry(const krVertexArray* other);

    float* GetVertexArray() const;
    uint64_t GetVertexArraySize() const;
    float* GetNormalArray() const;
    float* GetTexCoordArray() const;
    // The setters borrow the given buffer; a buffer of that kind created here is deleted.
    uint32_t GetVertexBuffer() const;
    void SetVertexBuffer(uint32_t buffer);
    uint32_t GetTexCoordBuffer() const;
    void SetTexCoordBuffer(uint32_t buffer);
    uint32_t GetNormalBuffer() const;
    void SetNormalBuffer(uint32_t buffer);

    // Mesh loaders (krMeshFormats.cpp).
    //
    // Packed mesh block: u32 N + N normals, u32 T + T (u, v), u32 V + V positions, u32 F + F
    // faces of nine 1-based i32 indices (positions, normals, texture coordinates), all
    // little-endian. Clears the array, loads, CreateFaces. A block shorter than its counts or
    // with an index outside its list is refused: false, and the array is left empty (and
    // uploaded empty).
    bool LoadFromMemoryBlock(const krMemoryBlock* block);
    // Decrunches and loads; false (array unchanged) when the block does not decrunch or the
    // mesh is refused. The given block is not freed.
    bool LoadFromCrunchedMemoryBlock(const krMemoryBlock* block);
    // False (array unchanged) when the file cannot be read completely, does not decrunch or
    // holds a refused mesh.
    bool LoadFromCrunchedFile(const char* path);
    // Appends the elements of an OBJ file (v, vt, vn and triangular f lines with all three
    // index kinds) to the lists, then CreateFaces. False (array unchanged) when the file cannot
    // be opened or a face refers to an element that does not exist.
    bool LoadFromObjFile(const char* path);

    // CPU halves of the loaders, no GL. ParseMeshBlock clears the array and fills the lists and
    // the 0-based faces; on a refused block it returns false with the array empty.
    bool ParseMeshBlock(const krMemoryBlock* block);
    // Handles `size` bytes of OBJ text line by line (lines of at most 511 characters, longer
    // ones in pieces), appending to the lists; lines whose numbers cannot be read are skipped.
    // False, with the lists as they were, when a new face refers to a missing element.
    bool ParseObjText(const char* text, uint64_t size);

    // Fields are public for reading; change them through the operations above.
    uint32_t primitiveMode;
    float (*vertices)[3];
    uint64_t vertexCount;
    float (*normals)[3];
    uint64_t normalCount;
    float (*texCoords)[2];
    uint64_t texCoordCount;
    TFace_s* faces;
    uint64_t faceCount;
    float (*colors)[4];
    uint64_t colorCount;
    uint32_t textureId;
    bool ownsTexture;
    float scale;
    float angle[3];
    float bbMin[3];
    float bbMax[3];
    float color[4];
    float position[3];
    uint32_t vertexBuffer;
    uint32_t texCoordBuffer;
    uint32_t normalBuffer;
    uint32_t colorBuffer;
    bool vertexBufferCreated;
    bool normalBufferCreated;
    bool texCoordBufferCreated;
    bool colorBufferCreated;
    bool moveToCenter;
    // The positions of vertexBuffer enclose solids wound counter-clockwise from outside
    // (IsClosedSurface, decided by CreateVBO; false for a buffer set by SetVertexBuffer).
    bool closedSurface;

protected:
    // Draw with the given position and texture-coordinate buffers in place of the array's own
    // (same vertex count, the array's normals, transform, colour and texture).
    void DrawBuffers(uint32_t positions, uint32_t texCoordinates);

private:
    void ReleaseTexture();
    void ReleaseBuffers();
    // Moves the CPU lists of `other` into this array (after Clear); `other` is left empty.
    void TakeLists(krVertexArray* other);
};
