// PngWriter: signature, IHDR, one zlib IDAT and IEND chunks.
#include "PngWriter.h"

#include <cstdio>
#include <vector>
#include <zlib.h>

#include "data/krByteOrder.h"

namespace
{
void PutU32(std::vector<uint8_t>& out, uint32_t v)
{
    uint8_t bytes[4];
    krStoreU32BE(bytes, v);
    out.insert(out.end(), bytes, bytes + 4);
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data)
{
    PutU32(out, (uint32_t)data.size());
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, &out[start], (uInt)(out.size() - start));
    PutU32(out, (uint32_t)crc);
}
} // namespace

bool WritePNG(const std::string& path, const TImage_s& image)
{
    std::vector<uint8_t> raw;
    raw.reserve((size_t)image.height * (image.width * 4 + 1));
    for (int y = 0; y < image.height; ++y)
    {
        raw.push_back(0); // filter: none
        const uint8_t* row = &image.rgba[(size_t)y * image.width * 4];
        raw.insert(raw.end(), row, row + (size_t)image.width * 4);
    }
    uLongf zsize = compressBound((uLong)raw.size());
    std::vector<uint8_t> z(zsize);
    if (compress2(z.data(), &zsize, raw.data(), (uLong)raw.size(), 6) != Z_OK)
    {
        return false;
    }
    z.resize(zsize);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> ihdr;
    PutU32(ihdr, (uint32_t)image.width);
    PutU32(ihdr, (uint32_t)image.height);
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter, no interlace
    PutChunk(png, "IHDR", ihdr);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
    {
        return false;
    }
    bool ok = std::fwrite(png.data(), 1, png.size(), f) == png.size();
    return std::fclose(f) == 0 && ok;
}
