// krFont: bitmap fonts from glyph blocks; one power-of-two luminance-alpha texture and one
// quad per glyph, and an atlas of them all; text drawing and measuring.
#include "render/krFont.h"

#include "render/krGLBuffers.h"
#include "render/krGlyphAtlas.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>

#include "data/krByteOrder.h"

namespace
{

const uint64_t kRecordHead = 20;
// Larger glyphs are refused: their textures could not be made.
const int32_t kMaxGlyphSize = 4096;

int32_t ReadI32(const uint8_t* p)
{
    return int32_t(krLoadU32LE(p));
}

void WriteI32(uint8_t* p, int32_t value)
{
    krStoreU32LE(p, uint32_t(value));
}

// Bitmap bytes of a glyph: width * height, none when either is not positive.
uint64_t BitmapSize(int32_t width, int32_t height)
{
    return width > 0 && height > 0 ? uint64_t(width) * uint64_t(height) : 0;
}

// Smallest power of two >= n, at least 1.
uint32_t PowerOfTwo(int32_t n)
{
    uint32_t p = 1;
    while (int64_t(p) < int64_t(n))
    {
        p <<= 1;
    }
    return p;
}

// Floats per vertex of a batch (x, y, z, s, t) and vertices per quad.
const uint64_t kVertexFloats = 5;
const uint64_t kQuadVertices = 6;

bool CodeInRange(wchar_t c, uint64_t count)
{
    // wchar_t is signed 32-bit on Linux and unsigned 16-bit on Windows.
    const int64_t code = c;
    return code >= 0 && uint64_t(code) < count;
}

} // namespace

krFont::krFont(TFontType type)
    : glyphs(nullptr), glyphCount(0), geometry(nullptr), textures(nullptr), scale(1.0f),
      fontType(type), fontHeight(0.0f), textureCount(0), atlas(nullptr), atlasTexture(0),
      batch(nullptr), batchQuads(0)
{
}

krFont::~krFont()
{
    FreeAtlas();
    free(batch);
    delete geometry;
    if (textures)
    {
        glDeleteTextures(GLsizei(textureCount), textures);
        free(textures);
    }
    FreeGlyphs();
}

void krFont::FreeGlyphs()
{
    for (uint64_t i = 0; i < glyphCount; i++)
    {
        free(glyphs[i].bitmap);
    }
    free(glyphs);
    glyphs = nullptr;
    glyphCount = 0;
}

void krFont::AppendGlyph(const TGlyph_s* glyph)
{
    if (!glyph)
    {
        return;
    }
    TGlyph_s copy = *glyph;
    const uint64_t bytes = BitmapSize(glyph->width, glyph->height);
    copy.bitmap = nullptr;
    if (bytes > 0 && glyph->bitmap)
    {
        copy.bitmap = static_cast<uint8_t*>(malloc(bytes));
        if (!copy.bitmap)
        {
            return;
        }
        memcpy(copy.bitmap, glyph->bitmap, bytes);
    }
    TGlyph_s* grown = static_cast<TGlyph_s*>(realloc(glyphs, (glyphCount + 1) * sizeof(TGlyph_s)));
    if (!grown)
    {
        free(copy.bitmap);
        return;
    }
    glyphs = grown;
    glyphs[glyphCount++] = copy;
}

uint8_t* krFont::SaveToMemory(uint64_t* size) const
{
    if (size)
    {
        *size = 0;
    }
    if (glyphCount == 0)
    {
        return nullptr;
    }
    uint64_t total = 0;
    for (uint64_t i = 0; i < glyphCount; i++)
    {
        total +=
            kRecordHead + (glyphs[i].bitmap ? BitmapSize(glyphs[i].width, glyphs[i].height) : 0);
    }
    uint8_t* buffer = static_cast<uint8_t*>(malloc(total));
    if (!buffer)
    {
        return nullptr;
    }
    uint8_t* out = buffer;
    for (uint64_t i = 0; i < glyphCount; i++)
    {
        const TGlyph_s& g = glyphs[i];
        const uint64_t bytes = g.bitmap ? BitmapSize(g.width, g.height) : 0;
        // Sizes the block cannot carry (negative, or a bitmap that is missing) are written as
        // an empty glyph, so that the block always reads back.
        const bool empty =
            g.width < 0 || g.height < 0 || (!g.bitmap && BitmapSize(g.width, g.height));
        WriteI32(out, empty ? 0 : g.width);
        WriteI32(out + 4, empty ? 0 : g.height);
        WriteI32(out + 8, g.advance);
        WriteI32(out + 12, g.bearingY);
        WriteI32(out + 16, g.bearingX);
        if (bytes)
        {
            memcpy(out + kRecordHead, g.bitmap, bytes);
        }
        out += kRecordHead + bytes;
    }
    if (size)
    {
        *size = total;
    }
    return buffer;
}

