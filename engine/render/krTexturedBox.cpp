// krTexturedBox: a textured rectangle vertex array, drawn plainly or as a billboard.
#include "render/krTexturedBox.h"

#include "render/krGLBuffers.h"

#include "render/krBillboard.h"
#include "render/krTexture.h"

namespace
{
// The rectangle of texels with alpha above 0 (columns x0..x1, rows y0..y1 in the order of the
// pixel rows); false for an image without alpha or without such a texel.
bool AlphaBounds(const TTGATexture* image, uint32_t* x0, uint32_t* y0, uint32_t* x1, uint32_t* y1)
{
    if (image == nullptr || image->pixels == nullptr || image->bitsPerPixel != 32)
    {
        return false;
    }
    bool any = false;
    for (uint32_t y = 0; y < image->height; y++)
    {
        const uint8_t* row = image->pixels + uint64_t(y) * image->width * 4;
        for (uint32_t x = 0; x < image->width; x++)
        {
            if (row[x * 4 + 3] == 0)
            {
                continue;
            }
            if (!any)
            {
                *x0 = *x1 = x;
                *y0 = *y1 = y;
                any = true;
            }
            *x0 = x < *x0 ? x : *x0;
            *x1 = x > *x1 ? x : *x1;
            *y0 = y < *y0 ? y : *y0;
            *y1 = y > *y1 ? y : *y1;
        }
    }
    return any;
}

// The span of texture coordinates [lo, hi] that covers texels first..last and the texel on
// either side (a linear filter reaches one texel beyond a sample); the whole span [0, 1] when
// that reaches the image's edge, where the repeat wrap filters in the texels of the far side.
void PartSpan(uint32_t first, uint32_t last, uint32_t size, float* lo, float* hi)
{
    if (first < 1 || last + 2 > size)
    {
        *lo = 0.0f;
        *hi = 1.0f;
        return;
    }
    *lo = float(first - 1) / float(size);
    *hi = float(last + 2) / float(size);
}

void DeleteOwnedBuffer(uint32_t& buffer)
{
    if (buffer != 0)
    {
        GLuint name = buffer;
        glDeleteBuffers(1, &name);
        buffer = 0;
    }
}
} // namespace

krTexturedBox::krTexturedBox(float width, float height, bool flag, TTextureBoxProjection projection)
    : krVertexArray(GL_TRIANGLES), width(width), height(height), flag(flag),
      projection(projection), part{0, 0, 1, 1}, partVertexBuffer(0), partTexCoordBuffer(0)
{
    const float w = width, h = height;
    AppendVertex(w, 0, 0);
    AppendVertex(0, 0, 0);
    AppendVertex(0, h, 0);
    AppendVertex(0, h, 0);
    AppendVertex(w, h, 0);
    AppendVertex(w, 0, 0);
    if (projection == tbpNormal)
    {
        AppendTexCoord(1, 0);
        AppendTexCoord(0, 0);
        AppendTexCoord(0, 1);
        AppendTexCoord(0, 1);
        AppendTexCoord(1, 1);
        AppendTexCoord(1, 0);
    }
    else if (projection == tbpFlipped)
    {
        AppendTexCoord(1, 1);
        AppendTexCoord(0, 1);
        AppendTexCoord(0, 0);
        AppendTexCoord(0, 0);
        AppendTexCoord(1, 0);
        AppendTexCoord(1, 1);
    }
    for (int i = 0; i < 6; i++)
    {
        AppendNormal(1, 1, 1);
    }
    CalculateBB();
    CreateVBO();
}

krTexturedBox* krTexturedBox::Create(float width, float height, bool flag,
                                     TTextureBoxProjection projection)
{
    return new krTexturedBox(width, height, flag, projection);
}

krTexturedBox::~krTexturedBox()
{
    Untrim();
    Clear();
}

