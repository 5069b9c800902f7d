// krLogoRaster: FreeType rendering and compositing of the engine logo.
#include "krLogoRaster.h"

#include <algorithm>
#include <cmath>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace
{
// A premultiplied RGBA canvas in floats, so that layers compose without rounding.
struct TCanvas_s
{
    int width;
    int height;
    std::vector<float> px; // r, g, b, a premultiplied, each 0..1

    void Over(int x, int y, float r, float g, float b, float a)
    {
        if (x < 0 || y < 0 || x >= width || y >= height || a <= 0.0f)
        {
            return;
        }
        float* p = &px[(static_cast<size_t>(y) * width + x) * 4];
        const float keep = 1.0f - a;
        p[0] = r * a + p[0] * keep;
        p[1] = g * a + p[1] * keep;
        p[2] = b * a + p[2] * keep;
        p[3] = a + p[3] * keep;
    }
};

float Channel(uint8_t v)
{
    return v / 255.0f;
}

// Horizontal then vertical box blur, three passes: close to a Gaussian of the given radius.
std::vector<float> Blur(const std::vector<float>& src, int width, int height, int radius)
{
    std::vector<float> a = src;
    if (radius <= 0)
    {
        return a;
    }
    std::vector<float> b(a.size());
    const float scale = 1.0f / (2 * radius + 1);
    for (int pass = 0; pass < 3; pass++)
    {
        for (int y = 0; y < height; y++)
        {
            for (int x = 0; x < width; x++)
            {
                float sum = 0;
                for (int k = -radius; k <= radius; k++)
                {
                    const int xx = x + k;
                    if (xx >= 0 && xx < width)
                    {
                        sum += a[static_cast<size_t>(y) * width + xx];
                    }
                }
                b[static_cast<size_t>(y) * width + x] = sum * scale;
            }
        }
        for (int y = 0; y < height; y++)
        {
            for (int x = 0; x < width; x++)
            {
                float sum = 0;
                for (int k = -radius; k <= radius; k++)
                {
                    const int yy = y + k;
                    if (yy >= 0 && yy < height)
                    {
                        sum += b[static_cast<size_t>(yy) * width + x];
                    }
                }
                a[static_cast<size_t>(y) * width + x] = sum * scale;
            }
        }
    }
    return a;
}

// Coverage (0..1) of the layer's glyphs over the whole canvas.
bool RasterText(FT_Face face, const TLogoLayer_s& layer, int width, int height,
                std::vector<float>& coverage, std::string& error)
{
    coverage.assign(static_cast<size_t>(width) * height, 0.0f);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(layer.pixels)) != 0)
    {
        error = "cannot size font " + layer.font;
        return false;
    }
    long pen = static_cast<long>(layer.x) * 64;
    FT_UInt previous = 0;
    for (char c : layer.text)
    {
        const FT_UInt glyph = FT_Get_Char_Index(face, static_cast<FT_ULong>(c));
        if (previous && glyph && FT_HAS_KERNING(face))
        {
            FT_Vector kern;
            if (FT_Get_Kerning(face, previous, glyph, FT_KERNING_DEFAULT, &kern) == 0)
            {
                pen += kern.x;
            }
        }
        if (FT_Load_Glyph(face, glyph, FT_LOAD_RENDER) != 0)
        {
            error = std::string("cannot draw glyph '") + c + "'";
            return false;
        }
        const FT_GlyphSlot slot = face->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0)
        {
            error = "unexpected glyph bitmap format";
            return false;
        }
        const int left = static_cast<int>(pen >> 6) + slot->bitmap_left;
        const int top = layer.baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; row++)
        {
            for (unsigned col = 0; col < bitmap.width; col++)
            {
                const int x = left + static_cast<int>(col);
                const int y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= width || y >= height)
                {
                    continue;
                }
                const uint8_t v = bitmap.buffer[static_cast<long>(row) * bitmap.pitch + col];
                float& cell = coverage[static_cast<size_t>(y) * width + x];
                cell = std::min(1.0f, cell + v / 255.0f);
            }
        }
        pen += slot->advance.x + static_cast<long>(layer.tracking) * 64;
        previous = glyph;
    }
    return true;
}