bool krFont::ParseGlyphBlock(const krMemoryBlock* block)
{
    if (!block || (!block->data && block->size > 0))
    {
        return false;
    }
    // First pass: every record must be whole and of a usable size.
    uint64_t pos = 0;
    while (pos < block->size)
    {
        if (block->size - pos < kRecordHead)
        {
            return false;
        }
        const int32_t w = ReadI32(block->data + pos);
        const int32_t h = ReadI32(block->data + pos + 4);
        if (w < 0 || h < 0 || w > kMaxGlyphSize || h > kMaxGlyphSize)
        {
            return false;
        }
        pos += kRecordHead;
        const uint64_t bytes = BitmapSize(w, h);
        if (block->size - pos < bytes)
        {
            return false;
        }
        pos += bytes;
    }
    // Second pass: take them over.
    FreeGlyphs();
    pos = 0;
    while (pos < block->size)
    {
        const uint8_t* p = block->data + pos;
        TGlyph_s g;
        g.width = ReadI32(p);
        g.height = ReadI32(p + 4);
        g.advance = ReadI32(p + 8);
        g.bearingY = ReadI32(p + 12);
        g.bearingX = ReadI32(p + 16);
        g.bitmap = const_cast<uint8_t*>(p + kRecordHead);
        AppendGlyph(&g);
        pos += kRecordHead + BitmapSize(g.width, g.height);
    }
    return true;
}

bool krFont::LoadFromMemory(const krMemoryBlock* block)
{
    if (!ParseGlyphBlock(block))
    {
        return false;
    }
    InitFontGeometry();
    return true;
}

bool krFont::LoadFromCrunchedMemoryBlock(const krMemoryBlock* block)
{
    krMemoryBlock* plain = krDecrunchMemoryBlock(block);
    if (!plain)
    {
        return false;
    }
    const bool ok = LoadFromMemory(plain);
    krFreeMemoryBlock(plain);
    return ok;
}

bool krFont::SaveToFile(const char* path) const
{
    if (glyphCount == 0 || !path)
    {
        return false;
    }
    uint64_t size = 0;
    uint8_t* bytes = SaveToMemory(&size);
    if (!bytes)
    {
        return false;
    }
    FILE* file = fopen(path, "wb");
    bool ok = false;
    if (file)
    {
        ok = fwrite(bytes, 1, size, file) == size;
        ok = fclose(file) == 0 && ok;
    }
    free(bytes);
    return ok;
}

bool krFont::LoadFromFile(const char* path)
{
    krMemoryBlock* block = path ? krReadMemoryBlock(path) : nullptr;
    if (!block)
    {
        return false;
    }
    const bool ok = LoadFromMemory(block);
    krFreeMemoryBlock(block);
    return ok;
}

