// SuitShapes: hearts, diamonds, spades and clubs drawn with Bézier curves and circles.
#include "SuitShapes.h"

bool IsRedSuit(TSuit suit)
{
    return suit == suHearts || suit == suDiamonds;
}

namespace
{
Path Heart(const TAffine_s& t)
{
    Path p(t);
    p.MoveTo(0, 0.5f);
    p.CubicTo(-0.06f, 0.40f, -0.5f, 0.12f, -0.5f, -0.16f);
    p.CubicTo(-0.5f, -0.38f, -0.36f, -0.5f, -0.24f, -0.5f);
    p.CubicTo(-0.1f, -0.5f, -0.02f, -0.42f, 0, -0.29f);
    p.CubicTo(0.02f, -0.42f, 0.1f, -0.5f, 0.24f, -0.5f);
    p.CubicTo(0.36f, -0.5f, 0.5f, -0.38f, 0.5f, -0.16f);
    p.CubicTo(0.5f, 0.12f, 0.06f, 0.40f, 0, 0.5f);
    return p;
}

Path Diamond(const TAffine_s& t)
{
    Path p(t);
    p.MoveTo(0, -0.5f);
    p.QuadTo(0.17f, -0.23f, 0.39f, 0);
    p.QuadTo(0.17f, 0.23f, 0, 0.5f);
    p.QuadTo(-0.17f, 0.23f, -0.39f, 0);
    p.QuadTo(-0.17f, -0.23f, 0, -0.5f);
    return p;
}

Path Stem(const TAffine_s& t)
{
    Path p(t);
    p.MoveTo(-0.035f, 0.12f);
    p.LineTo(0.035f, 0.12f);
    p.QuadTo(0.04f, 0.42f, 0.21f, 0.5f);
    p.LineTo(-0.21f, 0.5f);
    p.QuadTo(-0.04f, 0.42f, -0.035f, 0.12f);
    return p;
}

Path SpadeBody(const TAffine_s& t)
{
    Path p(t);
    p.MoveTo(0, -0.5f);
    p.CubicTo(0.06f, -0.38f, 0.48f, -0.14f, 0.48f, 0.12f);
    p.CubicTo(0.48f, 0.3f, 0.36f, 0.38f, 0.24f, 0.38f);
    p.CubicTo(0.12f, 0.38f, 0.04f, 0.32f, 0, 0.22f);
    p.CubicTo(-0.04f, 0.32f, -0.12f, 0.38f, -0.24f, 0.38f);
    p.CubicTo(-0.36f, 0.38f, -0.48f, 0.3f, -0.48f, 0.12f);
    p.CubicTo(-0.48f, -0.14f, -0.06f, -0.38f, 0, -0.5f);
    return p;
}
} // namespace

std::vector<Path> SuitParts(TSuit suit, const TAffine_s& t)
{
    std::vector<Path> parts;
    switch (suit)
    {
        case suHearts:
            parts.push_back(Heart(t));
            break;
        case suDiamonds:
            parts.push_back(Diamond(t));
            break;
        case suSpades:
            parts.push_back(SpadeBody(t));
            parts.push_back(Stem(t));
            break;
        case suClubs:
        {
            Path circles(t);
            circles.AddEllipse(0, -0.25f, 0.235f, 0.235f);
            parts.push_back(circles);
            Path left(t);
            left.AddEllipse(-0.255f, 0.09f, 0.235f, 0.235f);
            parts.push_back(left);
            Path right(t);
            right.AddEllipse(0.255f, 0.09f, 0.235f, 0.235f);
            parts.push_back(right);
            Path centre(t);
            centre.MoveTo(0, -0.12f);
            centre.LineTo(0.14f, 0.12f);
            centre.LineTo(-0.14f, 0.12f);
            parts.push_back(centre);
            parts.push_back(Stem(t));
            break;
        }
    }
    return parts;
}
