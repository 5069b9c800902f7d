// LogoPainter: card fan, title with outline and shadow, a few sparkles, drawn with Cairo.
#include "LogoPainter.h"

#include <algorithm>
#include <cmath>

#include "SoftMask.h"
#include "SuitShapes.h"
#include "krCairoShapes.h"

namespace
{
void Sparkle(cairo_t* cr, float cx, float cy, float r)
{
    cairo_move_to(cr, cx, cy - r);
    krQuadTo(cr, cx, cy, cx + r, cy);
    krQuadTo(cr, cx, cy, cx, cy + r);
    krQuadTo(cr, cx, cy, cx - r, cy);
    krQuadTo(cr, cx, cy, cx, cy - r);
    cairo_close_path(cr);
}

// One card of the fan in its own frame (74 x 104, origin at the top left corner).
void FanCard(cairo_t* cr, const FontFace& font, const char* rankText, TSuit suit, float cardW,
             float cardH)
{
    krRoundedRect(cr, 0, 0, cardW, cardH, 6);
    SetSource(cr, Rgb(0xFDFCF8));
    cairo_fill(cr);
    krRoundedRect(cr, 0, 0, cardW, cardH, 6);
    krRoundedRect(cr, 1.2f, 1.2f, cardW - 2.4f, cardH - 2.4f, 4.8f);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SetSource(cr, Rgb(0x8A8F9C));
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);

    const TColor_s ink = IsRedSuit(suit) ? Rgb(0xC4161C) : Rgb(0x17171C);
    const std::u32string rank = ToU32(rankText);
    const float size = 19.0f, condense = rank.size() > 1 ? 0.8f : 1.0f;
    const float rankW = font.TextWidth(rank, size) * condense;
    cairo_save(cr);
    cairo_translate(cr, 12.0f - rankW / 2, 21.0f);
    cairo_scale(cr, condense, 1.0f);
    font.AppendText(cr, rank, 0, 0, size);
    cairo_restore(cr);
    SetSource(cr, ink);
    cairo_fill(cr);
    const float pips[2][3] = {{12.0f, 32.0f, 9.0f}, {cardW / 2 + 5, 60.0f, 32.0f}};
    for (const auto& pip : pips)
    {
        cairo_save(cr);
        cairo_translate(cr, pip[0], pip[1]);
        cairo_scale(cr, pip[2], pip[2]);
        FillSuit(cr, suit);
        cairo_restore(cr);
    }
}
} // namespace

TImage_s PaintLogo(const FontFace& font, int width, int height)
{
    // Designed on a 512 × 256 grid: the user space, scaled onto the picture.
    const float unit = width / 512.0f;
    Canvas c(width, height);
    cairo_t* cr = c.Cr();
    cairo_scale(cr, width / 512.0, height / 256.0);

    // Fan of five cards around a pivot below the title, each over a soft shadow.
    struct TFanCard_s
    {
        const char* rank;
        TSuit suit;
    };
    const TFanCard_s fan[5] = {
        {"10", suSpades}, {"J", suClubs}, {"Q", suDiamonds}, {"K", suHearts}, {"A", suSpades}};
    const float cardW = 74, cardH = 104, pivotX = 256, pivotY = 300;
    for (int i = 0; i < 5; ++i)
    {
        const float angle = (i - 2) * 0.2f;
        cairo_matrix_t card;
        cairo_matrix_init_scale(&card, width / 512.0, height / 256.0);
        cairo_matrix_translate(&card, pivotX, pivotY);
        cairo_matrix_rotate(&card, angle);
        cairo_matrix_translate(&card, -cardW / 2, -284.0f);

        SoftMask shadow(width, height);
        cairo_set_matrix(shadow.Cr(), &card);
        krRoundedRect(shadow.Cr(), 2.5f, 3.0f, cardW, cardH, 6);
        cairo_fill(shadow.Cr());
        shadow.Blur((int)std::max(1.0f, 3 * unit));
        shadow.PaintOnto(cr, TColor_s{0, 0, 0, 0.35f});

        cairo_save(cr);
        cairo_set_matrix(cr, &card);
        FanCard(cr, font, fan[i].rank, fan[i].suit, cardW, cardH);
        cairo_restore(cr);
    }

    // Title: a blurred shadow, a dark outline and a darker gold rim grown around the glyphs
    // (stroked twice the growth wide), then the glyphs in a gold gradient.
    const std::u32string title = ToU32("Vossa");
    const float size = 124.0f;
    const float titleX = 256.0f - font.TextWidth(title, size) / 2, baseline = 236.0f;
    auto titlePath = [&](cairo_t* target)
    {
        cairo_save(target);
        cairo_scale(target, width / 512.0, height / 256.0);
        font.AppendText(target, title, titleX, baseline, size);
        cairo_restore(target);
    };
    auto grown = [&](cairo_t* target, float radius)
    {
        titlePath(target);
        cairo_set_line_width(target, 2 * radius);
        cairo_set_line_join(target, CAIRO_LINE_JOIN_ROUND);
        cairo_fill_preserve(target);
        cairo_stroke(target);
    };
    const float outline = std::max(1.0f, std::floor(4 * unit));
    const float rim = std::max(1.0f, std::floor(2 * unit));

    cairo_identity_matrix(cr);
    SoftMask shadow(width, height);
    cairo_translate(shadow.Cr(), (int)(3 * unit), (int)(5 * unit));
    grown(shadow.Cr(), outline);
    shadow.Blur((int)std::max(1.0f, 5 * unit));
    shadow.PaintOnto(cr, TColor_s{0.02f, 0.03f, 0.1f, 0.65f});

    SetSource(cr, Rgb(0x1B1F3B));
    grown(cr, outline);
    SetSource(cr, Rgb(0x8C6A1E));
    grown(cr, rim);

    // Bright gold at the top, a light band above the middle, deeper gold below.
    const float top = baseline - size * 0.75f;
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, top * unit, 0, baseline * unit);
    AddStop(gold, 0.0, Rgb(0xFFF4C2));
    AddStop(gold, 0.45, Rgb(0xF2C14E));
    AddStop(gold, 1.0, Rgb(0xB07A1A));
    cairo_pattern_set_extend(gold, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, gold);
    cairo_pattern_destroy(gold);
    titlePath(cr);
    cairo_fill(cr);

    // Sparkles.
    cairo_scale(cr, width / 512.0, height / 256.0);
    const float sparkles[5][3] = {
        {86, 120, 9}, {428, 104, 11}, {402, 40, 6}, {120, 52, 6}, {462, 170, 7}};
    for (const auto& s : sparkles)
    {
        Sparkle(cr, s[0], s[1], s[2]);
    }
    SetSource(cr, Rgb(0xFFF4C2, 0.95f));
    cairo_fill(cr);
    return c.ToImage(Rgb(0x1B1F3B));
}