void krFont::InitFontGeometry()
{
    delete geometry;
    geometry = new krGeometry();
    FreeAtlas();
    if (textures)
    {
        glDeleteTextures(GLsizei(textureCount), textures);
        free(textures);
        textures = nullptr;
        textureCount = 0;
    }
    fontHeight = 0.0f;
    if (glyphCount == 0)
    {
        return;
    }
    textures = static_cast<uint32_t*>(calloc(glyphCount, sizeof(uint32_t)));
    if (!textures)
    {
        return;
    }
    textureCount = glyphCount;
    glGenTextures(GLsizei(glyphCount), textures);

    // Luminance-alpha rows of a one-texel-wide texture are two bytes long.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (uint64_t i = 0; i < glyphCount; i++)
    {
        const TGlyph_s& g = glyphs[i];
        krVertexArray* quad = geometry->AppendVertexArray(GL_TRIANGLES);
        const uint32_t texW = PowerOfTwo(g.width);
        const uint32_t texH = PowerOfTwo(g.height);
        if (float(g.bearingY) > fontHeight)
        {
            fontHeight = float(g.height);
        }
        const float w = float(g.width), h = float(g.height);
        quad->AppendVertex(w, 0, 0);
        quad->AppendVertex(0, 0, 0);
        quad->AppendVertex(0, h, 0);
        quad->AppendVertex(0, h, 0);
        quad->AppendVertex(w, h, 0);
        quad->AppendVertex(w, 0, 0);
        const float u = w / float(texW), v = h / float(texH);
        if (fontType == ftYUp)
        {
            quad->AppendTexCoord(u, v);
            quad->AppendTexCoord(0, v);
            quad->AppendTexCoord(0, 0);
            quad->AppendTexCoord(0, 0);
            quad->AppendTexCoord(u, 0);
            quad->AppendTexCoord(u, v);
        }
        else
        {
            quad->AppendTexCoord(u, 0);
            quad->AppendTexCoord(0, 0);
            quad->AppendTexCoord(0, v);
            quad->AppendTexCoord(0, v);
            quad->AppendTexCoord(u, v);
            quad->AppendTexCoord(u, 0);
        }
        quad->CreateVBO();

        uint8_t* image = static_cast<uint8_t*>(calloc(uint64_t(texW) * texH, 2));
        if (image && g.bitmap)
        {
            const uint32_t rows = uint32_t(g.height), columns = uint32_t(g.width);
            for (uint32_t row = 0; row < rows; row++)
            {
                for (uint32_t column = 0; column < columns; column++)
                {
                    const uint8_t c = g.bitmap[uint64_t(row) * columns + column];
                    uint8_t* texel = image + 2 * (uint64_t(row) * texW + column);
                    texel[0] = c;
                    texel[1] = c;
                }
            }
        }
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GLsizei(texW), GLsizei(texH), 0,
                     GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, image);
        free(image);
    }
    InitAtlas();
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void krFont::InitAtlas()
{
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    atlas = new krGlyphAtlas();
    if (!atlas->Pack(glyphs, glyphCount, int32_t(maxSide)))
    {
        FreeAtlas();
        return;
    }
    glGenTextures(1, &atlasTexture);
    glBindTexture(GL_TEXTURE_2D, atlasTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE_ALPHA, GLsizei(atlas->width),
                 GLsizei(atlas->height), 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, atlas->texels);
    atlas->FreeTexels();
}

void krFont::FreeAtlas()
{
    if (atlasTexture)
    {
        glDeleteTextures(1, &atlasTexture);
        atlasTexture = 0;
    }
    delete atlas;
    atlas = nullptr;
}

bool krFont::ReserveBatch(uint64_t length)
{
    if (length <= batchQuads)
    {
        return true;
    }
    // One draw counts its vertices in a GLsizei.
    if (length > uint64_t(INT32_MAX) / kQuadVertices)
    {
        return false;
    }
    const uint64_t quadBytes = kQuadVertices * kVertexFloats * sizeof(float);
    float* grown = static_cast<float*>(realloc(batch, length * quadBytes));
    if (!grown)
    {
        return false;
    }
    batch = grown;
    batchQuads = length;
    return true;
}

void krFont::AppendQuad(const TGlyph_s& glyph, uint64_t code, float pen, uint64_t quad)
{
    // The corners in the order of a glyph's own quad: (w, 0), (0, 0), (0, h), (0, h), (w, h),
    // (w, 0), and the same texels of the bitmap at each.
    static const int kCorners[kQuadVertices][2] = {{1, 0}, {0, 0}, {0, 1}, {0, 1}, {1, 1}, {1, 0}};
    const TAtlasSlot_s& slot = atlas->slots[code];
    const float x0 = pen + float(glyph.bearingX), y0 = -float(glyph.bearingY);
    const float w = float(glyph.width), h = float(glyph.height);
    const float s0 = float(slot.x) / float(atlas->width);
    const float s1 = float(slot.x + glyph.width) / float(atlas->width);
    // The bitmap's first row is the atlas row slot.y: at y = 0 for ftYDown, at y = h for ftYUp.
    float t0 = float(slot.y) / float(atlas->height);
    float t1 = float(slot.y + glyph.height) / float(atlas->height);
    if (fontType == ftYUp)
    {
        std::swap(t0, t1);
    }
    float* out = batch + quad * kQuadVertices * kVertexFloats;
    for (const auto& corner : kCorners)
    {
        out[0] = corner[0] ? x0 + w : x0;
        out[1] = corner[1] ? y0 + h : y0;
        out[2] = 0.0f;
        out[3] = corner[0] ? s1 : s0;
        out[4] = corner[1] ? t1 : t0;
        out += kVertexFloats;
    }
}

