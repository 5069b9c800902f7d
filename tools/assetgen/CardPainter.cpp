// CardPainter: faces and back of the playing cards, designed in millimetres on a 63 × 88 card
// (y down): the user space of the Cairo context, scaled onto the picture's pixels.
#include "CardPainter.h"

#include <algorithm>
#include <cmath>

#include "krCairoShapes.h"

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
// The four-colour deck's diamonds and clubs: a clear blue and green, far from red and black
// in lightness as well as hue.
const TColor_s kDiamondBlue = Rgb(0x1C5BD6);
const TColor_s kClubGreen = Rgb(0x15963A);

TColor_s SuitColor(TSuit s, TSuitColours colours)
{
    if (colours == scFourColours && s == suDiamonds)
    {
        return kDiamondBlue;
    }
    if (colours == scFourColours && s == suClubs)
    {
        return kClubGreen;
    }
    return IsRedSuit(s) ? kRed : kBlack;
}

void Fill(cairo_t* cr, const TColor_s& color)
{
    SetSource(cr, color);
    cairo_fill(cr);
}

void Pip(cairo_t* cr, TSuit suit, TSuitColours colours, float x, float y, float size,
         bool inverted = false)
{
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, size, size);
    if (inverted)
    {
        cairo_rotate(cr, kPi);
    }
    SetSource(cr, SuitColor(suit, colours));
    FillSuit(cr, suit);
    cairo_restore(cr);
}

void Ellipse(cairo_t* cr, float cx, float cy, float rx, float ry, const TColor_s& color)
{
    krEllipse(cr, cx, cy, rx, ry);
    Fill(cr, color);
}

void Rect(cairo_t* cr, float x, float y, float w, float h, const TColor_s& color)
{
    cairo_rectangle(cr, x, y, w, h);
    Fill(cr, color);
}

void Line(cairo_t* cr, float x0, float y0, float x1, float y1, float width, const TColor_s& color)
{
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetSource(cr, color);
    cairo_stroke(cr);
}

