// The pack's pictures decoded with the engine's TGA decoder: sizes, formats and the visual
// promises (red and black suits, a shared back, plain edges, clear borders, button shading).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "AssetgenTestPack.h"
#include "PackCatalogue.h"
#include "render/krTexture.h"

namespace
{
struct TTextureDeleter
{
    void operator()(TTGATexture* t) const { FreeTGATexture(t); }
};
using TTexturePtr = std::unique_ptr<TTGATexture, TTextureDeleter>;

TTexturePtr Decode(const std::string& name)
{
    std::vector<uint8_t> bytes = krTestPackEntry(name);
    krMemoryBlock view{bytes.data(), bytes.size()};
    return TTexturePtr(bytes.empty() ? nullptr : LoadFromMemoryBlockTGA(&view));
}

// Pixel (x, y) of a decoded picture, y counted from the bottom row (the file's first row).
const uint8_t* Pixel(const TTGATexture* t, uint32_t x, uint32_t y)
{
    return t->pixels + ((size_t)y * t->width + x) * (t->bitsPerPixel / 8);
}

bool IsRed(const uint8_t* p)
{
    return p[0] > 150 && p[1] < 90 && p[2] < 90;
}

void ExpectPicture(const std::string& name, uint32_t w, uint32_t h, uint32_t bits)
{
    TTexturePtr t = Decode(name);
    ASSERT_NE(t, nullptr) << name;
    EXPECT_EQ(t->width, w) << name;
    EXPECT_EQ(t->height, h) << name;
    EXPECT_EQ(t->bitsPerPixel, bits) << name;
    EXPECT_EQ(t->format, bits == 32 ? 0x1908u : 0x1907u) << name;
}

bool PowerOfTwo(uint32_t v)
{
    return v && (v & (v - 1)) == 0;
}
} // namespace

TEST(PackPictures, EveryPictureDecodesToItsSizeAndFormat)
{
    for (int i = 0; i < kPackFaceCount; ++i)
    {
        ExpectPicture("texture_" + std::to_string(i), 1024, 512, 24);
        ExpectPicture("texture_" + std::to_string(i) + "_low", 512, 256, 24);
    }
    for (const char* cloud : {"cloud01", "cloud02", "cloud03"})
    {
        ExpectPicture(cloud, 512, 256, 32);
        ExpectPicture(std::string(cloud) + "_low", 256, 128, 32);
    }
    ExpectPicture("texture_star_01", 128, 128, 32);
    for (const char* colour : {"blue", "green", "red"})
    {
        for (const char* face : {"passive", "active", "pushed"})
        {
            ExpectPicture(std::string("button_") + colour + "_" + face, 128, 32, 32);
        }
    }
    ExpectPicture("vossa_logo", 512, 256, 32);
    ExpectPicture("vossa_logo_low", 256, 128, 32);
}

TEST(PackPictures, LowQualityHasAQuarterOfThePixelsAndAllSizesArePowersOfTwo)
{
    for (const char* base : {"texture_0", "texture_20", "cloud02", "vossa_logo"})
    {
        TTexturePtr high = Decode(base), low = Decode(std::string(base) + "_low");
        ASSERT_TRUE(high && low) << base;
        EXPECT_EQ((uint64_t)high->width * high->height, 4ull * low->width * low->height) << base;
        EXPECT_TRUE(PowerOfTwo(high->width) && PowerOfTwo(high->height)) << base;
        EXPECT_TRUE(PowerOfTwo(low->width) && PowerOfTwo(low->height)) << base;
    }
}

TEST(PackPictures, RedSuitsAreRedAndBlackSuitsHaveNoRed)
{
    // The deck in assets/cards.txt: card n is texture_n. Red suits: K♥ (1), Q♦ (2), 9♥ (5),
    // 8♦ (6), 5♥ (9), 4♦ (10), A♥ (13), J♥ (16), 10♦ (17), A♦ (18), 7♥ (20), Q♥ (22),
    // J♦ (23), 8♥ (26). Pip cards of black suits (4 = 10♠, 7 = 7♣, 8 = 6♠, 11 = 3♣, 12 = 2♠,
    // 24 = 9♠, 25 = 10♣) have no red at all.
    const int red[] = {1, 2, 5, 6, 9, 10, 13, 16, 17, 18, 20, 22, 23, 26};
    const int blackPips[] = {4, 7, 8, 11, 12, 19, 0, 24, 25};
    auto redShare = [](int card)
    {
        TTexturePtr t = Decode("texture_" + std::to_string(card) + "_low");
        size_t count = 0;
        for (uint32_t y = 0; y < t->height; y += 2)
        {
            for (uint32_t x = 0; x < t->width / 2; x += 2)
            {
                count += IsRed(Pixel(t.get(), x, y));
            }
        }
        return (double)count / ((t->width / 4) * (t->height / 2));
    };
    for (int card : red)
    {
        EXPECT_GT(redShare(card), 0.01) << "texture_" << card;
    }
    for (int card : blackPips)
    {
        EXPECT_LT(redShare(card), 0.0005) << "texture_" << card;
    }
}