void krFont::SetScale(float value)
{
    scale = value;
}

void krFont::Print(float x, float y, float z, const wchar_t* text)
{
    PrintSpan(x, y, z, text, -FLT_MAX, FLT_MAX);
}

void krFont::PrintSpan(float x, float y, float z, const wchar_t* text, float left, float right)
{
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    if (scale != 1.0f && scale > 0.0f)
    {
        // A font drawn smaller than its bitmaps is a large font on a magnified view (the GUI
        // on a big screen): its glyph pixels are the screen's pixels, so the pen starts on a
        // whole glyph pixel and every glyph lands on the pixel grid, sharp.
        x = std::round(x / scale) * scale;
        y = std::round(y / scale) * scale;
    }
    glTranslatef(x, y, z);
    glScalef(scale, scale, scale);
    // The pen along x in the caller's units, to tell glyphs outside the span; a unit of
    // slack on either side keeps rounding from dropping a glyph at its edge.
    float pen = x;
    left -= 1.0f;
    right += 1.0f;
    // Only glyphs whose quad and texture were built can be drawn.
    const uint64_t drawable = geometry && textures ? geometry->Length() : 0;
    // With the atlas every glyph's quad goes into one batch, drawn at once; the pen moves
    // along x in glyph pixels there, as the translations below move it.
    const bool batched = atlas && atlasTexture && text && ReserveBatch(wcslen(text));
    const uint64_t placed = batched ? atlas->slotCount : 0;
    float batchPen = 0.0f;
    uint64_t quads = 0;
    for (const wchar_t* c = text; c && *c; c++)
    {
        if (!CodeInRange(*c, glyphCount) || !CodeInRange(*c, drawable) ||
            !CodeInRange(*c, textureCount) || (batched && !CodeInRange(*c, placed)))
        {
            continue;
        }
        const TGlyph_s& g = glyphs[*c];
        const float quadLeft = pen + float(g.bearingX) * scale;
        const float quadRight = pen + float(g.bearingX + g.width) * scale;
        pen += float(g.advance) * scale;
        const bool inSpan = scale <= 0.0f || (quadRight >= left && quadLeft <= right);
        if (batched)
        {
            if (inSpan && krGlyphAtlas::HasArea(g))
            {
                AppendQuad(g, uint64_t(*c), batchPen, quads++);
            }
            batchPen += float(g.advance);
            continue;
        }
        // A skipped glyph moves the pen by the same steps as a drawn one, so that the glyphs
        // after it land where Print puts them, to the last bit.
        glTranslatef(float(g.bearingX), 0, 0);
        glTranslatef(0, -float(g.bearingY), 0);
        if (inSpan)
        {
            const krVertexArray* quad = geometry->GetVertexArray(uint64_t(*c));
            glBindTexture(GL_TEXTURE_2D, textures[*c]);
            glBindBuffer(GL_ARRAY_BUFFER, quad->vertexBuffer);
            glVertexPointer(3, GL_FLOAT, 0, nullptr);
            glBindBuffer(GL_ARRAY_BUFFER, quad->texCoordBuffer);
            glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(quad->vertexCount));
        }
        glTranslatef(0, float(g.bearingY), 0);
        glTranslatef(float(g.advance) - float(g.bearingX), 0, 0);
    }
    if (quads > 0)
    {
        const GLsizei stride = GLsizei(kVertexFloats * sizeof(float));
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        glBindTexture(GL_TEXTURE_2D, atlasTexture);
        glVertexPointer(3, GL_FLOAT, stride, batch);
        glTexCoordPointer(2, GL_FLOAT, stride, batch + 3);
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(quads * kQuadVertices));
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}

float krFont::GetWidth(const wchar_t* text) const
{
    float width = 0.0f;
    for (const wchar_t* c = text; c && *c; c++)
    {
        if (CodeInRange(*c, glyphCount))
        {
            width += float(glyphs[*c].advance);
        }
    }
    return width * scale;
}

float krFont::GetHeight() const
{
    return fontHeight * scale;
}
