// krTGAEncoder: run-length-encoded 32-bit TGA writer.
#include "krTGAEncoder.h"

#include <cstring>

namespace
{
const int kMaxPacket = 128;

void PutPixel(std::vector<uint8_t>& out, const uint8_t* p)
{
    // TGA stores blue, green, red, alpha.
    out.push_back(p[2]);
    out.push_back(p[1]);
    out.push_back(p[0]);
    out.push_back(p[3]);
}

bool Same(const uint8_t* a, const uint8_t* b)
{
    return memcmp(a, b, 4) == 0;
}

void EncodeRow(std::vector<uint8_t>& out, const uint8_t* row, int width)
{
    int i = 0;
    while (i < width)
    {
        int run = 1;
        while (i + run < width && run < kMaxPacket && Same(row + 4 * i, row + 4 * (i + run)))
        {
            run++;
        }
        if (run >= 2)
        {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            PutPixel(out, row + 4 * i);
            i += run;
            continue;
        }
        // A raw packet until the next pair of equal pixels, which a run packet stores better.
        int count = 1;
        while (i + count < width && count < kMaxPacket &&
               !(i + count + 1 < width && Same(row + 4 * (i + count), row + 4 * (i + count + 1))))
        {
            count++;
        }
        out.push_back(static_cast<uint8_t>(count - 1));
        for (int k = 0; k < count; k++)
        {
            PutPixel(out, row + 4 * (i + k));
        }
        i += count;
    }
}
} // namespace

std::vector<uint8_t> EncodeTGARLE32(const uint8_t* rgba, int width, int height)
{
    std::vector<uint8_t> out;
    if (!rgba || width <= 0 || height <= 0 || width > 65535 || height > 65535)
    {
        return out;
    }
    const uint8_t header[18] = {0,
                                0,
                                10, // run-length-encoded true colour
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                0,
                                static_cast<uint8_t>(width & 0xFF),
                                static_cast<uint8_t>(width >> 8),
                                static_cast<uint8_t>(height & 0xFF),
                                static_cast<uint8_t>(height >> 8),
                                32,
                                0x08};
    out.assign(header, header + sizeof(header));
    // Bottom-left origin: the last row of the image comes first.
    for (int y = height - 1; y >= 0; y--)
    {
        EncodeRow(out, rgba + static_cast<size_t>(y) * width * 4, width);
    }
    return out;
}
