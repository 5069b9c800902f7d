// krIconImage: card back location and icon rendering. See krIconImage.h.
#include "krIconImage.h"

#include <algorithm>
#include <cmath>

#include "data/krResource.h"
#include "krCairoImage.h"
#include "krCairoShapes.h"
#include "render/krTexture.h"

bool krImageFromTGA(const krMemoryBlock* block, TRgbaImage_s& out)
{
    TTGATexture* texture = LoadFromMemoryBlockTGA(block);
    if (texture == nullptr)
    {
        return false;
    }
    const int channels = texture->bitsPerPixel == 32 ? 4 : 3;
    out.width = int(texture->width);
    out.height = int(texture->height);
    out.pixels.assign(size_t(out.width) * out.height * 4, 255);
    for (int y = 0; y < out.height; ++y)
    {
        const uint8_t* row = texture->pixels + size_t(out.height - 1 - y) * out.width * channels;
        for (int x = 0; x < out.width; ++x)
        {
            std::copy(row + size_t(x) * channels, row + size_t(x + 1) * channels, out.At(x, y));
        }
    }
    FreeTGATexture(texture);
    return true;
}

bool krLoadPackImage(const std::string& packPath, const std::string& name, TRgbaImage_s& out,
                     std::string& error)
{
    krResource pack;
    if (!pack.ReadFromFile(packPath.c_str()))
    {
        error = "cannot read the archive " + packPath;
        return false;
    }
    const krMemoryBlock* entry = pack.Get(name.c_str());
    if (entry == nullptr)
    {
        error = "the archive has no entry " + name;
        return false;
    }
    krMemoryBlock* tga = krDecrunchMemoryBlock(entry);
    if (tga == nullptr)
    {
        error = "entry " + name + " does not decrunch";
        return false;
    }
    const bool decoded = krImageFromTGA(tga, out);
    krFreeMemoryBlock(tga);
    if (!decoded)
    {
        error = "entry " + name + " is not a true-colour TGA image";
    }
    return decoded;
}

TIconRect_s krFindDarkRegion(const TRgbaImage_s& image, int x0, int x1, float threshold)
{
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image.width);
    int left = x1, right = x0 - 1, top = image.height, bottom = -1;
    for (int y = 0; y < image.height; ++y)
    {
        for (int x = x0; x < x1; ++x)
        {
            const uint8_t* p = image.At(x, y);
            const float luminance = (0.2126f * p[0] + 0.7152f * p[1] + 0.0722f * p[2]) / 255.0f;
            if (p[3] >= 128 && luminance < threshold)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < left)
    {
        return TIconRect_s{};
    }
    return TIconRect_s{left, top, right - left + 1, bottom - top + 1};
}

TIconRect_s krFindCardBack(const TRgbaImage_s& texture)
{
    TIconRect_s back = krFindDarkRegion(texture, texture.width / 2, texture.width, 0.5f);
    // A back smaller than this is not a card back but a speck.
    if (back.width < 16 || back.height < 16)
    {
        return TIconRect_s{};
    }
    const int edge = std::max(1, std::min(back.width, back.height) / 100);
    return TIconRect_s{back.x + edge, back.y + edge, back.width - 2 * edge, back.height - 2 * edge};
}

TIconRect_s krCentreSquare(const TIconRect_s& region, float fraction)
{
    const int side =
        std::max(1, int(std::lround(fraction * std::min(region.width, region.height))));
    return TIconRect_s{region.x + (region.width - side) / 2, region.y + (region.height - side) / 2,
                       side, side};
}

namespace
{
// Extent of the icon along one axis: the region scaled by `scale`, rounded to whole pixels of
// the same parity as `size` so that it sits centred on pixel edges.
int FittedExtent(float extent, int size)
{
    int fitted = std::max(1, int(std::lround(extent)));
    fitted = std::min(fitted, size);
    if ((size - fitted) % 2 != 0)
    {
        fitted += fitted < size ? 1 : -1;
    }
    return fitted;
}
} // namespace

TRgbaImage_s krRenderIcon(const TRgbaImage_s& source, const TIconRect_s& region, int size)
{
    TRgbaImage_s icon;
    icon.width = size;
    icon.height = size;
    icon.pixels.assign(size_t(size) * size * 4, 0);
    if (size <= 0 || region.width <= 0 || region.height <= 0)
    {
        return icon;
    }
    const int margin = size / 32;
    const float avail = float(size - 2 * margin);
    const float scale = std::min(avail / region.width, avail / region.height);
    const int w = FittedExtent(region.width * scale, size - 2 * margin);
    const int h = FittedExtent(region.height * scale, size - 2 * margin);
    const int ox = (size - w) / 2, oy = (size - h) / 2;
    const float radius = 0.08f * std::min(w, h);
    // Source pixels per icon pixel along each axis.
    const double stepX = double(region.width) / w, stepY = double(region.height) / h;

    // The source area under each icon pixel, averaged by area with colour weighted by alpha
    // (Cairo's filters weight by a kernel, not by area).
    std::vector<uint8_t> scaled(size_t(w) * h * 4, 0);
    for (int py = 0; py < h; ++py)
    {
        const double sy0 = region.y + py * stepY, sy1 = sy0 + stepY;
        for (int px = 0; px < w; ++px)
        {
            const double sx0 = region.x + px * stepX, sx1 = sx0 + stepX;
            double sum[4] = {0, 0, 0, 0}, weight = 0;
            for (int sy = int(sy0); sy < int(std::ceil(sy1)) && sy < source.height; ++sy)
            {
                const double wy = std::min(sy1, sy + 1.0) - std::max(sy0, double(sy));
                for (int sx = int(sx0); sx < int(std::ceil(sx1)) && sx < source.width; ++sx)
                {
                    const double wx = std::min(sx1, sx + 1.0) - std::max(sx0, double(sx));
                    const uint8_t* p = source.At(sx, sy);
                    const double a = wx * wy * p[3] / 255.0;
                    sum[0] += a * p[0];
                    sum[1] += a * p[1];
                    sum[2] += a * p[2];
                    sum[3] += a;
                    weight += wx * wy;
                }
            }
            if (sum[3] <= 0.0 || weight <= 0.0)
            {
                continue;
            }
            uint8_t* out = &scaled[(size_t(py) * w + px) * 4];
            for (int c = 0; c < 3; ++c)
            {
                out[c] = uint8_t(std::clamp(std::lround(sum[c] / sum[3]), 0L, 255L));
            }
            out[3] = uint8_t(std::clamp(std::lround(sum[3] / weight * 255.0), 0L, 255L));
        }
    }

    // The rounded corners: Cairo fills the rounded rectangle with the scaled picture.
    krCairoSurfacePtr picture = krSurfaceFromRGBA(scaled.data(), scaled.size(), w, h);
    krCairoSurfacePtr canvas = krNewSurface(size, size);
    if (!picture || !canvas)
    {
        return icon;
    }
    krCairoContextPtr cr(cairo_create(canvas.get()));
    krRoundedRect(cr.get(), ox, oy, w, h, radius);
    cairo_set_source_surface(cr.get(), picture.get(), ox, oy);
    cairo_fill(cr.get());
    cr.reset();
    krRGBAFromSurface(canvas.get(), icon.pixels, 0x000000);
    return icon;
}
