// krCairoShapes: path pieces the picture tools share, added to a Cairo context's current path in
// its user space: quadratic curves, rounded rectangles, ellipses.
#pragma once

#include <cairo.h>

// A quadratic Bézier curve from the current point (as the cubic curve it equals).
void krQuadTo(cairo_t* cr, double cx, double cy, double x, double y);
// A closed rounded rectangle (radius clamped to half the shorter side; 0 gives a rectangle).
void krRoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// A closed ellipse; nothing for a zero radius.
void krEllipse(cairo_t* cr, double cx, double cy, double rx, double ry);