bool DrawText(FT_Library library, const TLogoDesign_s& design, const std::string& fontDir,
              const TLogoLayer_s& layer, TCanvas_s& canvas, std::string& error)
{
    const std::string* file = FindLogoFont(design, layer.font);
    if (!file)
    {
        error = "unknown font " + layer.font;
        return false;
    }
    const std::string path = fontDir + "/" + *file;
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0)
    {
        error = "cannot load font " + path;
        return false;
    }
    std::vector<float> coverage;
    const bool ok = RasterText(face, layer, canvas.width, canvas.height, coverage, error);
    FT_Done_Face(face);
    if (!ok)
    {
        return false;
    }

    // The gradient spans the ink actually drawn.
    int inkTop = canvas.height;
    int inkBottom = -1;
    for (int y = 0; y < canvas.height; y++)
    {
        for (int x = 0; x < canvas.width; x++)
        {
            if (coverage[static_cast<size_t>(y) * canvas.width + x] > 0.0f)
            {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    }
    if (inkBottom < 0)
    {
        return true; // nothing visible (blank text or off canvas)
    }

    const std::vector<float> halo = Blur(coverage, canvas.width, canvas.height, layer.glowRadius);
    const float span = static_cast<float>(std::max(1, inkBottom - inkTop));
    for (int y = 0; y < canvas.height; y++)
    {
        const float t = std::min(1.0f, std::max(0.0f, (y - inkTop) / span));
        const float r = Channel(layer.top.r) + (Channel(layer.bottom.r) - Channel(layer.top.r)) * t;
        const float g = Channel(layer.top.g) + (Channel(layer.bottom.g) - Channel(layer.top.g)) * t;
        const float b = Channel(layer.top.b) + (Channel(layer.bottom.b) - Channel(layer.top.b)) * t;
        const float a = Channel(layer.top.a) + (Channel(layer.bottom.a) - Channel(layer.top.a)) * t;
        for (int x = 0; x < canvas.width; x++)
        {
            const size_t i = static_cast<size_t>(y) * canvas.width + x;
            if (layer.glowRadius > 0)
            {
                // The halo is brightened so that it reaches past the blur's fall-off.
                const float glow = std::min(1.0f, halo[i] * 1.6f) * Channel(layer.glow.a);
                canvas.Over(x, y, Channel(layer.glow.r), Channel(layer.glow.g),
                            Channel(layer.glow.b), glow);
            }
            canvas.Over(x, y, r, g, b, coverage[i] * a);
        }
    }
    return true;
}

void DrawLine(const TLogoLayer_s& layer, TCanvas_s& canvas)
{
    const int from = std::min(layer.x0, layer.x1);
    const int to = std::max(layer.x0, layer.x1);
    for (int x = from; x <= to; x++)
    {
        float fade = 1.0f;
        if (layer.fade > 0)
        {
            const int edge = std::min(x - from, to - x);
            fade = std::min(1.0f, (edge + 0.5f) / layer.fade);
        }
        for (int k = 0; k < layer.thickness; k++)
        {
            canvas.Over(x, layer.y + k, Channel(layer.color.r), Channel(layer.color.g),
                        Channel(layer.color.b), Channel(layer.color.a) * fade);
        }
    }
}

uint8_t ToByte(float v)
{
    const float clamped = std::min(1.0f, std::max(0.0f, v));
    return static_cast<uint8_t>(std::lround(clamped * 255.0f));
}
} // namespace

bool RenderLogo(const TLogoDesign_s& design, const std::string& fontDir, std::vector<uint8_t>& rgba,
                std::string& error)
{
    TCanvas_s canvas;
    canvas.width = design.width;
    canvas.height = design.height;
    canvas.px.assign(static_cast<size_t>(design.width) * design.height * 4, 0.0f);

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
    {
        error = "cannot start FreeType";
        return false;
    }
    bool ok = true;
    for (const TLogoLayer_s& layer : design.layers)
    {
        if (layer.kind == llkText)
        {
            ok = DrawText(library, design, fontDir, layer, canvas, error);
        }
        else
        {
            DrawLine(layer, canvas);
        }
        if (!ok)
        {
            break;
        }
    }
    FT_Done_FreeType(library);
    if (!ok)
    {
        return false;
    }

    // Back to straight alpha: the engine blends with source alpha.
    rgba.assign(canvas.px.size(), 0);
    for (size_t i = 0; i < canvas.px.size(); i += 4)
    {
        const float a = canvas.px[i + 3];
        if (a <= 0.0f)
        {
            continue;
        }
        rgba[i + 0] = ToByte(canvas.px[i + 0] / a);
        rgba[i + 1] = ToByte(canvas.px[i + 1] / a);
        rgba[i + 2] = ToByte(canvas.px[i + 2] / a);
        rgba[i + 3] = ToByte(a);
    }
    return true;
}
