// CoverageMask: per-pixel coverage (0..1) over a rectangle of a canvas, filled from a Path with
// exact-area anti-aliasing (non-zero winding, clamped), plus the few mask operations the
// pictures need (blur, grow, combine).
#pragma once

#include <cstddef>
#include <vector>

#include "Path.h"

class CoverageMask
{
public:
    CoverageMask() = default;
    // An empty (all zero) mask over the rectangle.
    CoverageMask(int x0, int y0, int width, int height);

    // Coverage of `path`, limited to the canvas rectangle 0..clipWidth × 0..clipHeight.
    static CoverageMask Fill(const Path& path, int clipWidth, int clipHeight);

    int X0() const { return x0; }
    int Y0() const { return y0; }
    int Width() const { return w; }
    int Height() const { return h; }
    bool Empty() const { return w <= 0 || h <= 0; }

    // Coverage at canvas pixel (x, y); 0 outside the mask.
    float At(int x, int y) const;
    float& Ref(int x, int y) { return a[(size_t)(y - y0) * w + (x - x0)]; }

    // Copy enlarged by `margin` pixels on every side (room for blur or growth).
    CoverageMask Padded(int margin) const;
    // Gaussian-like blur (three box passes of the given radius).
    void Blur(int radius);
    // Grows the shape by `radius` pixels (maximum over a disc), soft edge kept.
    void Grow(int radius);
    // Multiplies every value by `factor`, clamped to 0..1.
    void Scale(float factor);
    // this = this · (1 − other): removes `other` from this.
    void Subtract(const CoverageMask& other);
    // this = this · other.
    void Intersect(const CoverageMask& other);

private:
    int x0 = 0, y0 = 0, w = 0, h = 0;
    std::vector<float> a;
};
