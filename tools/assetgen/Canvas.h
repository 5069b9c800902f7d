// Canvas: a picture drawn with Cairo (an ARGB32 image surface and its drawing context), the
// colours the painters use, and the conversion to 8-bit straight-alpha pixels.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <vector>

#include "krCairoImage.h"

struct TColor_s
{
    float r, g, b, a;
};

TColor_s Rgb(int hex, float alpha = 1.0f);
TColor_s Mix(const TColor_s& x, const TColor_s& y, float t);

// Cairo's source becomes `color`.
void SetSource(cairo_t* cr, const TColor_s& color);
// A colour stop of a gradient pattern.
void AddStop(cairo_pattern_t* pattern, double offset, const TColor_s& color);

// 8-bit straight-alpha RGBA pixels, top row first.
struct TImage_s
{
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};

class Canvas
{
public:
    // A width x height picture filled with `fill`. Should Cairo refuse the size, drawing does
    // nothing and ToImage gives an empty picture.
    Canvas(int width, int height, const TColor_s& fill = {0, 0, 0, 0});

    int Width() const { return w; }
    int Height() const { return h; }
    // The drawing context: user space starts as pixels, y down, origin at the top left.
    cairo_t* Cr() const { return cr.get(); }

    // Straight-alpha 8-bit pixels; fully transparent pixels take `matte` as their colour so
    // that bilinear filtering does not pull dark fringes into the edges.
    TImage_s ToImage(const TColor_s& matte = {1, 1, 1, 0}) const;

private:
    int w, h;
    krCairoSurfacePtr surface;
    krCairoContextPtr cr;
};

// Box-filtered reduction of an image to a smaller size (each output pixel averages the source
// area it covers, colour weighted by alpha).
TImage_s Downsample(const TImage_s& src, int width, int height);
