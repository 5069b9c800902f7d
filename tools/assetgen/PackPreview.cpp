// PackPreview: preview sheets of the pack, so the pictures and fonts can be judged without
// running the game, composed with Cairo.
#include "PackPreview.h"

#include <algorithm>
#include <cmath>

#include "TextPack.h"
#include "krCairoImage.h"

namespace
{
// Source-over of `picture` with its top-left corner at (x, y).
void Blit(cairo_t* cr, const TImage_s& picture, int x, int y)
{
    krCairoSurfacePtr source =
        krSurfaceFromRGBA(picture.rgba.data(), picture.rgba.size(), picture.width, picture.height);
    if (source)
    {
        cairo_set_source_surface(cr, source.get(), x, y);
        cairo_paint(cr);
    }
}

// Draws `text` with the glyph bitmaps of `font` (as the game does: each bitmap a coverage
// mask at whole pixels) at pen (x, baseline) in the colour `rgb`.
void DrawText(cairo_t* cr, const GlyphBlock& font, const std::u32string& text, int x, int baseline,
              int rgb)
{
    for (char32_t c : text)
    {
        if (c >= font.Glyphs().size())
        {
            continue;
        }
        const TGlyphBitmap_s& gl = font.Glyphs()[c];
        krCairoSurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A8, gl.width, gl.height));
        unsigned char* data = cairo_image_surface_get_data(mask.get());
        if (gl.width > 0 && gl.height > 0 && data)
        {
            const int stride = cairo_image_surface_get_stride(mask.get());
            for (int y = 0; y < gl.height; ++y)
            {
                std::copy(&gl.coverage[(size_t)y * gl.width],
                          &gl.coverage[(size_t)y * gl.width] + gl.width, data + (size_t)y * stride);
            }
            cairo_surface_mark_dirty(mask.get());
            SetSource(cr, Rgb(rgb));
            cairo_mask_surface(cr, mask.get(), x + gl.bearingX, baseline - gl.bearingY);
        }
        x += gl.advance;
    }
}

bool WriteSheet(const Canvas& sheet, const std::string& path, std::string& error)
{
    if (cairo_surface_write_to_png(cairo_get_target(sheet.Cr()), path.c_str()) !=
        CAIRO_STATUS_SUCCESS)
    {
        error = "cannot write the preview " + path;
        return false;
    }
    return true;
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
    Canvas sheet(sheetW, sheetH);
    cairo_t* cr = sheet.Cr();
    cairo_pattern_t* backdrop = cairo_pattern_create_linear(0, 0.5, 0, sheetH - 0.5);
    cairo_pattern_add_color_stop_rgb(backdrop, 0, 0.0849, 0.4049, 0.7286);
    cairo_pattern_add_color_stop_rgb(backdrop, 1, 0.8891, 0.6295, 0.1346);
    cairo_pattern_set_extend(backdrop, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, backdrop);
    cairo_pattern_destroy(backdrop);
    cairo_paint(cr);
    for (size_t i = 0; i < in.cardFaces.size(); ++i)
    {
        Blit(cr, in.cardFaces[i].second, 20 + (int)(i % 11) * 130, 20 + (int)(i / 11) * 190);
    }
    Blit(cr, in.back, 20 + 10 * 130, 20 + 190);
    int cloud = 0, button = 0;
    for (const auto& pic : in.pictures)
    {
        const TImage_s& img = pic.second;
        if (pic.first == "vossa_logo")
        {
            Blit(cr, img, 20, 405);
        }
        else if (pic.first.rfind("cloud", 0) == 0)
        {
            Blit(cr, img, 560 + cloud++ * 290, 405);
        }
        else if (pic.first == "texture_star_01")
        {
            Blit(cr, img, 580, 550);
        }
        else if (pic.first.rfind("button_", 0) == 0)
        {
            Blit(cr, img, 760 + (button % 3) * 150, 555 + (button / 3) * 44);
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
        DrawText(cr, mainFont, text, tx + 1, ty + 1, 0x000000);
        DrawText(cr, mainFont, text, tx, ty, 0xFFFFFF);
    }
    cairo_rectangle(cr, 20, 680, sheetW - 40, 110);
    SetSource(cr, Rgb(0xFFFFFF, 0.8f)); // the game's panels: white at 0.8
    cairo_fill(cr);
    const char* sample = "Zażółć gęślą jaźń. Pchnąć w tę łódź jeża lub ośm skrzyń fig. "
                         "The quick brown fox jumps over the lazy dog. 0123456789";
    DrawText(cr, mainFont, ToU32(std::string("arial: ") + sample), 30, 710, 0x0A0A40);
    DrawText(cr, smallFont, ToU32(std::string("ss10: ") + sample), 30, 740, 0x000000);
    DrawText(cr, smallFont, ToU32("ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż"), 30, 765, 0x000000);
    if (!WriteSheet(sheet, dir + "/pack-contact-sheet.png", error))
    {
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
        Canvas page(cols * cell + 20, rows * cell + 120, Rgb(0xFFFFFF));
        for (size_t code = 0x20; code < font.Glyphs().size(); ++code)
        {
            int k = (int)(code - 0x20);
            DrawText(page.Cr(), font, std::u32string(1, (char32_t)code), 10 + (k % cols) * cell,
                     10 + (k / cols) * cell + font.PixelSize(), 0x141428);
        }
        int base = rows * cell + 10 + font.PixelSize();
        DrawText(page.Cr(), font,
                 ToU32("Zażółć gęślą jaźń. Pchnąć w tę łódź jeża lub ośm skrzyń fig."), 10, base,
                 0x141428);
        DrawText(page.Cr(), font,
                 ToU32("ZAŻÓŁĆ GĘŚLĄ JAŹŃ. The quick brown fox jumps over the lazy dog."), 10,
                 base + font.PixelSize() * 2, 0x141428);
        DrawText(page.Cr(), font, ToU32("Ą Ć Ę Ł Ń Ó Ś Ź Ż  ą ć ę ł ń ó ś ź ż  0123456789 ?!.,;:"),
                 10, base + font.PixelSize() * 4, 0x141428);
        if (!WriteSheet(page, dir + "/pack-font-" + f.first + ".png", error))
        {
            return false;
        }
    }
    return true;
}
