// CardPainter: faces and back of the playing cards, designed in millimetres on a 63 × 88 card
// (y down) and mapped onto the picture's pixels.
#include "CardPainter.h"

#include <cmath>
#include <cstdint>

namespace
{
const float kCardW = 63.0f, kCardH = 88.0f;
const float kPi = 3.14159265358979f;

const TColor_s kPaper = Rgb(0xFDFCF8);
const TColor_s kRed = Rgb(0xC4161C);
const TColor_s kBlack = Rgb(0x17171C);
const TColor_s kGold = Rgb(0xDDB043);
const TColor_s kDarkGold = Rgb(0x9A7424);
const TColor_s kInk = Rgb(0x2A2320);
const TColor_s kSkin = Rgb(0xF3D3AE);
const TColor_s kBlue = Rgb(0x2D4F9E);
const TColor_s kCourtRed = Rgb(0xB52A2A);
const TColor_s kGreen = Rgb(0x2E6B4A);
const TColor_s kCream = Rgb(0xFBF3DC);

TColor_s SuitColor(TSuit s)
{
    return IsRedSuit(s) ? kRed : kBlack;
}

TAffine_s At(const TAffine_s& base, float x, float y, float size, bool inverted = false)
{
    TAffine_s t = base.Then(TAffine_s::Translate(x, y)).Then(TAffine_s::Scale(size, size));
    return inverted ? t.Then(TAffine_s::Rotate(kPi)) : t;
}

void FillParts(Canvas& c, const std::vector<Path>& parts, const TColor_s& color)
{
    for (const Path& p : parts)
    {
        c.Fill(p, color);
    }
}

void Pip(Canvas& c, const TAffine_s& base, TSuit suit, float x, float y, float size,
         bool inverted = false)
{
    FillParts(c, SuitParts(suit, At(base, x, y, size, inverted)), SuitColor(suit));
}

void Ellipse(Canvas& c, const TAffine_s& t, float cx, float cy, float rx, float ry,
             const TColor_s& color)
{
    Path p(t);
    p.AddEllipse(cx, cy, rx, ry);
    c.Fill(p, color);
}

void Rect(Canvas& c, const TAffine_s& t, float x, float y, float w, float h, const TColor_s& color)
{
    Path p(t);
    p.AddRect(x, y, w, h);
    c.Fill(p, color);
}

void Line(Canvas& c, const TAffine_s& t, float x0, float y0, float x1, float y1, float width,
          const TColor_s& color)
{
    Path p(t);
    p.AddLine(x0, y0, x1, y1, width);
    c.Fill(p, color);
}

// A frame line of `width` around a rounded rectangle.
void Frame(Canvas& c, const TAffine_s& t, float x, float y, float w, float h, float r, float width,
           const TColor_s& color)
{
    Path p(t);
    p.AddRoundedRect(x, y, w, h, r);
    p.AddRoundedRect(x + width, y + width, w - 2 * width, h - 2 * width, std::max(r - width, 0.0f),
                     true);
    c.Fill(p, color);
}

// An n-pointed star of outer radius ro and inner radius ri.
Path Star(const TAffine_s& t, float cx, float cy, float ro, float ri, int points, float turn = 0)
{
    Path p(t);
    for (int i = 0; i < 2 * points; ++i)
    {
        float a = turn - kPi / 2 + i * kPi / points;
        float r = (i % 2 == 0) ? ro : ri;
        if (i == 0)
        {
            p.MoveTo(cx + r * std::cos(a), cy + r * std::sin(a));
        }
        else
        {
            p.LineTo(cx + r * std::cos(a), cy + r * std::sin(a));
        }
    }
    return p;
}

// Pip positions on a grid of columns −1, 0, 1 and rows −1 (top) … 1 (bottom).
struct TPip_s
{
    float col, row;
};

std::vector<TPip_s> PipLayout(int rank)
{
    const float third = 1.0f / 3.0f;
    switch (rank)
    {
        case 2:
            return {{0, -1}, {0, 1}};
        case 3:
            return {{0, -1}, {0, 0}, {0, 1}};
        case 4:
            return {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
        case 5:
            return {{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}};
        case 6:
            return {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
        case 7:
            return {{-1, -1}, {1, -1}, {0, -0.5f}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
        case 8:
            return {{-1, -1}, {1, -1}, {0, -0.5f}, {-1, 0}, {1, 0}, {0, 0.5f}, {-1, 1}, {1, 1}};
        case 9:
            return {{-1, -1},    {1, -1},    {-1, -third}, {1, -third}, {0, 0},
                    {-1, third}, {1, third}, {-1, 1},      {1, 1}};
        case 10:
            return {{-1, -1},    {1, -1},    {0, -2 * third}, {-1, -third}, {1, -third},
                    {-1, third}, {1, third}, {0, 2 * third},  {-1, 1},      {1, 1}};
        default:
            return {};
    }
}
} // namespace

const char* RankName(int rank)
{
    static const char* names[] = {"?", "A", "2", "3",  "4", "5", "6",
                                  "7", "8", "9", "10", "J", "Q", "K"};
    return (rank >= 1 && rank <= 13) ? names[rank] : names[0];
}

void CardPainter::PaintIndex(Canvas& c, const TAffine_s& t, const TCard_s& card) const
{
    const std::u32string text = ToU32(RankName(card.rank));
    const float capH = 6.6f;
    const float size = capH / font.CapHeight();
    const float condense = text.size() > 1 ? 0.78f : 1.0f;
    const float width = font.TextWidth(text, size) * condense;
    const float cx = 6.6f, baseline = 4.4f + capH;
    Path p(t);
    font.AppendText(
        p, text, 0, 0, size,
        TAffine_s::Translate(cx - width * 0.5f, baseline).Then(TAffine_s::Scale(condense, 1.0f)));
    c.Fill(p, SuitColor(card.suit));
    Pip(c, t, card.suit, cx, baseline + 5.0f, 5.0f);
}

void CardPainter::PaintPips(Canvas& c, const TAffine_s& t, const TCard_s& card) const
{
    const float size = card.rank >= 9 ? 9.4f : 10.6f;
    const float cx = kCardW * 0.5f, cy = kCardH * 0.5f;
    const float dx = 12.4f, dy = 26.5f;
    for (const TPip_s& pip : PipLayout(card.rank))
    {
        Pip(c, t, card.suit, cx + pip.col * dx, cy + pip.row * dy, size, pip.row > 0.01f);
    }
}

void CardPainter::PaintAce(Canvas& c, const TAffine_s& t, const TCard_s& card) const
{
    const float cx = kCardW * 0.5f, cy = kCardH * 0.5f;
    if (card.suit == suSpades)
    {
        // The ace of spades gets its traditional ornate treatment.
        Frame(c, t, cx - 17, cy - 17, 34, 34, 17, 0.45f, kBlack);
        Frame(c, t, cx - 15.6f, cy - 15.6f, 31.2f, 31.2f, 15.6f, 0.25f, kBlack);
        for (int i = 0; i < 8; ++i)
        {
            float a = i * kPi / 4 + kPi / 8;
            c.Fill(Star(t, cx + 16.3f * std::cos(a), cy + 16.3f * std::sin(a), 1.3f, 0.5f, 4),
                   kBlack);
        }
        Pip(c, t, suSpades, cx, cy, 24.0f);
        c.Fill(Star(t, cx, cy - 2.0f, 2.2f, 0.9f, 4), kPaper);
    }
    else
    {
        Pip(c, t, card.suit, cx, cy, 17.0f);
    }
}

void CardPainter::PaintFigureHalf(Canvas& c, const TAffine_s& t, const TCard_s& card) const
{
    const float cx = kCardW * 0.5f;
    const int rank = card.rank;
    const TColor_s robe = rank == 13 ? kCourtRed : (rank == 12 ? kBlue : kGreen);
    const TColor_s collar = rank == 13 ? kBlue : kCourtRed;
    const TColor_s hair = rank == 13 ? Rgb(0xD9D2C5) : (rank == 12 ? Rgb(0xE2AE45) : Rgb(0x6B4226));

    // Robe: from the neck over the shoulders down to the middle line.
    Path robePath(t);
    robePath.MoveTo(cx - 3.4f, 30.5f);
    robePath.CubicTo(cx - 7, 31.4f, cx - 12.6f, 31.8f, cx - 14.4f, 35.6f);
    robePath.LineTo(cx - 15.4f, 44.0f);
    robePath.LineTo(cx + 15.4f, 44.0f);
    robePath.LineTo(cx + 14.4f, 35.6f);
    robePath.CubicTo(cx + 12.6f, 31.8f, cx + 7, 31.4f, cx + 3.4f, 30.5f);
    c.Fill(robePath, robe);
    // Sleeves: a darker fold from each shoulder down to the middle line.
    for (float side : {-1.0f, 1.0f})
    {
        Path fold(t);
        fold.MoveTo(cx + side * 11.0f, 34.0f);
        fold.CubicTo(cx + side * 9.5f, 38.0f, cx + side * 9.8f, 41.0f, cx + side * 10.6f, 44.0f);
        fold.LineTo(cx + side * 11.4f, 44.0f);
        fold.CubicTo(cx + side * 10.6f, 41.0f, cx + side * 10.4f, 38.0f, cx + side * 11.8f, 34.4f);
        c.Fill(fold, Mix(robe, kInk, 0.35f));
    }
    // Collar and the gold band down the front.
    Path collarPath(t);
    collarPath.MoveTo(cx - 3.6f, 30.3f);
    collarPath.CubicTo(cx - 7, 31.2f, cx - 11, 31.8f, cx - 12.6f, 33.6f);
    collarPath.CubicTo(cx - 9, 35.8f, cx - 4, 35.8f, cx, 35.0f);
    collarPath.CubicTo(cx + 4, 35.8f, cx + 9, 35.8f, cx + 12.6f, 33.6f);
    collarPath.CubicTo(cx + 11, 31.8f, cx + 7, 31.2f, cx + 3.6f, 30.3f);
    c.Fill(collarPath, collar);
    Rect(c, t, cx - 2.2f, 35.0f, 4.4f, 9.0f, kGold);
    for (int i = 0; i < 3; ++i)
    {
        Path d(t);
        float y = 37.0f + i * 2.6f;
        d.MoveTo(cx, y - 0.9f);
        d.LineTo(cx + 0.9f, y);
        d.LineTo(cx, y + 0.9f);
        d.LineTo(cx - 0.9f, y);
        c.Fill(d, robe);
    }
    // Hem pattern along the shoulders.
    for (int i = -3; i <= 3; ++i)
    {
        if (i == 0)
        {
            continue;
        }
        Ellipse(c, t, cx + i * 4.2f, 41.8f, 0.75f, 0.75f, kGold);
    }

    // Hair behind the head.
    if (rank == 12)
    {
        Path locks(t);
        locks.MoveTo(cx, 18.6f);
        locks.CubicTo(cx + 6.2f, 18.6f, cx + 7.4f, 24.0f, cx + 7.0f, 31.6f);
        locks.LineTo(cx - 7.0f, 31.6f);
        locks.CubicTo(cx - 7.4f, 24.0f, cx - 6.2f, 18.6f, cx, 18.6f);
        c.Fill(locks, hair);
    }
    // Head with an ink outline.
    Ellipse(c, t, cx, 25.2f, 4.95f, 5.95f, kInk);
    Ellipse(c, t, cx, 25.2f, 4.6f, 5.6f, kSkin);
    if (rank == 13)
    {
        // Beard and moustache.
        Path beard(t);
        beard.MoveTo(cx - 4.4f, 25.5f);
        beard.CubicTo(cx - 4.4f, 31.5f, cx - 1.5f, 33.2f, cx, 33.4f);
        beard.CubicTo(cx + 1.5f, 33.2f, cx + 4.4f, 31.5f, cx + 4.4f, 25.5f);
        beard.CubicTo(cx + 3.0f, 28.6f, cx - 3.0f, 28.6f, cx - 4.4f, 25.5f);
        c.Fill(beard, hair);
        Ellipse(c, t, cx - 1.2f, 27.6f, 1.6f, 0.55f, hair);
        Ellipse(c, t, cx + 1.2f, 27.6f, 1.6f, 0.55f, hair);
    }
    else if (rank == 11)
    {
        Path fringe(t);
        fringe.MoveTo(cx - 4.7f, 24.0f);
        fringe.CubicTo(cx - 4.5f, 18.8f, cx + 4.5f, 18.8f, cx + 4.7f, 24.0f);
        fringe.CubicTo(cx + 2.0f, 22.0f, cx - 2.0f, 22.0f, cx - 4.7f, 24.0f);
        c.Fill(fringe, hair);
    }
    // Face.
    Ellipse(c, t, cx - 1.75f, 24.6f, 0.55f, 0.38f, kInk);
    Ellipse(c, t, cx + 1.75f, 24.6f, 0.55f, 0.38f, kInk);
    Line(c, t, cx - 2.6f, 23.4f, cx - 1.0f, 23.2f, 0.25f, kInk);
    Line(c, t, cx + 1.0f, 23.2f, cx + 2.6f, 23.4f, 0.25f, kInk);
    Line(c, t, cx, 24.9f, cx - 0.3f, 26.6f, 0.22f, Rgb(0xB08060));
    if (rank != 13)
    {
        Ellipse(c, t, cx, 28.3f, 0.9f, 0.35f, Rgb(0xC0443F));
        Ellipse(c, t, cx - 2.6f, 26.8f, 0.8f, 0.5f, Rgb(0xF0A99A, 0.6f));
        Ellipse(c, t, cx + 2.6f, 26.8f, 0.8f, 0.5f, Rgb(0xF0A99A, 0.6f));
    }

    // Headwear.
    if (rank == 13 || rank == 12)
    {
        const float top = rank == 13 ? 13.4f : 15.2f;
        const int points = rank == 13 ? 5 : 3;
        const float half = rank == 13 ? 5.2f : 4.2f;
        Path crown(t);
        crown.MoveTo(cx - half, 20.4f);
        crown.LineTo(cx - half, 17.0f);
        for (int i = 0; i < points; ++i)
        {
            float x0 = cx - half + 2 * half * i / points;
            float x1 = cx - half + 2 * half * (i + 1) / points;
            crown.LineTo((x0 + x1) * 0.5f, top);
            crown.LineTo(x1, 17.0f);
        }
        crown.LineTo(cx + half, 20.4f);
        c.Fill(crown, kGold);
        Rect(c, t, cx - half, 18.6f, 2 * half, 0.5f, kDarkGold);
        for (int i = 0; i < points; ++i)
        {
            float x = cx - half + 2 * half * (i + 0.5f) / points;
            Ellipse(c, t, x, top, 0.6f, 0.6f, kGold);
            Ellipse(c, t, x, 19.5f, 0.45f, 0.45f, i % 2 ? kBlue : kCourtRed);
        }
    }
    else
    {
        // The jack's cap with a feather.
        Path cap(t);
        cap.MoveTo(cx - 5.6f, 21.0f);
        cap.CubicTo(cx - 5.0f, 15.6f, cx + 5.0f, 15.0f, cx + 6.0f, 20.6f);
        cap.LineTo(cx - 5.6f, 21.0f);
        c.Fill(cap, kCourtRed);
        Rect(c, t, cx - 5.8f, 20.0f, 11.8f, 1.1f, kGold);
        Path feather(t);
        feather.MoveTo(cx + 3.0f, 17.2f);
        feather.CubicTo(cx + 7.0f, 12.0f, cx + 10.0f, 12.5f, cx + 12.0f, 13.2f);
        feather.CubicTo(cx + 9.0f, 14.4f, cx + 6.5f, 16.0f, cx + 3.8f, 18.4f);
        c.Fill(feather, kBlue);
    }

    // A prop on the right: sceptre (king), rose (queen), halberd (jack).
    const float px = cx + 12.8f;
    if (rank == 13)
    {
        Line(c, t, px, 16.0f, px, 40.0f, 0.9f, kDarkGold);
        Ellipse(c, t, px, 15.2f, 1.4f, 1.4f, kGold);
        c.Fill(Star(t, px, 12.6f, 1.4f, 0.5f, 4), kGold);
    }
    else if (rank == 12)
    {
        Line(c, t, px, 19.0f, px - 1.0f, 36.0f, 0.45f, kGreen);
        for (int i = 0; i < 6; ++i)
        {
            float a = i * kPi / 3;
            Ellipse(c, t, px + 1.3f * std::cos(a), 18.0f + 1.3f * std::sin(a), 1.0f, 1.0f,
                    kCourtRed);
        }
        Ellipse(c, t, px, 18.0f, 0.9f, 0.9f, kGold);
    }
    else
    {
        Line(c, t, px, 13.0f, px, 40.0f, 0.7f, Rgb(0x7A5230));
        Path blade(t);
        blade.MoveTo(px, 14.0f);
        blade.CubicTo(px + 3.5f, 14.5f, px + 3.8f, 18.0f, px + 3.0f, 20.0f);
        blade.LineTo(px, 18.5f);
        c.Fill(blade, Rgb(0x9AA3AD));
        c.Fill(Star(t, px, 12.4f, 1.2f, 0.4f, 4), Rgb(0x9AA3AD));
    }

    // Suit emblem on the chest and next to the head.
    Ellipse(c, t, cx - 8.0f, 40.0f, 2.6f, 2.6f, kGold);
    Ellipse(c, t, cx - 8.0f, 40.0f, 2.1f, 2.1f, kPaper);
    Pip(c, t, card.suit, cx - 8.0f, 40.0f, 3.0f);
    Pip(c, t, card.suit, cx - 12.6f, 15.6f, 5.6f);
}

void CardPainter::PaintCourt(Canvas& c, const TAffine_s& t, const TCard_s& card) const
{
    const float x = 12.8f, y = 9.6f, w = kCardW - 2 * x, h = kCardH - 2 * y;
    Rect(c, t, x, y, w, h, kCream);
    // Upper figure, then the same turned about the card's centre.
    Canvas figure(c.Width(), c.Height());
    PaintFigureHalf(figure, t, card);
    TAffine_s turned = t.Then(TAffine_s::Translate(kCardW, kCardH)).Then(TAffine_s::Rotate(kPi));
    PaintFigureHalf(figure, turned, card);
    // Keep the figure inside the frame.
    Path inside(t);
    inside.AddRect(x, y, w, h);
    CoverageMask clip = CoverageMask::Fill(inside, c.Width(), c.Height());
    for (int py = 0; py < c.Height(); ++py)
    {
        for (int px = 0; px < c.Width(); ++px)
        {
            float k = clip.At(px, py);
            TColor_s s = figure.At(px, py);
            TColor_s& d = c.At(px, py);
            d.r = s.r * k + d.r * (1 - s.a * k);
            d.g = s.g * k + d.g * (1 - s.a * k);
            d.b = s.b * k + d.b * (1 - s.a * k);
            d.a = s.a * k + d.a * (1 - s.a * k);
        }
    }
    Line(c, t, x, kCardH * 0.5f, x + w, kCardH * 0.5f, 0.35f, SuitColor(card.suit));
    Frame(c, t, x, y, w, h, 0.0f, 0.45f, SuitColor(card.suit));
}

Canvas CardPainter::PaintFace(const TCard_s& card, int width, int height) const
{
    Canvas c(width, height, kPaper);
    const TAffine_s t = TAffine_s::Scale(width / kCardW, height / kCardH);
    if (card.rank == 1)
    {
        PaintAce(c, t, card);
    }
    else if (card.rank >= 11)
    {
        PaintCourt(c, t, card);
    }
    else
    {
        PaintPips(c, t, card);
    }
    PaintIndex(c, t, card);
    PaintIndex(c, t.Then(TAffine_s::Translate(kCardW, kCardH)).Then(TAffine_s::Rotate(kPi)), card);
    return c;
}

Canvas CardPainter::PaintBack(int width, int height) const
{
    Canvas c(width, height, kPaper);
    const TAffine_s t = TAffine_s::Scale(width / kCardW, height / kCardH);
    const TColor_s field = Rgb(0x1E2C5E), deep = Rgb(0x141D42), line = Rgb(0xC9A552);
    const float m = 3.6f;
    Path fieldPath(t);
    fieldPath.AddRoundedRect(m, m, kCardW - 2 * m, kCardH - 2 * m, 2.4f);
    CoverageMask fieldMask = CoverageMask::Fill(fieldPath, width, height);

    // Diamond lattice, exactly periodic in pixels so that it packs small: lines along both
    // diagonals of a p × q pixel cell, where x/p ± y/q is an odd integer.
    const int p = std::max(8, width / 32);
    const int q = std::max(8, height / 32);
    const int period = 2 * p * q;
    const float toPixels = (float)period / std::sqrt((float)(p * p + q * q));
    // Lines of about 2.4 pixels with a soft glow at full size: crisp when the card is shown
    // large, and low in contrast where the card is small, so the pattern does not shimmer.
    const float unit = width / 1024.0f;
    const float halfWidth = std::max(0.6f, 1.2f * unit);
    c.Paint(fieldMask,
            [&](float fx, float fy)
            {
                const int x = (int)fx, y = (int)fy;
                const int a = ((x * q + y * p) % period + period) % period;
                const int b = ((x * q - y * p) % period + period) % period;
                // Distance to the nearest line of each family, in pixels.
                const float da = std::fabs((float)a / period - 0.5f) * toPixels;
                const float db = std::fabs((float)b / period - 0.5f) * toPixels;
                const float d = std::min(da, db);
                const float glow = std::exp(-(d * d) / (9.0f * unit * unit));
                const float ink =
                    0.75f * std::clamp(halfWidth + 0.5f - d, 0.0f, 1.0f) + 0.25f * glow;
                const float depth = std::min(da, db) / (0.25f * toPixels);
                const TColor_s base = Mix(field, deep, 0.45f * std::min(depth, 1.0f));
                return Mix(base, Mix(field, line, 0.55f), ink);
            });

    // Frames.
    Frame(c, t, m + 1.6f, m + 1.6f, kCardW - 2 * m - 3.2f, kCardH - 2 * m - 3.2f, 1.6f, 0.5f, line);
    Frame(c, t, m + 2.6f, m + 2.6f, kCardW - 2 * m - 5.2f, kCardH - 2 * m - 5.2f, 1.2f, 0.2f, line);

    // Central medallion: a ring, a crescent and a compass star.
    const float cx = kCardW * 0.5f, cy = kCardH * 0.5f;
    Ellipse(c, t, cx, cy, 13.0f, 13.0f, deep);
    Frame(c, t, cx - 13.0f, cy - 13.0f, 26.0f, 26.0f, 13.0f, 0.55f, line);
    Frame(c, t, cx - 11.8f, cy - 11.8f, 23.6f, 23.6f, 11.8f, 0.2f, line);
    for (int i = 0; i < 24; ++i)
    {
        float a = i * kPi / 12;
        Ellipse(c, t, cx + 12.4f * std::cos(a), cy + 12.4f * std::sin(a), 0.28f, 0.28f, line);
    }
    c.Fill(Star(t, cx, cy, 10.0f, 2.0f, 4), Mix(line, Rgb(0xFFF2C8), 0.3f));
    c.Fill(Star(t, cx, cy, 6.2f, 1.5f, 4, kPi / 4), line);
    Ellipse(c, t, cx, cy, 2.2f, 2.2f, deep);
    Ellipse(c, t, cx, cy, 1.3f, 1.3f, Rgb(0xFFF2C8));
    // Small stars in the corners of the inner frame.
    const float sx = m + 6.5f, sy = m + 6.5f;
    const float corners[4][2] = {
        {sx, sy}, {kCardW - sx, sy}, {sx, kCardH - sy}, {kCardW - sx, kCardH - sy}};
    for (const auto& k : corners)
    {
        Ellipse(c, t, k[0], k[1], 2.2f, 2.2f, deep);
        c.Fill(Star(t, k[0], k[1], 2.0f, 0.55f, 4), line);
    }
    return c;
}

TImage_s CardPainter::Combine(const Canvas& face, const Canvas& back)
{
    TImage_s f = face.ToImage(), b = back.ToImage();
    TImage_s img;
    img.width = f.width + b.width;
    img.height = f.height;
    img.rgba.resize((size_t)img.width * img.height * 4);
    for (int y = 0; y < img.height; ++y)
    {
        uint8_t* row = &img.rgba[(size_t)y * img.width * 4];
        std::copy(&f.rgba[(size_t)y * f.width * 4], &f.rgba[(size_t)(y + 1) * f.width * 4], row);
        std::copy(&b.rgba[(size_t)y * b.width * 4], &b.rgba[(size_t)(y + 1) * b.width * 4],
                  row + (size_t)f.width * 4);
    }
    return img;
}
