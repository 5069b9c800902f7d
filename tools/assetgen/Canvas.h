// Canvas: a floating-point RGBA picture (premultiplied alpha, top row first) that shapes are
// painted onto through coverage masks, and its conversion to 8-bit straight-alpha pixels.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "CoverageMask.h"

struct TColor_s
{
    float r, g, b, a;
};

TColor_s Rgb(int hex, float alpha = 1.0f);
TColor_s Mix(const TColor_s& x, const TColor_s& y, float t);

// Colour as a function of the canvas pixel centre (x + 0.5, y + 0.5).
using TPaint = std::function<TColor_s(float x, float y)>;

// 8-bit straight-alpha RGBA pixels, top row first.
struct TImage_s
{
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

class Canvas
{
public:
    Canvas(int width, int height, const TColor_s& fill = {0, 0, 0, 0});

    int Width() const { return w; }
    int Height() const { return h; }

    // Source-over painting of a colour through a mask (coverage times the colour's alpha).
    void Paint(const CoverageMask& mask, const TColor_s& color);
    void Paint(const CoverageMask& mask, const TPaint& paint);
    // Fills a path in one step.
    void Fill(const Path& path, const TColor_s& color);
    void Fill(const Path& path, const TPaint& paint);
    // Source-over of a whole picture of the same size.
    void Over(const Canvas& top);
    // Premultiplied pixel access.
    TColor_s& At(int x, int y) { return px[(size_t)y * w + x]; }
    const TColor_s& At(int x, int y) const { return px[(size_t)y * w + x]; }

    // Straight-alpha 8-bit pixels; fully transparent pixels take `matte` as their colour so
    // that bilinear filtering does not pull dark fringes into the edges.
    TImage_s ToImage(const TColor_s& matte = {1, 1, 1, 0}) const;

private:
    int w, h;
    std::vector<TColor_s> px;
};

// Box-filtered reduction of an image to a smaller size (each output pixel averages the source
// area it covers, colour weighted by alpha).
TImage_s Downsample(const TImage_s& src, int width, int height);
