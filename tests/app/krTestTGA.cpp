// krTestTGA: independent RLE TGA decoder for the logo tests.
#include "krTestTGA.h"

bool krTestDecodeTGA(const uint8_t* bytes, size_t size, TTestImage_s& image)
{
    if (!bytes || size < 18 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 10 || bytes[16] != 32)
    {
        return false;
    }
    const int width = bytes[12] | (bytes[13] << 8);
    const int height = bytes[14] | (bytes[15] << 8);
    const bool topFirst = (bytes[17] & 0x20) != 0;
    const size_t count = static_cast<size_t>(width) * height;
    std::vector<uint8_t> pixels; // BGRA in file order
    pixels.reserve(count * 4);
    size_t at = 18;
    while (pixels.size() < count * 4)
    {
        if (at >= size)
        {
            return false;
        }
        const uint8_t head = bytes[at++];
        const size_t n = (head & 0x7F) + 1u;
        if (pixels.size() + n * 4 > count * 4)
        {
            return false; // a packet running past the image
        }
        if (head & 0x80)
        {
            if (at + 4 > size)
            {
                return false;
            }
            for (size_t k = 0; k < n; k++)
            {
                pixels.insert(pixels.end(), bytes + at, bytes + at + 4);
            }
            at += 4;
        }
        else
        {
            if (at + n * 4 > size)
            {
                return false;
            }
            pixels.insert(pixels.end(), bytes + at, bytes + at + n * 4);
            at += n * 4;
        }
    }
    if (at != size)
    {
        return false;
    }
    image.width = width;
    image.height = height;
    image.rgba.assign(count * 4, 0);
    for (int y = 0; y < height; y++)
    {
        const int fileRow = topFirst ? y : height - 1 - y;
        for (int x = 0; x < width; x++)
        {
            const uint8_t* p = &pixels[(static_cast<size_t>(fileRow) * width + x) * 4];
            uint8_t* q = &image.rgba[(static_cast<size_t>(y) * width + x) * 4];
            q[0] = p[2];
            q[1] = p[1];
            q[2] = p[0];
            q[3] = p[3];
        }
    }
    return true;
}
