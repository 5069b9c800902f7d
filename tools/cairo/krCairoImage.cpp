// krCairoImage: pixel conversion and PNG output. See krCairoImage.h.
#include "krCairoImage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace
{
bool ValidImage(const uint8_t* rgba, size_t bytes, int width, int height)
{
    return rgba != nullptr && width > 0 && height > 0 &&
           bytes / 4 / size_t(width) >= size_t(height);
}

cairo_status_t AppendToVector(void* closure, const unsigned char* data, unsigned int length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}
} // namespace

krCairoSurfacePtr krNewSurface(int width, int height)
{
    if (width <= 0 || height <= 0)
    {
        return nullptr;
    }
    krCairoSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    {
        return nullptr;
    }
    return surface;
}

krCairoSurfacePtr krSurfaceFromRGBA(const uint8_t* rgba, size_t bytes, int width, int height)
{
    if (!ValidImage(rgba, bytes, width, height))
    {
        return nullptr;
    }
    krCairoSurfacePtr surface = krNewSurface(width, height);
    if (!surface)
    {
        return nullptr;
    }
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y)
    {
        const uint8_t* in = rgba + size_t(y) * width * 4;
        unsigned char* row = data + size_t(y) * stride;
        for (int x = 0; x < width; ++x, in += 4)
        {
            const uint32_t a = in[3];
            auto premultiply = [a](uint32_t c) { return (c * a + 127) / 255; };
            const uint32_t word =
                a << 24 | premultiply(in[0]) << 16 | premultiply(in[1]) << 8 | premultiply(in[2]);
            std::memcpy(row + size_t(x) * 4, &word, 4);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

bool krRGBAFromSurface(cairo_surface_t* surface, std::vector<uint8_t>& rgba, uint32_t matte)
{
    if (surface == nullptr || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_ARGB32)
    {
        return false;
    }
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    if (data == nullptr)
    {
        return false;
    }
    rgba.resize(size_t(width) * height * 4);
    for (int y = 0; y < height; ++y)
    {
        const unsigned char* row = data + size_t(y) * stride;
        uint8_t* out = &rgba[size_t(y) * width * 4];
        for (int x = 0; x < width; ++x, out += 4)
        {
            uint32_t word;
            std::memcpy(&word, row + size_t(x) * 4, 4);
            const uint32_t a = word >> 24;
            if (a == 0)
            {
                out[0] = uint8_t(matte >> 16);
                out[1] = uint8_t(matte >> 8);
                out[2] = uint8_t(matte);
                out[3] = 0;
                continue;
            }
            auto straight = [a](uint32_t c)
            { return uint8_t(std::min(255u, (c * 255 + a / 2) / a)); };
            out[0] = straight((word >> 16) & 255);
            out[1] = straight((word >> 8) & 255);
            out[2] = straight(word & 255);
            out[3] = uint8_t(a);
        }
    }
    return true;
}

std::vector<uint8_t> krEncodePNG(const uint8_t* rgba, size_t bytes, int width, int height)
{
    std::vector<uint8_t> png;
    krCairoSurfacePtr surface = krSurfaceFromRGBA(rgba, bytes, width, height);
    if (!surface || cairo_surface_write_to_png_stream(surface.get(), AppendToVector, &png) !=
                        CAIRO_STATUS_SUCCESS)
    {
        png.clear();
    }
    return png;
}

bool krWritePNG(const std::string& path, const uint8_t* rgba, size_t bytes, int width, int height)
{
    const std::vector<uint8_t> png = krEncodePNG(rgba, bytes, width, height);
    if (png.empty())
    {
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
    {
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
