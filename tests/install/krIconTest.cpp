// Tests of the icon generator: its PNG files as Cairo writes them (read back with an independent
// decoder), TGA decoding into top-first rows, finding the card back, and the scaled, rounded icon.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <zlib.h>

#include "krCairoImage.h"
#include "krIconImage.h"
#include "krTestFiles.h"

namespace
{
uint32_t BigEndian(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// A small PNG reader for 8-bit RGBA files: checks the signature, the chunk order and every
// CRC, inflates the image data and undoes all five row filters.
bool DecodePNG(const std::vector<uint8_t>& png, TRgbaImage_s& out, std::string& error)
{
    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || std::memcmp(png.data(), signature, 8) != 0)
    {
        error = "signature";
        return false;
    }
    std::vector<std::string> order;
    std::vector<uint8_t> idat;
    size_t pos = 8;
    while (pos + 12 <= png.size())
    {
        const uint32_t length = BigEndian(&png[pos]);
        if (pos + 12 + length > png.size())
        {
            error = "truncated chunk";
            return false;
        }
        const std::string type(reinterpret_cast<const char*>(&png[pos + 4]), 4);
        const uint8_t* data = &png[pos + 8];
        if (crc32(0L, &png[pos + 4], length + 4) != BigEndian(data + length))
        {
            error = "CRC of " + type;
            return false;
        }
        order.push_back(type);
        if (type == "IHDR")
        {
            out.width = int(BigEndian(data));
            out.height = int(BigEndian(data + 4));
            if (length != 13 || data[8] != 8 || data[9] != 6 || data[10] != 0 || data[11] != 0 ||
                data[12] != 0)
            {
                error = "IHDR is not 8-bit RGBA, deflate, no interlace";
                return false;
            }
        }
        else if (type == "IDAT")
        {
            idat.insert(idat.end(), data, data + length);
        }
        pos += 12 + length;
    }
    if (pos != png.size() || order.size() < 3 || order.front() != "IHDR" || order.back() != "IEND")
    {
        error = "chunk order";
        return false;
    }
    const size_t stride = size_t(out.width) * 4;
    std::vector<uint8_t> raw((stride + 1) * out.height);
    uLongf rawSize = uLongf(raw.size());
    if (uncompress(raw.data(), &rawSize, idat.data(), uLong(idat.size())) != Z_OK ||
        rawSize != raw.size())
    {
        error = "image data does not inflate to the image size";
        return false;
    }
    out.pixels.assign(stride * out.height, 0);
    for (int y = 0; y < out.height; ++y)
    {
        const uint8_t filter = raw[y * (stride + 1)];
        const uint8_t* in = &raw[y * (stride + 1) + 1];
        uint8_t* row = &out.pixels[y * stride];
        const uint8_t* up = y > 0 ? row - stride : nullptr;
        if (filter > 4)
        {
            error = "filter type";
            return false;
        }
        for (size_t i = 0; i < stride; ++i)
        {
            const int a = i >= 4 ? row[i - 4] : 0, b = up ? up[i] : 0;
            const int c = (i >= 4 && up) ? up[i - 4] : 0;
            const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b),
                      pc = std::abs(p - c);
            const int paeth = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
            const int predictor[5] = {0, a, b, (a + b) / 2, paeth}; // by filter type
            row[i] = uint8_t(in[i] + predictor[filter]);
        }
    }
    return true;
}

TRgbaImage_s Solid(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    TRgbaImage_s image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; ++i)
    {
        image.pixels.insert(image.pixels.end(), {r, g, b, a});
    }
    return image;
}

void FillRect(TRgbaImage_s& image, int x0, int y0, int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
    for (int y = y0; y < y0 + h; ++y)
    {
        for (int x = x0; x < x0 + w; ++x)
        {
            uint8_t* p = image.At(x, y);
            p[0] = r;
            p[1] = g;
            p[2] = b;
            p[3] = 255;
        }
    }
}

