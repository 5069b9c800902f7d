// ButtonPainter: rounded, softly lit button faces drawn with Cairo.
#include "ButtonPainter.h"

#include <utility>
#include <vector>

#include "krCairoShapes.h"

namespace
{
TColor_s Shade(const TColor_s& c, float amount)
{
    // amount > 0 lightens towards white, < 0 darkens towards black.
    return amount >= 0 ? Mix(c, {1, 1, 1, c.a}, amount) : Mix(c, {0, 0, 0, c.a}, -amount);
}

// Cairo's source becomes a vertical gradient from y0 to y1 (held beyond both ends).
void Gradient(cairo_t* cr, float y0, float y1, const std::vector<std::pair<float, TColor_s>>& stops)
{
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
    for (const auto& stop : stops)
    {
        AddStop(pattern, stop.first, stop.second);
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}
} // namespace

TImage_s PaintButton(const TColor_s& base, TButtonFace face, int width, int height)
{
    const float w = (float)width, h = (float)height;
    const float radius = h * 0.24f;
    TColor_s body = base;
    if (face == bfActive)
    {
        body = Shade(base, 0.2f);
    }
    else if (face == bfPushed)
    {
        body = Shade(base, -0.22f);
    }
    Canvas c(width, height);
    cairo_t* cr = c.Cr();

    // Rim.
    krRoundedRect(cr, 0.5f, 0.5f, w - 1.0f, h - 1.0f, radius);
    SetSource(cr, Shade(body, -0.45f));
    cairo_fill(cr);

    // Body with a vertical gradient: light on top at rest, dark on top when pressed.
    auto inner = [&] { krRoundedRect(cr, 1.5f, 1.5f, w - 3.0f, h - 3.0f, radius - 1.0f); };
    const TColor_s top = face == bfPushed ? Shade(body, -0.2f) : Shade(body, 0.16f);
    const TColor_s bottom = face == bfPushed ? Shade(body, 0.06f) : Shade(body, -0.18f);
    Gradient(cr, 0, h, {{0, top}, {1, bottom}});
    inner();
    cairo_fill(cr);

    if (face == bfPushed)
    {
        // Inner shadow along the top edge, fading with the square of the distance.
        std::vector<std::pair<float, TColor_s>> stops;
        for (int i = 0; i <= 8; ++i)
        {
            const float k = 1.0f - i / 8.0f;
            stops.push_back({i / 8.0f, TColor_s{0, 0, 0, 0.35f * k * k}});
        }
        Gradient(cr, 1.5f, 1.5f + h * 0.22f, stops);
        inner();
        cairo_fill(cr);
    }
    else
    {
        // Gloss over the upper half and a thin light line under the rim.
        const float gloss = face == bfActive ? 0.30f : 0.22f;
        Gradient(cr, 2.0f, 2.0f + h * 0.46f, {{0, {1, 1, 1, gloss}}, {1, {1, 1, 1, 0}}});
        krRoundedRect(cr, 2.5f, 2.0f, w - 5.0f, h * 0.46f, radius - 1.5f);
        cairo_fill(cr);
        krRoundedRect(cr, 3.0f, 1.6f, w - 6.0f, 1.0f, 0.5f);
        SetSource(cr, TColor_s{1, 1, 1, 0.35f});
        cairo_fill(cr);
    }
    return c.ToImage(Shade(body, -0.45f));
}
