// krGlyphAtlas: shelf packing of glyph bitmaps into one power-of-two luminance-alpha image.
#include "render/krGlyphAtlas.h"

#include <algorithm>
#include <cstdlib>

namespace
{

// Sides beyond this are refused whatever the driver offers (32 MiB of texels at most).
const int32_t kMaxAtlasSide = 4096;
// Zero texels before each bitmap, along x and along y. The gutter row and column at the
// image's start also guard its far edges: a repeating sampler reaches around to them.
const int64_t kGutter = 1;

// Cells of at least 2 x 2 texels: more drawn glyphs than this can never fit.
const uint64_t kMaxDrawnGlyphs = uint64_t(kMaxAtlasSide) * kMaxAtlasSide / 4;

int32_t FloorPowerOfTwo(int32_t n)
{
    int32_t p = 1;
    while (p <= n / 2)
    {
        p *= 2;
    }
    return p;
}

// Places the glyphs `order[0 .. count)` left to right on shelves as tall as their first (and
// tallest) glyph. False when they do not fit into width x height.
bool PlaceOnShelves(const TGlyph_s* glyphs, const uint64_t* order, uint64_t count, int64_t width,
                    int64_t height, TAtlasSlot_s* slots)
{
    int64_t x = kGutter, y = kGutter, shelf = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        const TGlyph_s& g = glyphs[order[i]];
        if (x + g.width > width)
        {
            y += shelf + kGutter;
            x = kGutter;
            shelf = 0;
        }
        if (x + g.width > width || y + g.height > height)
        {
            return false;
        }
        slots[order[i]].x = int32_t(x);
        slots[order[i]].y = int32_t(y);
        x += g.width + kGutter;
        shelf = std::max<int64_t>(shelf, g.height);
    }
    return true;
}

} // namespace

krGlyphAtlas::krGlyphAtlas() : width(0), height(0), slots(nullptr), slotCount(0), texels(nullptr) {}

krGlyphAtlas::~krGlyphAtlas()
{
    Clear();
}

bool krGlyphAtlas::HasArea(const TGlyph_s& glyph)
{
    return glyph.width > 0 && glyph.height > 0;
}

void krGlyphAtlas::FreeTexels()
{
    free(texels);
    texels = nullptr;
}

void krGlyphAtlas::Clear()
{
    FreeTexels();
    free(slots);
    slots = nullptr;
    slotCount = 0;
    width = 0;
    height = 0;
}

bool krGlyphAtlas::Pack(const TGlyph_s* glyphs, uint64_t count, int32_t maxSide)
{
    Clear();
    if (!glyphs || count == 0 || maxSide < 1)
    {
        return false;
    }
    const int32_t side = FloorPowerOfTwo(std::min(maxSide, kMaxAtlasSide));
    uint64_t drawn = 0;
    uint64_t area = 0; // texels the cells need, a lower bound for the image
    for (uint64_t i = 0; i < count; i++)
    {
        if (HasArea(glyphs[i]))
        {
            if (glyphs[i].width + kGutter > side || glyphs[i].height + kGutter > side ||
                ++drawn > kMaxDrawnGlyphs)
            {
                return false;
            }
            area += uint64_t(glyphs[i].width + kGutter) * uint64_t(glyphs[i].height + kGutter);
        }
    }
    if (area > uint64_t(side) * uint64_t(side))
    {
        return false;
    }
    slots = static_cast<TAtlasSlot_s*>(calloc(count, sizeof(TAtlasSlot_s)));
    uint64_t* order = static_cast<uint64_t*>(malloc((drawn ? drawn : 1) * sizeof(uint64_t)));
    if (!slots || !order)
    {
        free(order);
        Clear();
        return false;
    }
    slotCount = count;
    uint64_t n = 0;
    for (uint64_t i = 0; i < count; i++)
    {
        if (HasArea(glyphs[i]))
        {
            order[n++] = i;
        }
    }
    // Tallest first; equal heights keep their code order, so the packing is reproducible.
    std::sort(order, order + drawn,
              [glyphs](uint64_t a, uint64_t b) {
                  return glyphs[a].height != glyphs[b].height ? glyphs[a].height > glyphs[b].height
                                                              : a < b;
              });
    // Candidates by growing area, never taller than wide: 1 x 1, 2 x 1, 2 x 2, 4 x 2, ...
    bool placed = false;
    for (int64_t w = 1, h = 1; !placed && w <= side;)
    {
        if (uint64_t(w) * uint64_t(h) >= area)
        {
            placed = PlaceOnShelves(glyphs, order, drawn, w, h, slots);
            if (placed)
            {
                width = int32_t(w);
                height = int32_t(h);
                break;
            }
        }
        if (h < w)
        {
            h *= 2;
        }
        else
        {
            w *= 2;
        }
    }
    free(order);
    texels =
        placed ? static_cast<uint8_t*>(calloc(uint64_t(width) * uint64_t(height), 2)) : nullptr;
    if (!texels)
    {
        Clear();
        return false;
    }
    for (uint64_t i = 0; i < count; i++)
    {
        const TGlyph_s& g = glyphs[i];
        if (!HasArea(g) || !g.bitmap)
        {
            continue;
        }
        for (int32_t row = 0; row < g.height; row++)
        {
            const uint8_t* from = g.bitmap + uint64_t(row) * uint64_t(g.width);
            uint8_t* to = texels + 2 * ((uint64_t(slots[i].y) + uint64_t(row)) * uint64_t(width) +
                                        uint64_t(slots[i].x));
            for (int32_t column = 0; column < g.width; column++)
            {
                to[2 * column] = from[column];
                to[2 * column + 1] = from[column];
            }
        }
    }
    return true;
}
