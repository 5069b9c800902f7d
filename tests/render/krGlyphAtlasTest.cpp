// Tests of krGlyphAtlas: the packing (gutters, copies, power-of-two sides) and its refusals.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "render/krGlyphAtlas.h"

namespace
{

TGlyph_s Glyph(int32_t width, int32_t height, uint8_t* bitmap = nullptr)
{
    TGlyph_s g = {};
    g.bitmap = bitmap;
    g.width = width;
    g.height = height;
    return g;
}

bool IsPowerOfTwo(int32_t n)
{
    return n > 0 && (n & (n - 1)) == 0;
}

} // namespace

TEST(krGlyphAtlas, EveryBitmapCopiedWithAZeroTexelAroundIt)
{
    // Mixed sizes (and empty or negative ones, which get no place) with distinct coverage.
    const int32_t sizes[][2] = {{5, 9}, {0, 0}, {12, 3}, {1, 1}, {7, 7}, {-3, 4}, {30, 2}, {3, 11}};
    const size_t count = sizeof(sizes) / sizeof(sizes[0]);
    std::vector<std::vector<uint8_t>> bitmaps(count);
    std::vector<TGlyph_s> glyphs;
    for (size_t i = 0; i < count; i++)
    {
        const int32_t w = sizes[i][0], h = sizes[i][1];
        for (int32_t t = 0; w > 0 && h > 0 && t < w * h; t++)
        {
            bitmaps[i].push_back(uint8_t(1 + (i * 31 + t * 7) % 255));
        }
        glyphs.push_back(Glyph(w, h, bitmaps[i].empty() ? nullptr : bitmaps[i].data()));
    }
    krGlyphAtlas atlas;
    ASSERT_TRUE(atlas.Pack(glyphs.data(), count, 2048));
    ASSERT_EQ(atlas.slotCount, count);
    EXPECT_TRUE(IsPowerOfTwo(atlas.width) && IsPowerOfTwo(atlas.height));
    EXPECT_LE(atlas.width * atlas.height, 32 * 32); // 275 texels with gutters: no larger

    // Which glyph owns each texel; -1 for none. A glyph's ring of neighbours (wrapping around
    // the edges, as a repeating texture does) must belong to no glyph and be zero.
    std::vector<int> owner(size_t(atlas.width) * atlas.height, -1);
    for (size_t i = 0; i < count; i++)
    {
        const TGlyph_s& g = glyphs[i];
        if (!krGlyphAtlas::HasArea(g))
        {
            continue;
        }
        const TAtlasSlot_s s = atlas.slots[i];
        ASSERT_TRUE(s.x >= 0 && s.y >= 0 && s.x + g.width <= atlas.width &&
                    s.y + g.height <= atlas.height)
            << i;
        for (int32_t y = 0; y < g.height; y++)
        {
            for (int32_t x = 0; x < g.width; x++)
            {
                const size_t at = size_t(s.y + y) * atlas.width + size_t(s.x + x);
                EXPECT_EQ(owner[at], -1) << i;
                owner[at] = int(i);
                EXPECT_EQ(atlas.texels[2 * at], bitmaps[i][size_t(y) * g.width + x]) << i;
                EXPECT_EQ(atlas.texels[2 * at + 1], bitmaps[i][size_t(y) * g.width + x]) << i;
            }
        }
    }
    for (size_t i = 0; i < count; i++)
    {
        const TGlyph_s& g = glyphs[i];
        for (int32_t y = -1; krGlyphAtlas::HasArea(g) && y <= g.height; y++)
        {
            for (int32_t x = -1; x <= g.width; x++)
            {
                const int32_t ax = (atlas.slots[i].x + x + atlas.width) % atlas.width;
                const int32_t ay = (atlas.slots[i].y + y + atlas.height) % atlas.height;
                const size_t at = size_t(ay) * atlas.width + size_t(ax);
                if (x == -1 || y == -1 || x == g.width || y == g.height)
                {
                    EXPECT_EQ(owner[at], -1) << "glyph " << i << " touches at " << x << "," << y;
                    EXPECT_EQ(atlas.texels[2 * at + 1], 0) << i;
                }
            }
        }
    }

    // The smallest atlas: one texel and its gutter, 2 x 2.
    const TGlyph_s dot = Glyph(1, 1);
    ASSERT_TRUE(atlas.Pack(&dot, 1, 2048));
    EXPECT_EQ(atlas.width, 2);
    EXPECT_EQ(atlas.height, 2);
    EXPECT_EQ(atlas.texels[2 * (atlas.slots[0].y * 2 + atlas.slots[0].x) + 1], 0); // no bitmap
}

TEST(krGlyphAtlas, GlyphsThatCannotFitAreRefusedAndLeaveItEmpty)
{
    krGlyphAtlas atlas;
    const TGlyph_s wide = Glyph(63, 5);
    EXPECT_TRUE(atlas.Pack(&wide, 1, 64)); // 63 and its gutter: exactly 64
    EXPECT_EQ(atlas.width, 64);
    EXPECT_TRUE(atlas.Pack(&wide, 1, 100)); // a side of 100 allows 64
    const TGlyph_s wider = Glyph(64, 5);
    EXPECT_FALSE(atlas.Pack(&wider, 1, 64));
    EXPECT_EQ(atlas.width, 0);
    EXPECT_EQ(atlas.slots, nullptr);
    EXPECT_EQ(atlas.texels, nullptr);
    EXPECT_FALSE(atlas.Pack(&wide, 1, 0));
    EXPECT_FALSE(atlas.Pack(nullptr, 1, 64));
    EXPECT_FALSE(atlas.Pack(&wide, 0, 64));

    // Hostile sizes: never an allocation of their product, nor a crash.
    const TGlyph_s huge[] = {Glyph(INT32_MAX, INT32_MAX), Glyph(INT32_MAX, 1), Glyph(1, INT32_MAX),
                             Glyph(5000, 5000)};
    for (const TGlyph_s& g : huge)
    {
        EXPECT_FALSE(atlas.Pack(&g, 1, INT32_MAX));
    }
    // Many glyphs: 64 of 7 x 7 fill a 64 x 64 atlas exactly (8 x 8 cells of 8 x 8 texels with
    // their gutters); one more does not fit.
    std::vector<TGlyph_s> many(64, Glyph(7, 7));
    EXPECT_TRUE(atlas.Pack(many.data(), many.size(), 64));
    many.push_back(Glyph(7, 7));
    EXPECT_FALSE(atlas.Pack(many.data(), many.size(), 64));
    // More glyphs than any atlas can hold are refused before packing.
    std::vector<TGlyph_s> flood(5000000, Glyph(1, 1));
    EXPECT_FALSE(atlas.Pack(flood.data(), flood.size(), INT32_MAX));
}
