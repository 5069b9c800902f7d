// SoftMask: a coverage mask for soft shadows. Shapes are drawn into it with Cairo (an A8
// image surface), blurred here (Cairo has no blur), and a colour is painted through it.
#pragma once

#include <cairo.h>

#include "Canvas.h"

class SoftMask
{
public:
    // An empty (all zero) mask of width x height pixels.
    SoftMask(int width, int height);

    // The drawing context: user space starts as pixels, y down; the source is opaque.
    cairo_t* Cr() const { return cr.get(); }
    // Gaussian-like blur: three box passes of the given radius each way.
    void Blur(int radius);
    // Source-over of `color` through the mask onto `target`, pixel on pixel (whatever the
    // target's current transform).
    void PaintOnto(cairo_t* target, const TColor_s& color) const;

private:
    int w, h;
    krCairoSurfacePtr surface;
    krCairoContextPtr cr;
};
