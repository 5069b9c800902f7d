// ButtonPainter: rounded, softly lit button faces.
#include "ButtonPainter.h"

#include <algorithm>

namespace
{
TColor_s Shade(const TColor_s& c, float amount)
{
    // amount > 0 lightens towards white, < 0 darkens towards black.
    return amount >= 0 ? Mix(c, {1, 1, 1, c.a}, amount) : Mix(c, {0, 0, 0, c.a}, -amount);
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

    // Rim.
    Path rim;
    rim.AddRoundedRect(0.5f, 0.5f, w - 1.0f, h - 1.0f, radius);
    c.Fill(rim, Shade(body, -0.45f));

    // Body with a vertical gradient: light on top at rest, dark on top when pressed.
    Path inner;
    inner.AddRoundedRect(1.5f, 1.5f, w - 3.0f, h - 3.0f, radius - 1.0f);
    const TColor_s top = face == bfPushed ? Shade(body, -0.2f) : Shade(body, 0.16f);
    const TColor_s bottom = face == bfPushed ? Shade(body, 0.06f) : Shade(body, -0.18f);
    c.Fill(inner, [&](float, float y) { return Mix(top, bottom, std::clamp(y / h, 0.0f, 1.0f)); });

    if (face == bfPushed)
    {
        // Inner shadow along the top edge.
        c.Fill(inner,
               [&](float, float y)
               {
                   float k = std::clamp(1.0f - (y - 1.5f) / (h * 0.22f), 0.0f, 1.0f);
                   return TColor_s{0, 0, 0, 0.35f * k * k};
               });
    }
    else
    {
        // Gloss over the upper half and a thin light line under the rim.
        Path gloss;
        gloss.AddRoundedRect(2.5f, 2.0f, w - 5.0f, h * 0.46f, radius - 1.5f);
        c.Fill(gloss,
               [&](float, float y)
               {
                   float k = std::clamp(1.0f - (y - 2.0f) / (h * 0.46f), 0.0f, 1.0f);
                   return TColor_s{1, 1, 1, (face == bfActive ? 0.30f : 0.22f) * k};
               });
        Path highlight;
        highlight.AddRoundedRect(3.0f, 1.6f, w - 6.0f, 1.0f, 0.5f);
        c.Fill(highlight, TColor_s{1, 1, 1, 0.35f});
    }
    return c.ToImage(Shade(body, -0.45f));
}
