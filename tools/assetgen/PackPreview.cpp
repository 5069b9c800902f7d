// PackPreview: preview sheets of the pack, so the pictures and fonts can be judged without
// running the game.
#include "PackPreview.h"

#include <algorithm>
#include <cmath>

#include "TextPack.h"
#include "krCairoImage.h"

namespace
{
// Alpha-blends `src` onto `dst` with its top-left corner at (x, y).
void Blit(TImage_s& dst, const TImage_s& src, int x, int y)
{
    for (int sy = 0; sy < src.height; ++sy)
    {
        int dy = y + sy;
        if (dy < 0 || dy >= dst.height)
        {
            continue;
        }
        for (int sx = 0; sx < src.width; ++sx)
        {
            int dx = x + sx;
            if (dx < 0 || dx >= dst.width)
            {
                continue;
            }
            const uint8_t* s = &src.rgba[((size_t)sy * src.width + sx) * 4];
            uint8_t* d = &dst.rgba[((size_t)dy * dst.width + dx) * 4];
            float a = s[3] / 255.0f;
            for (int c = 0; c < 3; ++c)
            {
                d[c] = (uint8_t)std::lround(s[c] * a + d[c] * (1 - a));
            }
            d[3] = (uint8_t)std::max<int>(d[3], s[3]);
        }
    }
}

TImage_s Solid(int w, int h, int r, int g, int b)
{
    TImage_s img;
    img.width = w;
    img.height = h;
    img.rgba.resize((size_t)w * h * 4);
    for (size_t i = 0; i < (size_t)w * h; ++i)
    {
        img.rgba[i * 4] = (uint8_t)r;
        img.rgba[i * 4 + 1] = (uint8_t)g;
        img.rgba[i * 4 + 2] = (uint8_t)b;
        img.rgba[i * 4 + 3] = 255;
    }
    return img;
}

// Draws `text` with the glyph bitmaps of `font` (as the game does) at pen (x, baseline).
void DrawText(TImage_s& dst, const GlyphBlock& font, const std::u32string& text, int x,
              int baseline, int r, int g, int b)
{
    for (char32_t c : text)
    {
        if (c >= font.Glyphs().size())
        {
            continue;
        }
        const TGlyphBitmap_s& gl = font.Glyphs()[c];
        TImage_s glyph;
        glyph.width = gl.width;
        glyph.height = gl.height;
        glyph.rgba.resize((size_t)gl.width * gl.height * 4);
        for (size_t i = 0; i < gl.coverage.size(); ++i)
        {
            glyph.rgba[i * 4] = (uint8_t)r;
            glyph.rgba[i * 4 + 1] = (uint8_t)g;
            glyph.rgba[i * 4 + 2] = (uint8_t)b;
            glyph.rgba[i * 4 + 3] = gl.coverage[i];
        }
        Blit(dst, glyph, x + gl.bearingX, baseline - gl.bearingY);
        x += gl.advance;
    }
}
} // namespace

