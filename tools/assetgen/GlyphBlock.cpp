// GlyphBlock: rendering the code range and writing the records.
#include "GlyphBlock.h"

GlyphBlock::GlyphBlock(const FontFace& face, int pixelSize, uint32_t lastCode) : size(pixelSize)
{
    glyphs.reserve(lastCode + 1);
    for (uint32_t code = 0; code <= lastCode; ++code)
    {
        // Control codes have no picture; the face may still map them to a blank glyph.
        if (code < 0x20 || (code >= 0x7F && code < 0xA0))
        {
            glyphs.emplace_back();
            continue;
        }
        glyphs.push_back(face.RenderGlyph(code, pixelSize));
    }
}

std::vector<uint8_t> GlyphBlock::Serialize() const
{
    std::vector<uint8_t> out;
    auto put = [&out](int32_t v)
    {
        for (int i = 0; i < 4; ++i)
        {
            out.push_back((uint8_t)((uint32_t)v >> (8 * i)));
        }
    };
    for (const TGlyphBitmap_s& g : glyphs)
    {
        put(g.width);
        put(g.height);
        put(g.advance);
        put(g.bearingY);
        put(g.bearingX);
        out.insert(out.end(), g.coverage.begin(), g.coverage.end());
    }
    return out;
}

bool GlyphBlock::Covers(const std::u32string& text) const
{
    for (char32_t c : text)
    {
        if (c >= glyphs.size() || !glyphs[c].present)
        {
            return false;
        }
    }
    return true;
}

int GlyphBlock::Width(const std::u32string& text) const
{
    int w = 0;
    for (char32_t c : text)
    {
        if (c < glyphs.size())
        {
            w += glyphs[c].advance;
        }
    }
    return w;
}

int GlyphBlock::GameFontHeight() const
{
    float height = 0;
    for (const TGlyphBitmap_s& g : glyphs)
    {
        if ((float)g.bearingY > height)
        {
            height = (float)g.height;
        }
    }
    return (int)height;
}