// An uncompressed TGA with the usual bottom-left origin: rows bottom first, B, G, R (, A).
std::vector<uint8_t> BottomUpTGA(const TRgbaImage_s& image, bool alpha)
{
    std::vector<uint8_t> tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    tga.insert(tga.end(),
               {uint8_t(image.width), uint8_t(image.width >> 8), uint8_t(image.height),
                uint8_t(image.height >> 8), uint8_t(alpha ? 32 : 24), uint8_t(alpha ? 8 : 0)});
    for (int y = image.height - 1; y >= 0; --y)
    {
        for (int x = 0; x < image.width; ++x)
        {
            const uint8_t* p = image.At(x, y);
            tga.insert(tga.end(), {p[2], p[1], p[0]});
            if (alpha)
            {
                tga.push_back(p[3]);
            }
        }
    }
    return tga;
}

std::vector<int> Pixel(const TRgbaImage_s& image, int x, int y)
{
    return std::vector<int>(image.At(x, y), image.At(x, y) + 4);
}

std::vector<int> Corners(const TIconRect_s& r)
{
    return {r.x, r.y, r.width, r.height};
}

// Opaque columns of one icon row: first and last x with alpha above zero (-1 when none).
std::pair<int, int> OpaqueSpan(const TRgbaImage_s& icon, int y)
{
    int first = -1, last = -1;
    for (int x = 0; x < icon.width; ++x)
    {
        if (icon.At(x, y)[3] > 0)
        {
            first = first < 0 ? x : first;
            last = x;
        }
    }
    return {first, last};
}
} // namespace

TEST(IconPng, EncodedImageDecodesToTheSamePixelsUpToPremultiplyingWithValidChunks)
{
    TRgbaImage_s image = Solid(7, 5, 0, 0, 0, 0);
    for (size_t i = 0; i < image.pixels.size(); ++i)
    {
        image.pixels[i] = uint8_t(i * 37 + (i >> 3) * 11);
    }
    const std::vector<uint8_t> png =
        krEncodePNG(image.pixels.data(), image.pixels.size(), image.width, image.height);
    TRgbaImage_s decoded;
    std::string error;
    ASSERT_TRUE(DecodePNG(png, decoded, error)) << error;
    ASSERT_EQ(decoded.width, 7);
    ASSERT_EQ(decoded.height, 5);
    // Cairo keeps colour premultiplied by alpha in 8 bits: a colour comes back within half a
    // step of 255 / alpha (and a fully transparent pixel has no colour to keep).
    for (size_t i = 0; i < image.pixels.size(); i += 4)
    {
        const int alpha = image.pixels[i + 3];
        ASSERT_EQ(decoded.pixels[i + 3], alpha) << i / 4;
        for (int c = 0; c < 3 && alpha > 0; ++c)
        {
            EXPECT_LE(std::abs(decoded.pixels[i + c] - image.pixels[i + c]), 255 / (2 * alpha) + 1)
                << "pixel " << i / 4 << " channel " << c << " alpha " << alpha;
        }
    }
}

TEST(IconPng, RefusesEmptyOrInconsistentImagesAndUnwritablePaths)
{
    EXPECT_TRUE(krEncodePNG(nullptr, 0, 0, 0).empty());
    TRgbaImage_s broken = Solid(4, 4, 1, 2, 3);
    broken.pixels.pop_back();
    EXPECT_TRUE(krEncodePNG(broken.pixels.data(), broken.pixels.size(), 4, 4).empty());

    const std::string folder = krTestTempDir();
    const TRgbaImage_s image = Solid(3, 2, 200, 100, 50);
    const uint8_t* pixels = image.pixels.data();
    const size_t bytes = image.pixels.size();
    EXPECT_FALSE(krWritePNG(folder + "/missing/folder/icon.png", pixels, bytes, 3, 2));
    ASSERT_TRUE(krWritePNG(folder + "/icon.png", pixels, bytes, 3, 2));
    std::vector<unsigned char> written;
    ASSERT_TRUE(krTestReadFile(folder + "/icon.png", written));
    EXPECT_EQ(written, krEncodePNG(pixels, bytes, 3, 2));
}