// A frame line of `width` inside the edge of a rounded rectangle.
void Frame(cairo_t* cr, float x, float y, float w, float h, float r, float width,
           const TColor_s& color)
{
    krRoundedRect(cr, x, y, w, h, r);
    krRoundedRect(cr, x + width, y + width, w - 2 * width, h - 2 * width,
                  std::max(r - width, 0.0f));
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    Fill(cr, color);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// An n-pointed star of outer radius ro and inner radius ri.
void Star(cairo_t* cr, const TColor_s& color, float cx, float cy, float ro, float ri, int points,
          float turn = 0)
{
    cairo_new_sub_path(cr);
    for (int i = 0; i < 2 * points; ++i)
    {
        float a = turn - kPi / 2 + i * kPi / points;
        float r = (i % 2 == 0) ? ro : ri;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
    Fill(cr, color);
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

void CardPainter::PaintIndex(cairo_t* cr, const TCard_s& card) const
{
    const std::u32string text = ToU32(RankName(card.rank));
    const float capH = 6.6f;
    const float size = capH / font.CapHeight();
    const float condense = text.size() > 1 ? 0.78f : 1.0f;
    const float width = font.TextWidth(text, size) * condense;
    const float cx = 6.6f, baseline = 4.4f + capH;
    cairo_save(cr);
    cairo_translate(cr, cx - width * 0.5f, baseline);
    cairo_scale(cr, condense, 1.0f);
    font.AppendText(cr, text, 0, 0, size);
    cairo_restore(cr);
    Fill(cr, SuitColor(card.suit, colours));
    Pip(cr, card.suit, colours, cx, baseline + 5.0f, 5.0f);
}

void CardPainter::PaintPips(cairo_t* cr, const TCard_s& card) const
{
    const float size = card.rank >= 9 ? 9.4f : 10.6f;
    const float cx = kCardW * 0.5f, cy = kCardH * 0.5f;
    const float dx = 12.4f, dy = 26.5f;
    for (const TPip_s& pip : PipLayout(card.rank))
    {
        Pip(cr, card.suit, colours, cx + pip.col * dx, cy + pip.row * dy, size, pip.row > 0.01f);
    }
}

void CardPainter::PaintAce(cairo_t* cr, const TCard_s& card) const
{
    const float cx = kCardW * 0.5f, cy = kCardH * 0.5f;
    if (card.suit == suSpades)
    {
        // The ace of spades gets its traditional ornate treatment.
        Frame(cr, cx - 17, cy - 17, 34, 34, 17, 0.45f, kBlack);
        Frame(cr, cx - 15.6f, cy - 15.6f, 31.2f, 31.2f, 15.6f, 0.25f, kBlack);
        for (int i = 0; i < 8; ++i)
        {
            float a = i * kPi / 4 + kPi / 8;
            Star(cr, kBlack, cx + 16.3f * std::cos(a), cy + 16.3f * std::sin(a), 1.3f, 0.5f, 4);
        }
        Pip(cr, suSpades, colours, cx, cy, 24.0f);
        Star(cr, kPaper, cx, cy - 2.0f, 2.2f, 0.9f, 4);
    }
    else
    {
        Pip(cr, card.suit, colours, cx, cy, 17.0f);
    }
}

void CardPainter::PaintFigureHalf(cairo_t* cr, const TCard_s& card) const
{
    const float cx = kCardW * 0.5f;
    const int rank = card.rank;
    const TColor_s robe = rank == 13 ? kCourtRed : (rank == 12 ? kBlue : kGreen);
    const TColor_s collar = rank == 13 ? kBlue : kCourtRed;
    const TColor_s hair = rank == 13 ? Rgb(0xD9D2C5) : (rank == 12 ? Rgb(0xE2AE45) : Rgb(0x6B4226));

    // Robe: from the neck over the shoulders down to the middle line.
    cairo_move_to(cr, cx - 3.4f, 30.5f);
    cairo_curve_to(cr, cx - 7, 31.4f, cx - 12.6f, 31.8f, cx - 14.4f, 35.6f);
    cairo_line_to(cr, cx - 15.4f, 44.0f);
    cairo_line_to(cr, cx + 15.4f, 44.0f);
    cairo_line_to(cr, cx + 14.4f, 35.6f);
    cairo_curve_to(cr, cx + 12.6f, 31.8f, cx + 7, 31.4f, cx + 3.4f, 30.5f);
    Fill(cr, robe);
    // Sleeves: a darker fold from each shoulder down to the middle line.
    for (float side : {-1.0f, 1.0f})
    {
        cairo_move_to(cr, cx + side * 11.0f, 34.0f);
        cairo_curve_to(cr, cx + side * 9.5f, 38.0f, cx + side * 9.8f, 41.0f, cx + side * 10.6f,
                       44.0f);
        cairo_line_to(cr, cx + side * 11.4f, 44.0f);
        cairo_curve_to(cr, cx + side * 10.6f, 41.0f, cx + side * 10.4f, 38.0f, cx + side * 11.8f,
                       34.4f);
        Fill(cr, Mix(robe, kInk, 0.35f));
    }
    // Collar and the gold band down the front.
    cairo_move_to(cr, cx - 3.6f, 30.3f);
    cairo_curve_to(cr, cx - 7, 31.2f, cx - 11, 31.8f, cx - 12.6f, 33.6f);
    cairo_curve_to(cr, cx - 9, 35.8f, cx - 4, 35.8f, cx, 35.0f);
    cairo_curve_to(cr, cx + 4, 35.8f, cx + 9, 35.8f, cx + 12.6f, 33.6f);
    cairo_curve_to(cr, cx + 11, 31.8f, cx + 7, 31.2f, cx + 3.6f, 30.3f);
    Fill(cr, collar);
    Rect(cr, cx - 2.2f, 35.0f, 4.4f, 9.0f, kGold);
    for (int i = 0; i < 3; ++i)
    {
        float y = 37.0f + i * 2.6f;
        cairo_move_to(cr, cx, y - 0.9f);
        cairo_line_to(cr, cx + 0.9f, y);
        cairo_line_to(cr, cx, y + 0.9f);
        cairo_line_to(cr, cx - 0.9f, y);
        Fill(cr, robe);
    }
    // Hem pattern along the shoulders.
    for (int i = -3; i <= 3; ++i)
    {
        if (i == 0)
        {
            continue;
        }
        Ellipse(cr, cx + i * 4.2f, 41.8f, 0.75f, 0.75f, kGold);
    }

    // Hair behind the head.
    if (rank == 12)
    {
        cairo_move_to(cr, cx, 18.6f);
        cairo_curve_to(cr, cx + 6.2f, 18.6f, cx + 7.4f, 24.0f, cx + 7.0f, 31.6f);
        cairo_line_to(cr, cx - 7.0f, 31.6f);
        cairo_curve_to(cr, cx - 7.4f, 24.0f, cx - 6.2f, 18.6f, cx, 18.6f);
        Fill(cr, hair);
    }
    // Head with an ink outline.
    Ellipse(cr, cx, 25.2f, 4.95f, 5.95f, kInk);
    Ellipse(cr, cx, 25.2f, 4.6f, 5.6f, kSkin);
    if (rank == 13)
    {
        // Beard and moustache.
        cairo_move_to(cr, cx - 4.4f, 25.5f);
        cairo_curve_to(cr, cx - 4.4f, 31.5f, cx - 1.5f, 33.2f, cx, 33.4f);
        cairo_curve_to(cr, cx + 1.5f, 33.2f, cx + 4.4f, 31.5f, cx + 4.4f, 25.5f);
        cairo_curve_to(cr, cx + 3.0f, 28.6f, cx - 3.0f, 28.6f, cx - 4.4f, 25.5f);
        Fill(cr, hair);
        Ellipse(cr, cx - 1.2f, 27.6f, 1.6f, 0.55f, hair);
        Ellipse(cr, cx + 1.2f, 27.6f, 1.6f, 0.55f, hair);
    }
    else if (rank == 11)
    {
        cairo_move_to(cr, cx - 4.7f, 24.0f);
        cairo_curve_to(cr, cx - 4.5f, 18.8f, cx + 4.5f, 18.8f, cx + 4.7f, 24.0f);
        cairo_curve_to(cr, cx + 2.0f, 22.0f, cx - 2.0f, 22.0f, cx - 4.7f, 24.0f);
        Fill(cr, hair);
    }
    // Face.
    Ellipse(cr, cx - 1.75f, 24.6f, 0.55f, 0.38f, kInk);
    Ellipse(cr, cx + 1.75f, 24.6f, 0.55f, 0.38f, kInk);
    Line(cr, cx - 2.6f, 23.4f, cx - 1.0f, 23.2f, 0.25f, kInk);
    Line(cr, cx + 1.0f, 23.2f, cx + 2.6f, 23.4f, 0.25f, kInk);
    Line(cr, cx, 24.9f, cx - 0.3f, 26.6f, 0.22f, Rgb(0xB08060));
    if (rank != 13)
    {
        Ellipse(cr, cx, 28.3f, 0.9f, 0.35f, Rgb(0xC0443F));
        Ellipse(cr, cx - 2.6f, 26.8f, 0.8f, 0.5f, Rgb(0xF0A99A, 0.6f));
        Ellipse(cr, cx + 2.6f, 26.8f, 0.8f, 0.5f, Rgb(0xF0A99A, 0.6f));
    }

    // Headwear.
    if (rank == 13 || rank == 12)
    {
        const float top = rank == 13 ? 13.4f : 15.2f;
        const int points = rank == 13 ? 5 : 3;
        const float half = rank == 13 ? 5.2f : 4.2f;
        cairo_move_to(cr, cx - half, 20.4f);
        cairo_line_to(cr, cx - half, 17.0f);
        for (int i = 0; i < points; ++i)
        {
            float x0 = cx - half + 2 * half * i / points;
            float x1 = cx - half + 2 * half * (i + 1) / points;
            cairo_line_to(cr, (x0 + x1) * 0.5f, top);
            cairo_line_to(cr, x1, 17.0f);
        }
        cairo_line_to(cr, cx + half, 20.4f);
        Fill(cr, kGold);
        Rect(cr, cx - half, 18.6f, 2 * half, 0.5f, kDarkGold);
        for (int i = 0; i < points; ++i)
        {
            float x = cx - half + 2 * half * (i + 0.5f) / points;
            Ellipse(cr, x, top, 0.6f, 0.6f, kGold);
            Ellipse(cr, x, 19.5f, 0.45f, 0.45f, i % 2 ? kBlue : kCourtRed);
        }
    }
    else
    {
        // The jack's cap with a feather.
        cairo_move_to(cr, cx - 5.6f, 21.0f);
        cairo_curve_to(cr, cx - 5.0f, 15.6f, cx + 5.0f, 15.0f, cx + 6.0f, 20.6f);
        cairo_line_to(cr, cx - 5.6f, 21.0f);
        Fill(cr, kCourtRed);
        Rect(cr, cx - 5.8f, 20.0f, 11.8f, 1.1f, kGold);
        cairo_move_to(cr, cx + 3.0f, 17.2f);
        cairo_curve_to(cr, cx + 7.0f, 12.0f, cx + 10.0f, 12.5f, cx + 12.0f, 13.2f);
        cairo_curve_to(cr, cx + 9.0f, 14.4f, cx + 6.5f, 16.0f, cx + 3.8f, 18.4f);
        Fill(cr, kBlue);
    }

    // A prop on the right: sceptre (king), rose (queen), halberd (jack).
    const float px = cx + 12.8f;
    if (rank == 13)
    {
        Line(cr, px, 16.0f, px, 40.0f, 0.9f, kDarkGold);
        Ellipse(cr, px, 15.2f, 1.4f, 1.4f, kGold);
        Star(cr, kGold, px, 12.6f, 1.4f, 0.5f, 4);
    }
    else if (rank == 12)
    {
        Line(cr, px, 19.0f, px - 1.0f, 36.0f, 0.45f, kGreen);
        for (int i = 0; i < 6; ++i)
        {
            float a = i * kPi / 3;
            Ellipse(cr, px + 1.3f * std::cos(a), 18.0f + 1.3f * std::sin(a), 1.0f, 1.0f, kCourtRed);
        }
        Ellipse(cr, px, 18.0f, 0.9f, 0.9f, kGold);
    }
    else
    {
        Line(cr, px, 13.0f, px, 40.0f, 0.7f, Rgb(0x7A5230));
        cairo_move_to(cr, px, 14.0f);
        cairo_curve_to(cr, px + 3.5f, 14.5f, px + 3.8f, 18.0f, px + 3.0f, 20.0f);
        cairo_line_to(cr, px, 18.5f);
        Fill(cr, Rgb(0x9AA3AD));
        Star(cr, Rgb(0x9AA3AD), px, 12.4f, 1.2f, 0.4f, 4);
    }

    // Suit emblem on the chest and next to the head.
    Ellipse(cr, cx - 8.0f, 40.0f, 2.6f, 2.6f, kGold);
    Ellipse(cr, cx - 8.0f, 40.0f, 2.1f, 2.1f, kPaper);
    Pip(cr, card.suit, colours, cx - 8.0f, 40.0f, 3.0f);
    Pip(cr, card.suit, colours, cx - 12.6f, 15.6f, 5.6f);
}

void CardPainter::PaintCourt(cairo_t* cr, const TCard_s& card) const
{
    const float x = 12.8f, y = 9.6f, w = kCardW - 2 * x, h = kCardH - 2 * y;
    Rect(cr, x, y, w, h, kCream);
    // Upper figure, then the same turned about the card's centre, kept inside the frame.
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    PaintFigureHalf(cr, card);
    cairo_translate(cr, kCardW, kCardH);
    cairo_rotate(cr, kPi);
    PaintFigureHalf(cr, card);
    cairo_restore(cr);
    Line(cr, x, kCardH * 0.5f, x + w, kCardH * 0.5f, 0.35f, SuitColor(card.suit, colours));
    Frame(cr, x, y, w, h, 0.0f, 0.45f, SuitColor(card.suit, colours));
}

Canvas CardPainter::PaintFace(const TCard_s& card, int width, int height) const
{
    Canvas c(width, height, kPaper);
    cairo_t* cr = c.Cr();
    cairo_scale(cr, width / kCardW, height / kCardH);
    if (card.rank == 1)
    {
        PaintAce(cr, card);
    }
    else if (card.rank >= 11)
    {
        PaintCourt(cr, card);
    }
    else
    {
        PaintPips(cr, card);
    }
    PaintIndex(cr, card);
    cairo_translate(cr, kCardW, kCardH);
    cairo_rotate(cr, kPi);
    PaintIndex(cr, card);
    return c;
}

Canvas CardPainter::PaintBack(int width, int height) const
{
    Canvas c(width, height, kPaper);
    cairo_t* cr = c.Cr();
    const TColor_s field = Rgb(0x1E2C5E), deep = Rgb(0x141D42), line = Rgb(0xC9A552);
    const float m = 3.6f;

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
    // The lattice is worked out per pixel (no Cairo pattern draws it) into a picture that
    // is the source for filling the field.
    TImage_s lattice;
    lattice.rgba.resize((size_t)width * height * 4);
    const TColor_s lineInk = Mix(field, line, 0.55f);
    auto to8 = [](float v) { return (uint8_t)std::lround(std::clamp(v, 0.0f, 1.0f) * 255); };
    for (int y = 0; y < height; ++y)
    {
        for (int x = 0; x < width; ++x)
        {
            const int a = ((x * q + y * p) % period + period) % period;
            const int b = ((x * q - y * p) % period + period) % period;
            // Distance to the nearest line of each family, in pixels.
            const float da = std::fabs((float)a / period - 0.5f) * toPixels;
            const float db = std::fabs((float)b / period - 0.5f) * toPixels;
            const float d = std::min(da, db);
            const float glow = std::exp(-(d * d) / (9.0f * unit * unit));
            const float ink = 0.75f * std::clamp(halfWidth + 0.5f - d, 0.0f, 1.0f) + 0.25f * glow;
            const float depth = d / (0.25f * toPixels);
            const TColor_s base = Mix(field, deep, 0.45f * std::min(depth, 1.0f));
            const TColor_s colour = Mix(base, lineInk, ink);
            uint8_t* o = &lattice.rgba[((size_t)y * width + x) * 4];
            o[0] = to8(colour.r);
            o[1] = to8(colour.g);
            o[2] = to8(colour.b);
            o[3] = 255;
        }
    }
    krCairoSurfacePtr source =
        krSurfaceFromRGBA(lattice.rgba.data(), lattice.rgba.size(), width, height);
    cairo_save(cr);
    cairo_scale(cr, width / kCardW, height / kCardH);
    krRoundedRect(cr, m, m, kCardW - 2 * m, kCardH - 2 * m, 2.4f);
    cairo_restore(cr);
    cairo_set_source_surface(cr, source.get(), 0, 0);
    cairo_fill(cr);
    cairo_scale(cr, width / kCardW, height / kCardH);

    // Frames.
    Frame(cr, m + 1.6f, m + 1.6f, kCardW - 2 * m - 3.2f, kCardH - 2 * m - 3.2f, 1.6f, 0.5f, line);
    Frame(cr, m + 2.6f, m + 2.6f, kCardW - 2 * m - 5.2f, kCardH - 2 * m - 5.2f, 1.2f, 0.2f, line);

    // Central medallion: a ring, a crescent and a compass star.
    const float cx = kCardW * 0.5f, cy = kCardH * 0.5f;
    Ellipse(cr, cx, cy, 13.0f, 13.0f, deep);
    Frame(cr, cx - 13.0f, cy - 13.0f, 26.0f, 26.0f, 13.0f, 0.55f, line);
    Frame(cr, cx - 11.8f, cy - 11.8f, 23.6f, 23.6f, 11.8f, 0.2f, line);
    for (int i = 0; i < 24; ++i)
    {
        float a = i * kPi / 12;
        Ellipse(cr, cx + 12.4f * std::cos(a), cy + 12.4f * std::sin(a), 0.28f, 0.28f, line);
    }
    Star(cr, Mix(line, Rgb(0xFFF2C8), 0.3f), cx, cy, 10.0f, 2.0f, 4);
    Star(cr, line, cx, cy, 6.2f, 1.5f, 4, kPi / 4);
    Ellipse(cr, cx, cy, 2.2f, 2.2f, deep);
    Ellipse(cr, cx, cy, 1.3f, 1.3f, Rgb(0xFFF2C8));
    // Small stars in the corners of the inner frame.
    const float sx = m + 6.5f, sy = m + 6.5f;
    const float corners[4][2] = {
        {sx, sy}, {kCardW - sx, sy}, {sx, kCardH - sy}, {kCardW - sx, kCardH - sy}};
    for (const auto& k : corners)
    {
        Ellipse(cr, k[0], k[1], 2.2f, 2.2f, deep);
        Star(cr, line, k[0], k[1], 2.0f, 0.55f, 4);
    }
    return c;
}
