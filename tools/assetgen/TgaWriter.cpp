// TgaWriter: header, bottom-up row order, BGR(A) pixels and run-length packets.
#include "TgaWriter.h"

#include <cstring>

std::vector<uint8_t> EncodeTGA(const TImage_s& image, bool withAlpha, bool rle)
{
    const int bpp = withAlpha ? 4 : 3;
    std::vector<uint8_t> out(18, 0);
    out[2] = rle ? 10 : 2;
    out[12] = image.width & 255;
    out[13] = (image.width >> 8) & 255;
    out[14] = image.height & 255;
    out[15] = (image.height >> 8) & 255;
    out[16] = (uint8_t)(bpp * 8);
    out[17] = withAlpha ? 8 : 0; // alpha bits; origin bottom-left

    // All pixels in file order: bottom row first, B, G, R (, A).
    const size_t count = (size_t)image.width * image.height;
    std::vector<uint8_t> pixels(count * bpp);
    size_t k = 0;
    for (int y = image.height - 1; y >= 0; --y)
    {
        const uint8_t* row = &image.rgba[(size_t)y * image.width * 4];
        for (int x = 0; x < image.width; ++x)
        {
            const uint8_t* p = row + x * 4;
            pixels[k++] = p[2];
            pixels[k++] = p[1];
            pixels[k++] = p[0];
            if (withAlpha)
            {
                pixels[k++] = p[3];
            }
        }
    }
    if (!rle)
    {
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }

    auto same = [&](size_t i, size_t j)
    { return std::memcmp(&pixels[i * bpp], &pixels[j * bpp], bpp) == 0; };
    size_t i = 0;
    while (i < count)
    {
        size_t run = 1;
        while (i + run < count && run < 128 && same(i, i + run))
        {
            ++run;
        }
        if (run >= 2)
        {
            out.push_back((uint8_t)(127 + run));
            out.insert(out.end(), &pixels[i * bpp], &pixels[i * bpp] + bpp);
            i += run;
            continue;
        }
        // Raw packet: up to 128 pixels, ending before the next pair of equal pixels.
        size_t n = 1;
        while (i + n < count && n < 128 && !(i + n + 1 < count && same(i + n, i + n + 1)))
        {
            ++n;
        }
        out.push_back((uint8_t)(n - 1));
        out.insert(out.end(), &pixels[i * bpp], &pixels[(i + n) * bpp]);
        i += n;
    }
    return out;
}
