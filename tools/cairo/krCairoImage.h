// krCairoImage: the picture tools' bridge to Cairo. The tools keep their pictures as 8-bit
// straight-alpha RGBA (R, G, B, A bytes, top row first); Cairo's image surfaces hold
// premultiplied ARGB32 pixels, one native-endian 32-bit word each. These functions convert
// between the two and write PNG files through Cairo.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct krCairoSurfaceFree
{
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
struct krCairoContextFree
{
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using krCairoSurfacePtr = std::unique_ptr<cairo_surface_t, krCairoSurfaceFree>;
using krCairoContextPtr = std::unique_ptr<cairo_t, krCairoContextFree>;

// A new ARGB32 surface of width x height transparent pixels; null when the size is not
// positive or Cairo refuses it.
krCairoSurfacePtr krNewSurface(int width, int height);

// A new ARGB32 surface holding `rgba` (width x height pixels, `bytes` long); null when the
// size is not positive or `bytes` is too short for it.
krCairoSurfacePtr krSurfaceFromRGBA(const uint8_t* rgba, size_t bytes, int width, int height);

// The straight-alpha pixels of an ARGB32 surface. Fully transparent pixels take the colour
// `matte` (0xRRGGBB), so that bilinear filtering does not pull a dark fringe into the edges of
// a picture. False when the surface is not an ARGB32 image surface.
bool krRGBAFromSurface(cairo_surface_t* surface, std::vector<uint8_t>& rgba,
                       uint32_t matte = 0xFFFFFF);

// A PNG file of the pixels (8 bits a channel; RGB when every pixel is opaque, RGBA otherwise);
// empty when the size is not positive, `bytes` is too short or encoding fails.
std::vector<uint8_t> krEncodePNG(const uint8_t* rgba, size_t bytes, int width, int height);
// Encodes the pixels and writes them to `path`; true when every byte was written.
bool krWritePNG(const std::string& path, const uint8_t* rgba, size_t bytes, int width, int height);