bool WritePackPreviews(const std::string& dir, const TPackPreview_s& in, std::string& error)
{
    const GlyphBlock& mainFont = *in.mainFont;
    const GlyphBlock& smallFont = *in.smallFont;
    // Contact sheet over the game's default backdrop (blue above, orange below): the 21 card
    // faces and the back, the logo, the clouds, the star, the buttons with captions drawn as
    // the game draws them, and both fonts.
    const int sheetW = 1448, sheetH = 800;
    TImage_s sheet = Solid(sheetW, sheetH, 0, 0, 0);
    for (int y = 0; y < sheetH; ++y)
    {
        float t = (float)y / (sheetH - 1);
        int r = (int)std::lround((0.0849f + (0.8891f - 0.0849f) * t) * 255);
        int g = (int)std::lround((0.4049f + (0.6295f - 0.4049f) * t) * 255);
        int b = (int)std::lround((0.7286f + (0.1346f - 0.7286f) * t) * 255);
        for (int x = 0; x < sheetW; ++x)
        {
            uint8_t* p = &sheet.rgba[((size_t)y * sheetW + x) * 4];
            p[0] = (uint8_t)r;
            p[1] = (uint8_t)g;
            p[2] = (uint8_t)b;
        }
    }
    for (size_t i = 0; i < in.cardFaces.size(); ++i)
    {
        Blit(sheet, in.cardFaces[i].second, 20 + (int)(i % 11) * 130, 20 + (int)(i / 11) * 190);
    }
    Blit(sheet, in.back, 20 + 10 * 130, 20 + 190);
    int cloud = 0, button = 0;
    for (const auto& pic : in.pictures)
    {
        const TImage_s& img = pic.second;
        if (pic.first == "vossa_logo")
        {
            Blit(sheet, img, 20, 405);
        }
        else if (pic.first.rfind("cloud", 0) == 0)
        {
            Blit(sheet, img, 560 + cloud++ * 290, 405);
        }
        else if (pic.first == "texture_star_01")
        {
            Blit(sheet, img, 580, 550);
        }
        else if (pic.first.rfind("button_", 0) == 0)
        {
            Blit(sheet, img, 760 + (button % 3) * 150, 555 + (button / 3) * 44);
            ++button;
        }
    }
    // Captions on the buttons, as the game draws them (black shadow, white text).
    const char* captions[3] = {"Ustawienia", "Jak grać", "Zakończ"};
    for (int i = 0; i < 9; ++i)
    {
        const std::u32string text = ToU32(captions[i / 3]);
        int bx = 760 + (i % 3) * 150, by = 555 + (i / 3) * 44;
        int tw = mainFont.Width(text), fh = mainFont.GameFontHeight();
        int tx = bx + (128 - tw) / 2, ty = by + (int)(fh - 2 + (32 - fh) * 0.5f);
        DrawText(sheet, mainFont, text, tx + 1, ty + 1, 0, 0, 0);
        DrawText(sheet, mainFont, text, tx, ty, 255, 255, 255);
    }
    TImage_s panel = Solid(sheetW - 40, 110, 255, 255, 255);
    for (size_t i = 3; i < panel.rgba.size(); i += 4)
    {
        panel.rgba[i] = 204; // the game's panels: white at 0.8
    }
    Blit(sheet, panel, 20, 680);
    const char* sample = "Zażółć gęślą jaźń. Pchnąć w tę łódź jeża lub ośm skrzyń fig. "
                         "The quick brown fox jumps over the lazy dog. 0123456789";
    DrawText(sheet, mainFont, ToU32(std::string("arial: ") + sample), 30, 710, 10, 10, 64);
    DrawText(sheet, smallFont, ToU32(std::string("ss10: ") + sample), 30, 740, 0, 0, 0);
    DrawText(sheet, smallFont, ToU32("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż"), 30, 765, 0, 0, 0);
    if (!krWritePNG(dir + "/pack-contact-sheet.png", sheet.rgba.data(), sheet.rgba.size(),
                    sheet.width, sheet.height))
    {
        error = "cannot write previews into " + dir;
        return false;
    }

    // Glyph sheets.
    const std::pair<const char*, const GlyphBlock*> fontsToShow[2] = {{"arial", &mainFont},
                                                                      {"ss10", &smallFont}};
    for (const auto& f : fontsToShow)
    {
        const GlyphBlock& font = *f.second;
        const int cell = font.PixelSize() * 2, cols = 32;
        const int rows = (int)((font.Glyphs().size() - 0x20 + cols - 1) / cols);
        TImage_s page = Solid(cols * cell + 20, rows * cell + 120, 255, 255, 255);
        for (size_t code = 0x20; code < font.Glyphs().size(); ++code)
        {
            int k = (int)(code - 0x20);
            DrawText(page, font, std::u32string(1, (char32_t)code), 10 + (k % cols) * cell,
                     10 + (k / cols) * cell + font.PixelSize(), 20, 20, 40);
        }
        int base = rows * cell + 10 + font.PixelSize();
        DrawText(page, font, ToU32("Zażółć gęślą jaźń. Pchnąć w tę łódź jeża lub ośm skrzyń fig."),
                 10, base, 20, 20, 40);
        DrawText(page, font,
                 ToU32("ZAŻÓŁĆ GĘŚLĄ JAŹŃ. The quick brown fox jumps over the lazy dog."), 10,
                 base + font.PixelSize() * 2, 20, 20, 40);
        DrawText(page, font, ToU32("Ą Ć Ę Ł Ń Ó Ś Ź Ż  ą ć ę ł ń ó ś ź ż  0123456789 ?!.,;:"), 10,
                 base + font.PixelSize() * 4, 20, 20, 40);
        if (!krWritePNG(dir + "/pack-font-" + f.first + ".png", page.rgba.data(), page.rgba.size(),
                        page.width, page.height))
        {
            error = "cannot write previews into " + dir;
            return false;
        }
    }
    return true;
}
