// krPngWriter: chunks IHDR, IDAT and IEND with their CRCs, see krPngWriter.h.
#include "krPngWriter.h"

#include <cstdio>
#include <zlib.h>

#include "data/krByteOrder.h"

namespace
{
void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t bytes[4];
    krStoreU32BE(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data)
{
    PutU32(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + start, uInt(out.size() - start));
    PutU32(out, uint32_t(crc));
}
} // namespace

std::vector<uint8_t> krEncodePNG(const TRgbaImage_s& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * image.height * 4)
    {
        return {};
    }
    // Each row: filter type 1 (Sub), then every byte minus the byte four places before it.
    const size_t stride = size_t(image.width) * 4;
    std::vector<uint8_t> raw;
    raw.reserve((stride + 1) * image.height);
    for (int y = 0; y < image.height; ++y)
    {
        const uint8_t* row = image.pixels.data() + y * stride;
        raw.push_back(1);
        for (size_t i = 0; i < stride; ++i)
        {
            raw.push_back(uint8_t(row[i] - (i >= 4 ? row[i - 4] : 0)));
        }
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 9) != Z_OK)
    {
        return {};
    }
    packed.resize(packedSize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutU32(header, uint32_t(image.width));
    PutU32(header, uint32_t(image.height));
    header.insert(header.end(),
                  {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, adaptive filters, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

bool krWritePNG(const std::string& path, const TRgbaImage_s& image)
{
    const std::vector<uint8_t> png = krEncodePNG(image);
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
