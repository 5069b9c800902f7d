// FontFace: FreeType outlines decomposed into Cairo paths, and rendered glyph bitmaps.
#include "FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

namespace
{
// Outline decomposition into a Cairo path: font units to user space, y turned down.
struct TDecompose_s
{
    cairo_t* cr;
    float scale;
    float penX, baseline;
    double lastX = 0, lastY = 0;
    bool open = false;
    double Px(FT_Pos x) const { return penX + x * scale; }
    double Py(FT_Pos y) const { return baseline - y * scale; }
    void Close()
    {
        if (open)
        {
            cairo_close_path(cr);
            open = false;
        }
    }
    void To(double x, double y)
    {
        lastX = x;
        lastY = y;
    }
};

int MoveToCb(const FT_Vector* to, void* user)
{
    auto* d = static_cast<TDecompose_s*>(user);
    d->Close();
    d->To(d->Px(to->x), d->Py(to->y));
    cairo_move_to(d->cr, d->lastX, d->lastY);
    d->open = true;
    return 0;
}

int LineToCb(const FT_Vector* to, void* user)
{
    auto* d = static_cast<TDecompose_s*>(user);
    d->To(d->Px(to->x), d->Py(to->y));
    cairo_line_to(d->cr, d->lastX, d->lastY);
    return 0;
}

int ConicToCb(const FT_Vector* c, const FT_Vector* to, void* user)
{
    // The quadratic curve as the cubic it equals.
    auto* d = static_cast<TDecompose_s*>(user);
    const double cx = d->Px(c->x), cy = d->Py(c->y), x = d->Px(to->x), y = d->Py(to->y);
    cairo_curve_to(d->cr, d->lastX + 2.0 / 3.0 * (cx - d->lastX),
                   d->lastY + 2.0 / 3.0 * (cy - d->lastY), x + 2.0 / 3.0 * (cx - x),
                   y + 2.0 / 3.0 * (cy - y), x, y);
    d->To(x, y);
    return 0;
}

int CubicToCb(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
{
    auto* d = static_cast<TDecompose_s*>(user);
    d->To(d->Px(to->x), d->Py(to->y));
    cairo_curve_to(d->cr, d->Px(c1->x), d->Py(c1->y), d->Px(c2->x), d->Py(c2->y), d->lastX,
                   d->lastY);
    return 0;
}
} // namespace

std::u32string ToU32(const std::string& s)
{
    std::u32string out;
    for (size_t i = 0; i < s.size();)
    {
        unsigned char c = (unsigned char)s[i];
        char32_t cp;
        int extra;
        if (c < 0x80)
        {
            cp = c;
            extra = 0;
        }
        else if ((c & 0xE0) == 0xC0)
        {
            cp = c & 0x1F;
            extra = 1;
        }
        else if ((c & 0xF0) == 0xE0)
        {
            cp = c & 0x0F;
            extra = 2;
        }
        else
        {
            cp = c & 0x07;
            extra = 3;
        }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i)
        {
            cp = (cp << 6) | ((unsigned char)s[i] & 0x3F);
        }
        out.push_back(cp);
    }
    return out;
}

FontFace::FontFace() : library(nullptr), face(nullptr)
{
    FT_Library lib;
    if (FT_Init_FreeType(&lib) == 0)
    {
        library = lib;
    }
}

FontFace::~FontFace()
{
    if (face)
    {
        FT_Done_Face((FT_Face)face);
    }
    if (library)
    {
        FT_Done_FreeType((FT_Library)library);
    }
}

bool FontFace::Open(const std::string& path)
{
    if (!library || face)
    {
        return false;
    }
    FT_Face f;
    if (FT_New_Face((FT_Library)library, path.c_str(), 0, &f) != 0)
    {
        return false;
    }
    face = f;
    return true;
}

float FontFace::AppendText(cairo_t* cr, const std::u32string& text, float x, float baseline,
                           float size) const
{
    FT_Face f = (FT_Face)face;
    if (!f)
    {
        return 0;
    }
    const float scale = size / f->units_per_EM;
    FT_Outline_Funcs funcs = {MoveToCb, LineToCb, ConicToCb, CubicToCb, 0, 0};
    TDecompose_s d{cr, scale, x, baseline};
    FT_UInt previous = 0;
    for (char32_t c : text)
    {
        FT_UInt index = FT_Get_Char_Index(f, c);
        if (previous && index && FT_HAS_KERNING(f))
        {
            FT_Vector k;
            FT_Get_Kerning(f, previous, index, FT_KERNING_UNSCALED, &k);
            d.penX += k.x * scale;
        }
        if (FT_Load_Glyph(f, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) == 0 &&
            f->glyph->format == FT_GLYPH_FORMAT_OUTLINE)
        {
            if (cr)
            {
                FT_Outline_Decompose(&f->glyph->outline, &funcs, &d);
                d.Close();
            }
            d.penX += f->glyph->advance.x * scale;
        }
        previous = index;
    }
    return d.penX - x;
}

float FontFace::TextWidth(const std::u32string& text, float size) const
{
    return AppendText(nullptr, text, 0, 0, size);
}

float FontFace::CapHeight() const
{
    FT_Face f = (FT_Face)face;
    if (!f || FT_Load_Char(f, 'H', FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0)
    {
        return 0.7f;
    }
    return (float)f->glyph->metrics.height / f->units_per_EM;
}

TGlyphBitmap_s FontFace::RenderGlyph(uint32_t code, int pixelSize) const
{
    TGlyphBitmap_s g;
    FT_Face f = (FT_Face)face;
    if (!f || FT_Set_Pixel_Sizes(f, 0, pixelSize) != 0)
    {
        return g;
    }
    FT_UInt index = FT_Get_Char_Index(f, code);
    if (index == 0 || FT_Load_Glyph(f, index, FT_LOAD_DEFAULT) != 0 ||
        FT_Render_Glyph(f->glyph, FT_RENDER_MODE_NORMAL) != 0)
    {
        return g;
    }
    const FT_Bitmap& bm = f->glyph->bitmap;
    g.present = true;
    g.width = (int)bm.width;
    g.height = (int)bm.rows;
    g.advance = (int)((f->glyph->advance.x + 32) >> 6);
    g.bearingX = f->glyph->bitmap_left;
    g.bearingY = f->glyph->bitmap_top;
    g.coverage.resize((size_t)g.width * g.height);
    for (int y = 0; y < g.height; ++y)
    {
        for (int x = 0; x < g.width; ++x)
        {
            g.coverage[(size_t)y * g.width + x] = bm.buffer[y * bm.pitch + x];
        }
    }
    return g;
}