TEST(PackPictures, AllCardsShareOneBackAndHaveDistinctFaces)
{
    TTexturePtr first = Decode("texture_0_low");
    ASSERT_NE(first, nullptr);
    const size_t rowBytes = first->width * 3, half = rowBytes / 2;
    std::vector<std::vector<uint8_t>> faces;
    for (int i = 0; i < kPackFaceCount; ++i)
    {
        TTexturePtr t = Decode("texture_" + std::to_string(i) + "_low");
        std::vector<uint8_t> face;
        bool sameBack = true;
        for (uint32_t y = 0; y < t->height; ++y)
        {
            const uint8_t* row = t->pixels + y * rowBytes;
            face.insert(face.end(), row, row + half);
            sameBack = sameBack &&
                       std::equal(row + half, row + rowBytes, first->pixels + y * rowBytes + half);
        }
        EXPECT_TRUE(sameBack) << "texture_" << i;
        for (size_t k = 0; k < faces.size(); ++k)
        {
            EXPECT_NE(faces[k], face) << "texture_" << k << " and texture_" << i;
        }
        faces.push_back(face);
    }
}

TEST(PackPictures, CardEdgesSampleAPlainLightTexel)
{
    // The mesh maps every edge to (u, v) = (0.25, 0.012): a texel of the face's margin.
    for (const char* suffix : {"", "_low"})
    {
        for (int i = 0; i <= 20; ++i)
        {
            TTexturePtr t = Decode("texture_" + std::to_string(i) + suffix);
            uint32_t x = (uint32_t)(0.25f * t->width), y = (uint32_t)(0.012f * t->height);
            for (int dx = -2; dx <= 2; ++dx)
            {
                for (int dy = -2; dy <= 2; ++dy)
                {
                    const uint8_t* p = Pixel(t.get(), x + dx, y + dy);
                    EXPECT_GT(p[0] + p[1] + p[2], 3 * 240) << "texture_" << i << suffix;
                }
            }
        }
    }
}

TEST(PackPictures, TranslucentPicturesFadeToNothingAtTheirBorders)
{
    for (const char* name : {"cloud01", "cloud02", "cloud03", "cloud01_low", "texture_star_01"})
    {
        TTexturePtr t = Decode(name);
        ASSERT_NE(t, nullptr) << name;
        uint32_t maxBorder = 0, maxInside = 0;
        for (uint32_t y = 0; y < t->height; ++y)
        {
            for (uint32_t x = 0; x < t->width; ++x)
            {
                uint32_t a = Pixel(t.get(), x, y)[3];
                bool border = x == 0 || y == 0 || x == t->width - 1 || y == t->height - 1;
                (border ? maxBorder : maxInside) = std::max(border ? maxBorder : maxInside, a);
            }
        }
        EXPECT_EQ(maxBorder, 0u) << name;
        EXPECT_GT(maxInside, 150u) << name;
    }
}

TEST(PackPictures, ActiveButtonsAreLighterAndPushedButtonsDarker)
{
    auto luminance = [](const std::string& name)
    {
        TTexturePtr t = Decode(name);
        double sum = 0, weight = 0;
        for (uint32_t i = 0; i < t->width * t->height; ++i)
        {
            const uint8_t* p = t->pixels + i * 4;
            sum += (0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2]) * p[3];
            weight += p[3];
        }
        return sum / weight;
    };
    for (const char* colour : {"blue", "green", "red"})
    {
        const std::string base = std::string("button_") + colour + "_";
        double passive = luminance(base + "passive"), active = luminance(base + "active");
        double pushed = luminance(base + "pushed");
        EXPECT_GT(active, passive + 10) << colour;
        EXPECT_LT(pushed, passive - 10) << colour;
        // White captions need a face that is not too light.
        EXPECT_LT(active, 190) << colour;
    }
}

TEST(PackPictures, ButtonCornersAreTransparentAndTheirMiddleOpaque)
{
    TTexturePtr t = Decode("button_blue_passive");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(Pixel(t.get(), 0, 0)[3], 0);
    EXPECT_EQ(Pixel(t.get(), 127, 31)[3], 0);
    EXPECT_EQ(Pixel(t.get(), 64, 16)[3], 255);
}

TEST(PackPictures, LogoHasATransparentGroundAndAnOpaqueTitle)
{
    TTexturePtr t = Decode("vossa_logo");
    ASSERT_NE(t, nullptr);
    size_t opaque = 0, clear = 0;
    for (uint32_t i = 0; i < t->width * t->height; ++i)
    {
        uint8_t a = t->pixels[i * 4 + 3];
        opaque += a == 255;
        clear += a == 0;
    }
    const double n = t->width * t->height;
    EXPECT_GT(opaque / n, 0.1);
    EXPECT_GT(clear / n, 0.3);
}
