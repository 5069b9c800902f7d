// Path: affine transforms, curve flattening and the basic closed shapes.
#include "Path.h"

#include <algorithm>
#include <cmath>

namespace
{
const float kPi = 3.14159265358979f;
const float kTolerance = 0.02f; // largest distance of a flattened curve from the true one, pixels

// Segments for a Bézier curve of `degree` whose largest second difference of control points
// is `m` pixels (Wang's bound).
int CurveSegments(int degree, float m)
{
    float n = std::sqrt(degree * (degree - 1) / 8.0f * m / kTolerance);
    return std::clamp((int)std::ceil(n), 1, 1000);
}

float SecondDifference(TPoint_s a, TPoint_s b, TPoint_s c)
{
    return std::hypot(a.x - 2 * b.x + c.x, a.y - 2 * b.y + c.y);
}
} // namespace

TAffine_s TAffine_s::Then(const TAffine_s& o) const
{
    TAffine_s r;
    r.a = a * o.a + c * o.b;
    r.b = b * o.a + d * o.b;
    r.c = a * o.c + c * o.d;
    r.d = b * o.c + d * o.d;
    r.e = a * o.e + c * o.f + e;
    r.f = b * o.e + d * o.f + f;
    return r;
}

TAffine_s TAffine_s::Translate(float x, float y)
{
    TAffine_s t;
    t.e = x;
    t.f = y;
    return t;
}

TAffine_s TAffine_s::Scale(float sx, float sy)
{
    TAffine_s t;
    t.a = sx;
    t.d = sy;
    return t;
}

TAffine_s TAffine_s::Rotate(float radians)
{
    TAffine_s t;
    t.a = std::cos(radians);
    t.b = std::sin(radians);
    t.c = -t.b;
    t.d = t.a;
    return t;
}

float TAffine_s::MeanScale() const
{
    return std::sqrt(std::fabs(a * d - b * c));
}

void Path::MoveTo(float x, float y)
{
    contours.emplace_back();
    contours.back().push_back(xf.Apply(x, y));
    current = {x, y};
}

void Path::LineTo(float x, float y)
{
    if (contours.empty())
    {
        MoveTo(current.x, current.y);
    }
    contours.back().push_back(xf.Apply(x, y));
    current = {x, y};
}

void Path::QuadTo(float cx, float cy, float x, float y)
{
    TPoint_s p0 = xf.Apply(current.x, current.y), p1 = xf.Apply(cx, cy), p2 = xf.Apply(x, y);
    int n = CurveSegments(2, SecondDifference(p0, p1, p2));
    if (contours.empty())
    {
        MoveTo(current.x, current.y);
    }
    for (int i = 1; i <= n; ++i)
    {
        float t = (float)i / n, u = 1 - t;
        contours.back().push_back({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
                                   u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
    }
    current = {x, y};
}

void Path::CubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y)
{
    TPoint_s p0 = xf.Apply(current.x, current.y), p1 = xf.Apply(c1x, c1y);
    TPoint_s p2 = xf.Apply(c2x, c2y), p3 = xf.Apply(x, y);
    int n = CurveSegments(3, std::max(SecondDifference(p0, p1, p2), SecondDifference(p1, p2, p3)));
    if (contours.empty())
    {
        MoveTo(current.x, current.y);
    }
    for (int i = 1; i <= n; ++i)
    {
        float t = (float)i / n, u = 1 - t;
        float w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
        contours.back().push_back({w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x,
                                   w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y});
    }
    current = {x, y};
}

void Path::Close()
{
    // Contours are always treated as closed; a new MoveTo starts the next one.
}

void Path::AddArc(float cx, float cy, float rx, float ry, float a0, float a1)
{
    // The chord of an arc step θ strays r·θ²/8 from the circle.
    float r = std::max(std::max(rx, ry) * xf.MeanScale(), 0.01f);
    float step = std::sqrt(8.0f * kTolerance / r);
    int n = std::clamp((int)std::ceil(std::fabs(a1 - a0) / step), 2, 2000);
    for (int i = 0; i <= n; ++i)
    {
        float t = a0 + (a1 - a0) * i / n;
        contours.back().push_back(xf.Apply(cx + rx * std::cos(t), cy + ry * std::sin(t)));
    }
}

void Path::AddRect(float x, float y, float w, float h, bool reverse)
{
    MoveTo(x, y);
    if (reverse)
    {
        LineTo(x, y + h);
        LineTo(x + w, y + h);
        LineTo(x + w, y);
    }
    else
    {
        LineTo(x + w, y);
        LineTo(x + w, y + h);
        LineTo(x, y + h);
    }
}

void Path::AddRoundedRect(float x, float y, float w, float h, float r, bool reverse)
{
    r = std::min(r, std::min(w, h) * 0.5f);
    if (r <= 0)
    {
        AddRect(x, y, w, h, reverse);
        return;
    }
    contours.emplace_back();
    // Clockwise on screen (y down): top-right, bottom-right, bottom-left, top-left corners.
    AddArc(x + w - r, y + r, r, r, -kPi / 2, 0);
    AddArc(x + w - r, y + h - r, r, r, 0, kPi / 2);
    AddArc(x + r, y + h - r, r, r, kPi / 2, kPi);
    AddArc(x + r, y + r, r, r, kPi, 1.5f * kPi);
    if (reverse)
    {
        std::reverse(contours.back().begin(), contours.back().end());
    }
}

void Path::AddEllipse(float cx, float cy, float rx, float ry, bool reverse)
{
    contours.emplace_back();
    AddArc(cx, cy, rx, ry, 0, 2 * kPi);
    contours.back().pop_back();
    if (reverse)
    {
        std::reverse(contours.back().begin(), contours.back().end());
    }
}

void Path::AddLine(float x0, float y0, float x1, float y1, float width)
{
    float dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
    if (len <= 0)
    {
        return;
    }
    float nx = -dy / len * width * 0.5f, ny = dx / len * width * 0.5f;
    MoveTo(x0 + nx, y0 + ny);
    LineTo(x1 + nx, y1 + ny);
    LineTo(x1 - nx, y1 - ny);
    LineTo(x0 - nx, y0 - ny);
}

void Path::Append(const Path& other)
{
    contours.insert(contours.end(), other.contours.begin(), other.contours.end());
}
