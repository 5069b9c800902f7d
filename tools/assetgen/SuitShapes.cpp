// SuitShapes: hearts, diamonds, spades and clubs drawn with Bézier curves and circles.
#include "SuitShapes.h"

#include "krCairoShapes.h"

bool IsRedSuit(TSuit suit)
{
    return suit == suHearts || suit == suDiamonds;
}

namespace
{
void Heart(cairo_t* cr)
{
    cairo_move_to(cr, 0, 0.5f);
    cairo_curve_to(cr, -0.06f, 0.40f, -0.5f, 0.12f, -0.5f, -0.16f);
    cairo_curve_to(cr, -0.5f, -0.38f, -0.36f, -0.5f, -0.24f, -0.5f);
    cairo_curve_to(cr, -0.1f, -0.5f, -0.02f, -0.42f, 0, -0.29f);
    cairo_curve_to(cr, 0.02f, -0.42f, 0.1f, -0.5f, 0.24f, -0.5f);
    cairo_curve_to(cr, 0.36f, -0.5f, 0.5f, -0.38f, 0.5f, -0.16f);
    cairo_curve_to(cr, 0.5f, 0.12f, 0.06f, 0.40f, 0, 0.5f);
}

void Diamond(cairo_t* cr)
{
    cairo_move_to(cr, 0, -0.5f);
    krQuadTo(cr, 0.17f, -0.23f, 0.39f, 0);
    krQuadTo(cr, 0.17f, 0.23f, 0, 0.5f);
    krQuadTo(cr, -0.17f, 0.23f, -0.39f, 0);
    krQuadTo(cr, -0.17f, -0.23f, 0, -0.5f);
}

void Stem(cairo_t* cr)
{
    cairo_move_to(cr, -0.035f, 0.12f);
    cairo_line_to(cr, 0.035f, 0.12f);
    krQuadTo(cr, 0.04f, 0.42f, 0.21f, 0.5f);
    cairo_line_to(cr, -0.21f, 0.5f);
    krQuadTo(cr, -0.04f, 0.42f, -0.035f, 0.12f);
}

void SpadeBody(cairo_t* cr)
{
    cairo_move_to(cr, 0, -0.5f);
    cairo_curve_to(cr, 0.06f, -0.38f, 0.48f, -0.14f, 0.48f, 0.12f);
    cairo_curve_to(cr, 0.48f, 0.3f, 0.36f, 0.38f, 0.24f, 0.38f);
    cairo_curve_to(cr, 0.12f, 0.38f, 0.04f, 0.32f, 0, 0.22f);
    cairo_curve_to(cr, -0.04f, 0.32f, -0.12f, 0.38f, -0.24f, 0.38f);
    cairo_curve_to(cr, -0.36f, 0.38f, -0.48f, 0.3f, -0.48f, 0.12f);
    cairo_curve_to(cr, -0.48f, -0.14f, -0.06f, -0.38f, 0, -0.5f);
}
} // namespace

void FillSuit(cairo_t* cr, TSuit suit)
{
    switch (suit)
    {
        case suHearts:
            Heart(cr);
            cairo_fill(cr);
            break;
        case suDiamonds:
            Diamond(cr);
            cairo_fill(cr);
            break;
        case suSpades:
            SpadeBody(cr);
            cairo_fill(cr);
            Stem(cr);
            cairo_fill(cr);
            break;
        case suClubs:
            krEllipse(cr, 0, -0.25f, 0.235f, 0.235f);
            cairo_fill(cr);
            krEllipse(cr, -0.255f, 0.09f, 0.235f, 0.235f);
            cairo_fill(cr);
            krEllipse(cr, 0.255f, 0.09f, 0.235f, 0.235f);
            cairo_fill(cr);
            cairo_move_to(cr, 0, -0.12f);
            cairo_line_to(cr, 0.14f, 0.12f);
            cairo_line_to(cr, -0.14f, 0.12f);
            cairo_fill(cr);
            Stem(cr);
            cairo_fill(cr);
            break;
    }
}
