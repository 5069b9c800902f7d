// CardPainter: the card pictures. A card texture holds the face in its left half and the back
// in its right half, each half covering the whole 63 × 88 card (so both are stretched
// horizontally in the texture and look right on the card). Faces show the rank and suit in
// two corners and pips (2–10), one large pip (aces) or a double-headed court figure (J, Q, K)
// in the middle; hearts and diamonds in red, spades and clubs in black, or with four colours
// diamonds in blue and clubs in green.
#pragma once

#include "Canvas.h"
#include "FontFace.h"
#include "SuitShapes.h"

struct TCard_s
{
    int rank; // 1 = ace, 2..10, 11 = jack, 12 = queen, 13 = king
    TSuit suit;
};

class CardPainter
{
public:
    // `rankFont` draws the corner indices; `colours` inks the suits.
    explicit CardPainter(const FontFace& rankFont, TSuitColours colours = scTwoColours)
        : font(rankFont), colours(colours)
    {
    }

    // Face of `card` over a width × height picture.
    Canvas PaintFace(const TCard_s& card, int width, int height) const;
    // The back design over a width × height picture (the same for every card).
    Canvas PaintBack(int width, int height) const;

private:
    // Each draws in card millimetres: the user space of `cr`.
    void PaintIndex(cairo_t* cr, const TCard_s& card) const;
    void PaintPips(cairo_t* cr, const TCard_s& card) const;
    void PaintAce(cairo_t* cr, const TCard_s& card) const;
    void PaintCourt(cairo_t* cr, const TCard_s& card) const;
    void PaintFigureHalf(cairo_t* cr, const TCard_s& card) const;

    const FontFace& font;
    TSuitColours colours;
};

const char* RankName(int rank);