TEST(IconImage, TGAIsDecodedTopRowFirstWithAlpha)
{
    TRgbaImage_s picture = Solid(2, 2, 0, 0, 0);
    FillRect(picture, 0, 0, 1, 1, 255, 0, 0);   // top left red
    FillRect(picture, 1, 0, 1, 1, 0, 255, 0);   // top right green
    FillRect(picture, 0, 1, 1, 1, 0, 0, 255);   // bottom left blue
    FillRect(picture, 1, 1, 1, 1, 255, 255, 0); // bottom right yellow
    picture.At(1, 1)[3] = 77;

    for (bool alpha : {false, true})
    {
        std::vector<uint8_t> tga = BottomUpTGA(picture, alpha);
        krMemoryBlock block{tga.data(), tga.size()};
        TRgbaImage_s decoded;
        ASSERT_TRUE(krImageFromTGA(&block, decoded));
        ASSERT_EQ(decoded.width, 2);
        ASSERT_EQ(decoded.height, 2);
        TRgbaImage_s expected = picture;
        expected.At(1, 1)[3] = alpha ? 77 : 255;
        EXPECT_EQ(decoded.pixels, expected.pixels) << (alpha ? "32-bit" : "24-bit");
    }
    uint8_t garbage[20] = {1, 2, 3};
    krMemoryBlock block{garbage, sizeof(garbage)};
    TRgbaImage_s decoded;
    EXPECT_FALSE(krImageFromTGA(&block, decoded));
}

TEST(IconImage, CardBackIsTheDarkRegionOfTheRightHalfTrimmedByAnEdge)
{
    TRgbaImage_s texture = Solid(400, 200, 250, 250, 245);
    FillRect(texture, 40, 60, 30, 40, 10, 10, 10);    // ink on the face: ignored
    FillRect(texture, 250, 40, 100, 120, 20, 30, 80); // the back
    EXPECT_EQ(Corners(krFindCardBack(texture)), (std::vector<int>{251, 41, 98, 118}));
    EXPECT_EQ(Corners(krFindDarkRegion(texture, 0, 200, 0.5f)), (std::vector<int>{40, 60, 30, 40}));

    TRgbaImage_s blank = Solid(400, 200, 250, 250, 245);
    EXPECT_EQ(krFindCardBack(blank).width, 0);
    FillRect(blank, 300, 100, 3, 3, 0, 0, 0); // a speck is no card back
    EXPECT_EQ(krFindCardBack(blank).width, 0);
}

TEST(IconImage, CentreSquareIsCentredOnTheRegion)
{
    EXPECT_EQ(Corners(krCentreSquare(TIconRect_s{10, 20, 100, 200}, 0.5f)),
              (std::vector<int>{35, 95, 50, 50}));
}

TEST(IconRender, KeepsOrientationColoursAndTransparentCorners)
{
    TRgbaImage_s source = Solid(300, 300, 255, 255, 255);
    FillRect(source, 0, 0, 150, 150, 200, 0, 0);      // top left red
    FillRect(source, 150, 0, 150, 150, 0, 160, 0);    // top right green
    FillRect(source, 0, 150, 150, 150, 0, 0, 190);    // bottom left blue
    FillRect(source, 150, 150, 150, 150, 90, 90, 90); // bottom right grey
    const TRgbaImage_s icon = krRenderIcon(source, TIconRect_s{0, 0, 300, 300}, 64);
    ASSERT_EQ(icon.width, 64);
    ASSERT_EQ(icon.height, 64);

    EXPECT_EQ(Pixel(icon, 16, 16), (std::vector<int>{200, 0, 0, 255}));
    EXPECT_EQ(Pixel(icon, 48, 16), (std::vector<int>{0, 160, 0, 255}));
    EXPECT_EQ(Pixel(icon, 16, 48), (std::vector<int>{0, 0, 190, 255}));
    EXPECT_EQ(Pixel(icon, 48, 48), (std::vector<int>{90, 90, 90, 255}));
    // The margin (64 / 32 = 2 pixels) and the rounded corners are transparent.
    EXPECT_EQ(icon.At(0, 0)[3], 0);
    EXPECT_EQ(icon.At(1, 32)[3], 0);
    EXPECT_EQ(icon.At(2, 2)[3], 0);
    EXPECT_EQ(icon.At(62, 61)[3], 0);
    EXPECT_EQ(icon.At(2, 32)[3], 255);
    EXPECT_EQ(icon.At(61, 32)[3], 255);
}

