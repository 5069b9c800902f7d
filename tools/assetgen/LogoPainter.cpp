// LogoPainter: card fan, title with outline and shadow, a few sparkles.
#include "LogoPainter.h"

#include <algorithm>
#include <cmath>

#include "SuitShapes.h"

namespace
{
const float kPi = 3.14159265358979f;

Path Sparkle(float cx, float cy, float r, const TAffine_s& t)
{
    Path p(t);
    p.MoveTo(cx, cy - r);
    p.QuadTo(cx, cy, cx + r, cy);
    p.QuadTo(cx, cy, cx, cy + r);
    p.QuadTo(cx, cy, cx - r, cy);
    p.QuadTo(cx, cy, cx, cy - r);
    return p;
}
} // namespace

TImage_s PaintLogo(const FontFace& font, int width, int height)
{
    // Designed on a 512 × 256 grid.
    const TAffine_s t = TAffine_s::Scale(width / 512.0f, height / 256.0f);
    const float unit = width / 512.0f;
    Canvas c(width, height);

    // Fan of five cards around a pivot below the title.
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
        const TAffine_s ct = t.Then(TAffine_s::Translate(pivotX, pivotY))
                                 .Then(TAffine_s::Rotate(angle))
                                 .Then(TAffine_s::Translate(-cardW / 2, -284.0f));
        Path shadow(ct.Then(TAffine_s::Translate(2.5f, 3.0f)));
        shadow.AddRoundedRect(0, 0, cardW, cardH, 6);
        CoverageMask sm = CoverageMask::Fill(shadow, width, height).Padded((int)(6 * unit));
        sm.Blur((int)std::max(1.0f, 3 * unit));
        c.Paint(sm, TColor_s{0, 0, 0, 0.35f});
        Path body(ct);
        body.AddRoundedRect(0, 0, cardW, cardH, 6);
        c.Fill(body, Rgb(0xFDFCF8));
        Path border(ct);
        border.AddRoundedRect(0, 0, cardW, cardH, 6);
        border.AddRoundedRect(1.2f, 1.2f, cardW - 2.4f, cardH - 2.4f, 4.8f, true);
        c.Fill(border, Rgb(0x8A8F9C));
        const TColor_s ink = IsRedSuit(fan[i].suit) ? Rgb(0xC4161C) : Rgb(0x17171C);
        Path index(ct);
        const std::u32string rank = ToU32(fan[i].rank);
        const float size = 19.0f;
        const float rankW = font.TextWidth(rank, size) * (rank.size() > 1 ? 0.8f : 1.0f);
        font.AppendText(index, rank, 0, 0, size,
                        TAffine_s::Translate(12.0f - rankW / 2, 21.0f)
                            .Then(TAffine_s::Scale(rank.size() > 1 ? 0.8f : 1.0f, 1.0f)));
        c.Fill(index, ink);
        for (const Path& part : SuitParts(
                 fan[i].suit,
                 ct.Then(TAffine_s::Translate(12.0f, 32.0f)).Then(TAffine_s::Scale(9.0f, 9.0f))))
        {
            c.Fill(part, ink);
        }
        for (const Path& part :
             SuitParts(fan[i].suit, ct.Then(TAffine_s::Translate(cardW / 2 + 5, 60.0f))
                                        .Then(TAffine_s::Scale(32.0f, 32.0f))))
        {
            c.Fill(part, ink);
        }
    }

    // Title.
    const std::u32string title = ToU32("Vossa");
    const float size = 124.0f;
    const float titleW = font.TextWidth(title, size);
    Path titlePath(t);
    font.AppendText(titlePath, title, 256.0f - titleW / 2, 236.0f, size);
    CoverageMask glyphs = CoverageMask::Fill(titlePath, width, height);
    const int pad = (int)(14 * unit);

    CoverageMask shadow = glyphs.Padded(pad);
    shadow.Grow((int)std::max(1.0f, 4 * unit));
    shadow.Blur((int)std::max(1.0f, 5 * unit));
    CoverageMask shifted(shadow.X0() + (int)(3 * unit), shadow.Y0() + (int)(5 * unit),
                         shadow.Width(), shadow.Height());
    for (int y = 0; y < shadow.Height(); ++y)
    {
        for (int x = 0; x < shadow.Width(); ++x)
        {
            shifted.Ref(shifted.X0() + x, shifted.Y0() + y) =
                shadow.At(shadow.X0() + x, shadow.Y0() + y);
        }
    }
    c.Paint(shifted, TColor_s{0.02f, 0.03f, 0.1f, 0.65f});

    CoverageMask outline = glyphs.Padded(pad);
    outline.Grow((int)std::max(1.0f, 4 * unit));
    c.Paint(outline, Rgb(0x1B1F3B));
    CoverageMask rim = glyphs.Padded(pad);
    rim.Grow((int)std::max(1.0f, 2 * unit));
    c.Paint(rim, Rgb(0x8C6A1E));

    const float top = 236.0f - 124.0f * 0.75f, bottom = 236.0f;
    c.Paint(glyphs,
            [&](float, float y)
            {
                float v = std::clamp((y / unit - top) / (bottom - top), 0.0f, 1.0f);
                // Bright gold at the top, a light band above the middle, deeper gold below.
                TColor_s light = Rgb(0xFFF4C2), gold = Rgb(0xF2C14E), deep = Rgb(0xB07A1A);
                if (v < 0.45f)
                {
                    return Mix(light, gold, v / 0.45f);
                }
                return Mix(gold, deep, (v - 0.45f) / 0.55f);
            });

    // Sparkles.
    const float sparkles[5][3] = {
        {86, 120, 9}, {428, 104, 11}, {402, 40, 6}, {120, 52, 6}, {462, 170, 7}};
    for (const auto& s : sparkles)
    {
        c.Fill(Sparkle(s[0], s[1], s[2], t), Rgb(0xFFF4C2, 0.95f));
    }
    return c.ToImage(Rgb(0x1B1F3B));
}
