// Canvas: the Cairo surface of a picture, colours and conversion to 8-bit pixels.
#include "Canvas.h"

#include <algorithm>
#include <cmath>

TColor_s Rgb(int hex, float alpha)
{
    return {((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f, alpha};
}

TColor_s Mix(const TColor_s& x, const TColor_s& y, float t)
{
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
            x.a + (y.a - x.a) * t};
}

void SetSource(cairo_t* cr, const TColor_s& color)
{
    cairo_set_source_rgba(cr, color.r, color.g, color.b, color.a);
}

void AddStop(cairo_pattern_t* pattern, double offset, const TColor_s& color)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, color.r, color.g, color.b, color.a);
}

Canvas::Canvas(int width, int height, const TColor_s& fill)
    : w(width), h(height), surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr(cairo_create(surface.get()))
{
    if (fill.a > 0)
    {
        SetSource(cr.get(), fill);
        cairo_paint(cr.get());
    }
}

TImage_s Canvas::ToImage(const TColor_s& matte) const
{
    auto to8 = [](float v) { return (uint32_t)std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f); };
    TImage_s img;
    if (krRGBAFromSurface(surface.get(), img.rgba,
                          to8(matte.r) << 16 | to8(matte.g) << 8 | to8(matte.b)))
    {
        img.width = w;
        img.height = h;
    }
    return img;
}

TImage_s Downsample(const TImage_s& src, int width, int height)
{
    TImage_s out;
    out.width = width;
    out.height = height;
    out.rgba.resize((size_t)width * height * 4);
    float fx = (float)src.width / width, fy = (float)src.height / height;
    for (int y = 0; y < height; ++y)
    {
        int sy0 = (int)std::floor(y * fy), sy1 = std::max(sy0 + 1, (int)std::floor((y + 1) * fy));
        for (int x = 0; x < width; ++x)
        {
            int sx0 = (int)std::floor(x * fx);
            int sx1 = std::max(sx0 + 1, (int)std::floor((x + 1) * fx));
            double r = 0, g = 0, b = 0, a = 0, cr = 0, cg = 0, cb = 0;
            int n = 0;
            for (int sy = sy0; sy < sy1 && sy < src.height; ++sy)
            {
                for (int sx = sx0; sx < sx1 && sx < src.width; ++sx)
                {
                    const uint8_t* p = &src.rgba[((size_t)sy * src.width + sx) * 4];
                    double pa = p[3] / 255.0;
                    r += p[0] * pa;
                    g += p[1] * pa;
                    b += p[2] * pa;
                    cr += p[0];
                    cg += p[1];
                    cb += p[2];
                    a += pa;
                    ++n;
                }
            }
            uint8_t* o = &out.rgba[((size_t)y * width + x) * 4];
            if (a > 1e-9)
            {
                o[0] = (uint8_t)std::lround(std::min(255.0, r / a));
                o[1] = (uint8_t)std::lround(std::min(255.0, g / a));
                o[2] = (uint8_t)std::lround(std::min(255.0, b / a));
            }
            else
            {
                o[0] = (uint8_t)std::lround(cr / std::max(n, 1));
                o[1] = (uint8_t)std::lround(cg / std::max(n, 1));
                o[2] = (uint8_t)std::lround(cb / std::max(n, 1));
            }
            o[3] = (uint8_t)std::lround(a / std::max(n, 1) * 255.0);
        }
    }
    return out;
}