TEST(IconRender, AveragesByAreaAndWeightsColourByAlpha)
{
    // A one-pixel checkerboard of black and white shrinks to an even grey.
    TRgbaImage_s checker = Solid(256, 256, 0, 0, 0);
    for (int y = 0; y < 256; ++y)
    {
        for (int x = (y & 1); x < 256; x += 2)
        {
            FillRect(checker, x, y, 1, 1, 255, 255, 255);
        }
    }
    const TRgbaImage_s grey = krRenderIcon(checker, TIconRect_s{0, 0, 256, 256}, 16);
    for (int c = 0; c < 3; ++c)
    {
        EXPECT_NEAR(grey.At(8, 8)[c], 128, 2);
    }

    // Half the footprint transparent black, half opaque red: red at half alpha, not dark red.
    TRgbaImage_s half = Solid(64, 64, 0, 0, 0, 0);
    for (int x = 0; x < 64; x += 2)
    {
        FillRect(half, x, 0, 1, 64, 240, 0, 0);
    }
    const TRgbaImage_s icon = krRenderIcon(half, TIconRect_s{0, 0, 64, 64}, 16);
    const uint8_t* p = icon.At(8, 8);
    // Within one step: Cairo stores the colour premultiplied by alpha in 8 bits.
    EXPECT_NEAR(p[0], 240, 1);
    EXPECT_NEAR(p[3], 128, 2);
}

TEST(IconRender, NonSquareRegionsSitCentredOnWholePixelsAtEverySize)
{
    const TRgbaImage_s source = Solid(908, 940, 30, 40, 90);
    for (int size : {16, 32, 48, 64, 128, 256})
    {
        const TRgbaImage_s icon = krRenderIcon(source, TIconRect_s{0, 0, 908, 940}, size);
        const auto [first, last] = OpaqueSpan(icon, size / 2);
        ASSERT_GE(first, 0) << size;
        EXPECT_EQ(first, size - 1 - last) << "not centred at " << size;
        EXPECT_EQ(icon.At(first, size / 2)[3], 255) << "blurred edge at " << size;
        EXPECT_GE(first, size / 32) << "margin at " << size;
    }
    EXPECT_TRUE(krRenderIcon(source, TIconRect_s{}, 32).pixels ==
                std::vector<uint8_t>(32 * 32 * 4, 0));
    EXPECT_TRUE(krRenderIcon(source, TIconRect_s{0, 0, 10, 10}, 0).pixels.empty());
}

TEST(IconPack, GeneratedPackHasACardBackAndMissingEntriesAreNamed)
{
    const std::string pack = VOSSA_TEST_PACK;
    TRgbaImage_s texture;
    std::string error;
    if (!krLoadPackImage(pack, "texture_0", texture, error))
    {
        GTEST_SKIP() << "no generated asset pack: " << error;
    }
    const TIconRect_s back = krFindCardBack(texture);
    ASSERT_GT(back.width, 0);
    EXPECT_GE(back.x, texture.width / 2);
    EXPECT_GT(back.width, texture.width / 4);
    EXPECT_GT(back.height, texture.height / 2);

    EXPECT_FALSE(krLoadPackImage(pack, "no_such_entry", texture, error));
    EXPECT_NE(error.find("no_such_entry"), std::string::npos);
    EXPECT_FALSE(krLoadPackImage(pack + ".missing", "texture_0", texture, error));
    EXPECT_NE(error.find(".missing"), std::string::npos);
    EXPECT_FALSE(krLoadPackImage(pack, "msg_english", texture, error)) << "a text is no image";
}
