// SoftMask: an A8 surface with a box blur.
#include "SoftMask.h"

#include <algorithm>
#include <cmath>
#include <vector>

SoftMask::SoftMask(int width, int height)
    : w(width), h(height), surface(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height)),
      cr(cairo_create(surface.get()))
{
    cairo_set_source_rgba(cr.get(), 0, 0, 0, 1);
}

void SoftMask::Blur(int radius)
{
    if (radius <= 0 || cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    {
        return;
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    std::vector<float> a((size_t)w * h);
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            a[(size_t)y * w + x] = data[(size_t)y * stride + x] / 255.0f;
        }
    }
    std::vector<float> line(std::max(w, h));
    // One box pass along `count` values `step` apart; values beyond the ends count as zero.
    auto box = [&](float* base, int count, int step)
    {
        const float norm = 1.0f / (2 * radius + 1);
        for (int i = 0; i < count; ++i)
        {
            line[i] = base[(size_t)i * step];
        }
        float sum = 0;
        for (int i = 0; i <= radius && i < count; ++i)
        {
            sum += line[i];
        }
        for (int i = 0; i < count; ++i)
        {
            base[(size_t)i * step] = sum * norm;
            const int out = i - radius, in = i + radius + 1;
            sum -= out >= 0 ? line[out] : 0.0f;
            sum += in < count ? line[in] : 0.0f;
        }
    };
    for (int pass = 0; pass < 3; ++pass)
    {
        for (int y = 0; y < h; ++y)
        {
            box(&a[(size_t)y * w], w, 1);
        }
        for (int x = 0; x < w; ++x)
        {
            box(&a[x], h, w);
        }
    }
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            const float v = std::clamp(a[(size_t)y * w + x], 0.0f, 1.0f);
            data[(size_t)y * stride + x] = (unsigned char)std::lround(v * 255.0f);
        }
    }
    cairo_surface_mark_dirty(surface.get());
}

void SoftMask::PaintOnto(cairo_t* target, const TColor_s& color) const
{
    cairo_save(target);
    cairo_identity_matrix(target);
    SetSource(target, color);
    cairo_mask_surface(target, surface.get(), 0, 0);
    cairo_restore(target);
}