bool krTexturedBox::TrimToTexture(const krMemoryBlock* block)
{
    Untrim();
    if (block == nullptr || (projection != tbpNormal && projection != tbpFlipped))
    {
        return false;
    }
    krMemoryBlock* tga = krDecrunchMemoryBlock(block);
    TTGATexture* image = tga != nullptr ? LoadFromMemoryBlockTGA(tga) : nullptr;
    krFreeMemoryBlock(tga);
    uint32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    const bool found = AlphaBounds(image, &x0, &y0, &x1, &y1);
    const uint32_t imageWidth = image != nullptr ? image->width : 0;
    const uint32_t imageHeight = image != nullptr ? image->height : 0;
    FreeTGATexture(image);
    if (!found)
    {
        return false;
    }
    PartSpan(x0, x1, imageWidth, &part[0], &part[2]);
    PartSpan(y0, y1, imageHeight, &part[1], &part[3]);

    // The part's corners in the order of the box's own: its low and high x, and its low and
    // high y with their texture rows (v grows with y for tbpNormal, against it for tbpFlipped).
    const bool normal = projection == tbpNormal;
    const float xs[2] = {part[0] * width, part[2] * width};
    const float us[2] = {part[0], part[2]};
    const float ys[2] = {(normal ? part[1] : 1.0f - part[3]) * height,
                         (normal ? part[3] : 1.0f - part[1]) * height};
    const float vs[2] = {normal ? part[1] : part[3], normal ? part[3] : part[1]};
    const int corners[6][2] = {{1, 0}, {0, 0}, {0, 1}, {0, 1}, {1, 1}, {1, 0}};
    float positions[6][3], texCoords[6][2];
    for (int i = 0; i < 6; i++)
    {
        positions[i][0] = xs[corners[i][0]];
        positions[i][1] = ys[corners[i][1]];
        positions[i][2] = 0.0f;
        texCoords[i][0] = us[corners[i][0]];
        texCoords[i][1] = vs[corners[i][1]];
    }
    GLuint names[2] = {0, 0};
    glGenBuffers(2, names);
    glBindBuffer(GL_ARRAY_BUFFER, names[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof(positions), positions, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, names[1]);
    glBufferData(GL_ARRAY_BUFFER, sizeof(texCoords), texCoords, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    partVertexBuffer = names[0];
    partTexCoordBuffer = names[1];
    return true;
}

void krTexturedBox::Untrim()
{
    DeleteOwnedBuffer(partVertexBuffer);
    DeleteOwnedBuffer(partTexCoordBuffer);
    part[0] = part[1] = 0.0f;
    part[2] = part[3] = 1.0f;
}

void krTexturedBox::Draw()
{
    if (partVertexBuffer == 0)
    {
        krVertexArray::Draw();
        return;
    }
    DrawBuffers(partVertexBuffer, partTexCoordBuffer);
}

float krTexturedBox::GetWidth() const
{
    return width;
}

float krTexturedBox::GetHeight() const
{
    return height;
}

void krTexturedBox::Draw2(const float* cameraPosition, float angle)
{
    if (vertexBuffer == 0 || !cameraPosition)
    {
        return;
    }
    glBindTexture(GL_TEXTURE_2D, textureId);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    // A box without texture coordinates or normals draws without those lists.
    if (texCoordBuffer != 0)
    {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, texCoordBuffer);
        glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    }
    if (normalBuffer != 0)
    {
        glEnableClientState(GL_NORMAL_ARRAY);
        glBindBuffer(GL_ARRAY_BUFFER, normalBuffer);
        glNormalPointer(GL_FLOAT, 0, nullptr);
    }
    glPushMatrix();
    glTranslatef(position[0], position[1], position[2]);
    glScalef(scale, scale, scale);
    glColor4f(color[0], color[1], color[2], color[3]);
    l3dBillboardSphericalBegin(cameraPosition, position);
    glRotatef(angle, 0, 0, 1);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(vertexCount));
    glPopMatrix();
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisable(GL_TEXTURE_2D);
}
