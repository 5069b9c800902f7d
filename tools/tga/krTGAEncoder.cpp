// krTGAEncoder: header, bottom-up rows of B, G, R (, A) pixels, run and raw packets per row.
#include "krTGAEncoder.h"

#include <cstring>

#include "data/krByteOrder.h"

namespace
{
const int kMaxPacket = 128;

// One scan line as run and raw packets of `bpp`-byte file pixels.
void EncodeRow(std::vector<uint8_t>& out, const uint8_t* row, int width, int bpp)
{
    auto same = [&](int a, int b) { return memcmp(row + a * bpp, row + b * bpp, bpp) == 0; };
    int i = 0;
    while (i < width)
    {
        int run = 1;
        while (i + run < width && run < kMaxPacket && same(i, i + run))
        {
            run++;
        }
        if (run >= 2)
        {
            out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
            out.insert(out.end(), row + i * bpp, row + (i + 1) * bpp);
            i += run;
            continue;
        }
        // A raw packet until the next pair of equal pixels, which a run packet stores better.
        int count = 1;
        while (i + count < width && count < kMaxPacket &&
               !(i + count + 1 < width && same(i + count, i + count + 1)))
        {
            count++;
        }
        out.push_back(static_cast<uint8_t>(count - 1));
        out.insert(out.end(), row + i * bpp, row + (i + count) * bpp);
        i += count;
    }
}
} // namespace

std::vector<uint8_t> krEncodeTGA(const uint8_t* rgba, int width, int height, bool withAlpha,
                                 bool rle)
{
    std::vector<uint8_t> out;
    if (!rgba || width <= 0 || height <= 0 || width > 65535 || height > 65535)
    {
        return out;
    }
    const int bpp = withAlpha ? 4 : 3;
    out.assign(18, 0);
    out[2] = rle ? 10 : 2;
    krStoreU16LE(&out[12], static_cast<uint16_t>(width));
    krStoreU16LE(&out[14], static_cast<uint16_t>(height));
    out[16] = static_cast<uint8_t>(bpp * 8);
    out[17] = withAlpha ? 0x08 : 0;

    std::vector<uint8_t> line(static_cast<size_t>(width) * bpp);
    // Bottom-left origin: the last row of the image comes first.
    for (int y = height - 1; y >= 0; y--)
    {
        const uint8_t* src = rgba + static_cast<size_t>(y) * width * 4;
        for (int x = 0; x < width; x++)
        {
            uint8_t* p = &line[static_cast<size_t>(x) * bpp];
            p[0] = src[x * 4 + 2];
            p[1] = src[x * 4 + 1];
            p[2] = src[x * 4];
            if (withAlpha)
            {
                p[3] = src[x * 4 + 3];
            }
        }
        if (rle)
        {
            EncodeRow(out, line.data(), width, bpp);
        }
        else
        {
            out.insert(out.end(), line.begin(), line.end());
        }
    }
    return out;
}
