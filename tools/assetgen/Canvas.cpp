// Canvas: compositing and conversion to 8-bit pixels.
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

Canvas::Canvas(int width, int height, const TColor_s& fill)
    : w(width), h(height), px((size_t)width * height,
                              TColor_s{fill.r * fill.a, fill.g * fill.a, fill.b * fill.a, fill.a})
{
}

void Canvas::Paint(const CoverageMask& mask, const TColor_s& color)
{
    Paint(mask, [&](float, float) { return color; });
}

void Canvas::Paint(const CoverageMask& mask, const TPaint& paint)
{
    int xa = std::max(mask.X0(), 0), xb = std::min(mask.X0() + mask.Width(), w);
    int ya = std::max(mask.Y0(), 0), yb = std::min(mask.Y0() + mask.Height(), h);
    for (int y = ya; y < yb; ++y)
    {
        for (int x = xa; x < xb; ++x)
        {
            float cov = mask.At(x, y);
            if (cov <= 0.0f)
            {
                continue;
            }
            TColor_s c = paint(x + 0.5f, y + 0.5f);
            float alpha = cov * c.a;
            TColor_s& d = px[(size_t)y * w + x];
            d.r = c.r * alpha + d.r * (1 - alpha);
            d.g = c.g * alpha + d.g * (1 - alpha);
            d.b = c.b * alpha + d.b * (1 - alpha);
            d.a = alpha + d.a * (1 - alpha);
        }
    }
}

void Canvas::Fill(const Path& path, const TColor_s& color)
{
    Paint(CoverageMask::Fill(path, w, h), color);
}

void Canvas::Fill(const Path& path, const TPaint& paint)
{
    Paint(CoverageMask::Fill(path, w, h), paint);
}

void Canvas::Over(const Canvas& top)
{
    for (size_t i = 0; i < px.size() && i < top.px.size(); ++i)
    {
        const TColor_s& s = top.px[i];
        TColor_s& d = px[i];
        d.r = s.r + d.r * (1 - s.a);
        d.g = s.g + d.g * (1 - s.a);
        d.b = s.b + d.b * (1 - s.a);
        d.a = s.a + d.a * (1 - s.a);
    }
}

TImage_s Canvas::ToImage(const TColor_s& matte) const
{
    TImage_s img;
    img.width = w;
    img.height = h;
    img.rgba.resize((size_t)w * h * 4);
    auto to8 = [](float v) { return (uint8_t)std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f); };
    for (size_t i = 0; i < px.size(); ++i)
    {
        const TColor_s& p = px[i];
        uint8_t* o = &img.rgba[i * 4];
        uint8_t a8 = to8(p.a);
        if (a8 == 0)
        {
            o[0] = to8(matte.r);
            o[1] = to8(matte.g);
            o[2] = to8(matte.b);
        }
        else
        {
            o[0] = to8(p.r / p.a);
            o[1] = to8(p.g / p.a);
            o[2] = to8(p.b / p.a);
        }
        o[3] = a8;
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
