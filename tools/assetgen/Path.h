// Path: flattened outlines (closed polygons) in pixel space, built with an affine transform
// from design units. Curves are flattened as they are added, in pixel space, so the same
// design drawn at any size stays smooth.
#pragma once

#include <vector>

struct TPoint_s
{
    float x, y;
};

// x' = a·x + c·y + e, y' = b·x + d·y + f
struct TAffine_s
{
    float a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    TPoint_s Apply(float x, float y) const { return {a * x + c * y + e, b * x + d * y + f}; }
    // this ∘ other: other is applied first.
    TAffine_s Then(const TAffine_s& other) const;
    static TAffine_s Translate(float x, float y);
    static TAffine_s Scale(float sx, float sy);
    static TAffine_s Rotate(float radians);
    // Mean linear scale (for choosing flattening steps).
    float MeanScale() const;
};

class Path
{
public:
    explicit Path(const TAffine_s& transform = TAffine_s()) : xf(transform) {}

    void SetTransform(const TAffine_s& transform) { xf = transform; }
    const TAffine_s& Transform() const { return xf; }

    void MoveTo(float x, float y);
    void LineTo(float x, float y);
    void QuadTo(float cx, float cy, float x, float y);
    void CubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
    void Close();

    // Closed shapes; `reverse` flips the winding (to cut a hole with the non-zero rule).
    void AddRect(float x, float y, float w, float h, bool reverse = false);
    void AddRoundedRect(float x, float y, float w, float h, float r, bool reverse = false);
    void AddEllipse(float cx, float cy, float rx, float ry, bool reverse = false);
    // A band of the given width around the line from (x0, y0) to (x1, y1).
    void AddLine(float x0, float y0, float x1, float y1, float width);
    // Appends every contour of `other` (already in pixel space).
    void Append(const Path& other);

    const std::vector<std::vector<TPoint_s>>& Contours() const { return contours; }
    bool Empty() const { return contours.empty(); }

private:
    void AddArc(float cx, float cy, float rx, float ry, float a0, float a1);

    TAffine_s xf;
    std::vector<std::vector<TPoint_s>> contours;
    TPoint_s current{0, 0}; // in design units
};
