// The generator's encoders on their own: TGA against the engine's decoder and an independent
// one, the mesh and glyph block layouts, text wrapping, the canvas's pixels and the soft masks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "Canvas.h"
#include "CardMesh.h"
#include "FontFace.h"
#include "GlyphBlock.h"
#include "MeshBlock.h"
#include "SoftMask.h"
#include "TextPack.h"
#include "TgaWriter.h"
#include "krTGAEncoder.h"
#include "krTestTGA.h"
#include "render/krTexture.h"
#include "render/krVertexArray.h"

namespace
{
TImage_s Pattern(int w, int h)
{
    // Runs longer than 128 pixels, runs across row ends, single odd pixels and pairs.
    TImage_s img = {w, h, std::vector<uint8_t>((size_t)w * h * 4)};
    for (int y = 0; y < h; ++y)
    {
        for (int x = 0; x < w; ++x)
        {
            uint8_t* p = &img.rgba[((size_t)y * w + x) * 4];
            bool plain = (y < h / 2) || (x % 7 == 3 && y % 2 == 0);
            p[0] = plain ? 10 : (uint8_t)(x * 3 + y);
            p[1] = plain ? 20 : (uint8_t)(x ^ y);
            p[2] = plain ? 30 : (uint8_t)(y * 5);
            p[3] = plain ? 255 : (uint8_t)(x * 11);
        }
    }
    return img;
}

// Decodes with the engine and compares with `img` (rows bottom first in the decoded record).
void ExpectDecodesTo(const std::vector<uint8_t>& tga, const TImage_s& img, bool alpha)
{
    krMemoryBlock view{const_cast<uint8_t*>(tga.data()), tga.size()};
    TTGATexture* t = LoadFromMemoryBlockTGA(&view);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->width, (uint32_t)img.width);
    ASSERT_EQ(t->height, (uint32_t)img.height);
    ASSERT_EQ(t->bitsPerPixel, alpha ? 32u : 24u);
    const int bpp = alpha ? 4 : 3;
    for (int y = 0; y < img.height; ++y)
    {
        for (int x = 0; x < img.width; ++x)
        {
            const uint8_t* d = t->pixels + ((size_t)(img.height - 1 - y) * img.width + x) * bpp;
            const uint8_t* s = &img.rgba[((size_t)y * img.width + x) * 4];
            ASSERT_EQ(0, std::memcmp(d, s, bpp)) << "pixel " << x << "," << y;
        }
    }
    FreeTGATexture(t);
}
} // namespace

TEST(TgaWriter, RunLengthAndRawImagesDecodeWithTheEngineDecoder)
{
    const TImage_s img = Pattern(300, 7);
    for (bool alpha : {false, true})
    {
        ExpectDecodesTo(EncodeTGA(img, alpha, true), img, alpha);
        ExpectDecodesTo(EncodeTGA(img, alpha, false), img, alpha);
    }
}

TEST(TgaWriter, HeaderIsTheUsualBottomLeftTrueColourHeader)
{
    TImage_s img = Pattern(5, 3);
    std::vector<uint8_t> rle = EncodeTGA(img, true, true), raw = EncodeTGA(img, false, false);
    EXPECT_EQ(0, std::memcmp(rle.data(), cTGAcompare, 12));
    EXPECT_EQ(0, std::memcmp(raw.data(), uTGAcompare, 12));
    EXPECT_EQ(rle[12] | rle[13] << 8, 5);
    EXPECT_EQ(rle[14] | rle[15] << 8, 3);
    EXPECT_EQ(rle[16], 32);
    EXPECT_EQ(rle[17], 8); // eight alpha bits, bottom-left origin
    EXPECT_EQ(raw[16], 24);
    EXPECT_EQ(raw.size(), 18u + 5 * 3 * 3);
}

TEST(TgaWriter, LongFlatRunsPackIntoRunPackets)
{
    const TImage_s img = {256, 4, std::vector<uint8_t>(256 * 4 * 4, 200)};
    // 1024 equal pixels: 8 run packets of 128, 4 bytes each.
    EXPECT_EQ(EncodeTGA(img, false, true).size(), 18u + 8 * 4);
}

TEST(krTGAEncoder, RoundTripsRunsRawStretchesAndRowEndsWithAnIndependentDecoder)
{
    const int width = 300, height = 3;
    std::vector<uint8_t> rgba(width * height * 4);
    for (int y = 0; y < height; y++)
    {
        for (int x = 0; x < width; x++)
        {
            uint8_t* p = &rgba[(y * width + x) * 4];
            // Row 0: one long run (longer than a packet); row 1: all different; row 2: pairs.
            const int v = y == 0 ? 7 : y == 1 ? x : x / 2;
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v * 3);
            p[2] = static_cast<uint8_t>(y);
            p[3] = static_cast<uint8_t>(255 - v);
        }
    }
    const std::vector<uint8_t> tga = krEncodeTGA(rgba.data(), width, height, true, true);
    ASSERT_GT(tga.size(), 18u);
    EXPECT_EQ(tga[2], 10);
    EXPECT_EQ(tga[17], 0x08);
    TTestImage_s image;
    ASSERT_TRUE(krTestDecodeTGA(tga.data(), tga.size(), image));
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.rgba, rgba);

    EXPECT_TRUE(krEncodeTGA(rgba.data(), 0, 5, true, true).empty());
    EXPECT_TRUE(krEncodeTGA(rgba.data(), 70000, 1, false, false).empty());

    // Packets stop at the end of each scan line: two rows of three equal pixels are two runs.
    const std::vector<uint8_t> flat(3 * 2 * 4, 9);
    EXPECT_EQ(krEncodeTGA(flat.data(), 3, 2, false, true).size(), 18u + 2 * (1 + 3));
}

TEST(MeshBlock, SingleTriangleLayout)
{
    MeshBlock m;
    const int32_t n = m.AddNormal(0, 0, 1);
    m.AddTexCoord(0, 0);
    m.AddTexCoord(1, 0);
    m.AddTexCoord(0, 1);
    m.AddPosition(0, 0, 0);
    m.AddPosition(1, 0, 0);
    m.AddPosition(0, 1, 0);
    const int32_t p[3] = {1, 2, 3}, ns[3] = {n, n, n}, t[3] = {1, 2, 3};
    m.AddFace(p, ns, t);
    std::vector<uint8_t> bytes = m.Serialize();
    ASSERT_EQ(bytes.size(), 124u);
    auto u32 = [&](size_t at)
    {
        return (uint32_t)bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
               (uint32_t)bytes[at + 3] << 24;
    };
    EXPECT_EQ(u32(0), 1u);   // normals first
    EXPECT_EQ(u32(16), 3u);  // then texture coordinates
    EXPECT_EQ(u32(44), 3u);  // positions
    EXPECT_EQ(u32(84), 1u);  // faces
    EXPECT_EQ(u32(88), 1u);  // first corner's position, 1-based
    EXPECT_EQ(u32(100), 1u); // first corner's normal
    EXPECT_EQ(u32(120), 3u); // last corner's texture coordinate

    krVertexArray loaded(4);
    krMemoryBlock view{bytes.data(), bytes.size()};
    ASSERT_TRUE(loaded.ParseMeshBlock(&view));
    EXPECT_EQ(loaded.faceCount, 1u);
    EXPECT_EQ(loaded.faces[0].vertex[2], 2);
}

TEST(CardMesh, SquareCornersGiveFlatSidesAndRoundCornersMoreTriangles)
{
    TCardShape_s square = {2, 3, 0.1f, 0, 0}, round = {2, 3, 0.1f, 0.3f, 6};
    MeshBlock a = BuildCardMesh(square), b = BuildCardMesh(round);
    EXPECT_EQ(a.FaceCount(), 16u); // 4 fan triangles a side, 2 per edge
    EXPECT_EQ(b.FaceCount(), 4u * 4 * 7);
}

TEST(TextPack, LinesJoinWithCrLfAndParagraphsWrapToTheWidth)
{
    EXPECT_EQ(JoinCrLf({"a", "", "b"}), "a\r\n\r\nb");
    EXPECT_EQ(SplitLines("a\r\nb\n\n\n"), (std::vector<std::string>{"a", "b"}));

    FontFace face;
    ASSERT_TRUE(face.Open(std::string(VOSSA_FONTS_DIR) + "/DejaVuSans.ttf"));
    GlyphBlock font(face, 12, 0x17F);
    const std::string paragraph = "Zażółć gęślą jaźń, pchnąć w tę łódź jeża lub ośm skrzyń fig.";
    std::vector<std::string> lines =
        WrapParagraphs({paragraph, "", "- " + paragraph + " " + paragraph}, font, 150);
    ASSERT_GT(lines.size(), 5u);
    int items = 0;
    for (const std::string& line : lines)
    {
        EXPECT_LE(font.Width(ToU32(line)), 150) << line;
        items += line.rfind("   ", 0) == 0;
    }
    EXPECT_GT(items, 0) << "list continuation lines are indented";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string()), 1);
    // Words survive wrapping in order.
    std::string joined;
    for (size_t i = 0; i < lines.size() && !lines[i].empty(); ++i)
    {
        joined += (joined.empty() ? "" : " ") + lines[i];
    }
    EXPECT_EQ(joined, paragraph);
}

TEST(TextPack, OneLetterWordsNeverEndALine)
{
    FontFace face;
    ASSERT_TRUE(face.Open(std::string(VOSSA_FONTS_DIR) + "/DejaVuSans.ttf"));
    GlyphBlock font(face, 12, 0x17F);
    const std::string paragraph =
        "Karty leżą w trzech rzędach i w każdym z nich jest siedem kart, a twoja karta w środku.";
    for (int width = 60; width <= 300; width += 7)
    {
        for (const std::string& line : WrapParagraphs({paragraph}, font, width))
        {
            const std::u32string text = ToU32(line);
            ASSERT_FALSE(text.size() >= 2 && text[text.size() - 2] == U' ')
                << "width " << width << ": '" << line << "'";
        }
    }
}

TEST(GlyphBlock, RecordsFollowOneAnotherByCharacterCode)
{
    FontFace face;
    ASSERT_TRUE(face.Open(std::string(VOSSA_FONTS_DIR) + "/DejaVuSans.ttf"));
    GlyphBlock font(face, 14, 0x41);
    std::vector<uint8_t> bytes = font.Serialize();
    // Walk the records: 0x20 control codes are empty, 'A' (0x41) is the last one.
    size_t at = 0;
    int records = 0;
    int32_t lastWidth = 0, lastHeight = 0;
    while (at + 20 <= bytes.size())
    {
        int32_t v[5];
        std::memcpy(v, &bytes[at], 20);
        if (records < 0x20)
        {
            EXPECT_EQ(v[0] | v[1] | v[2] | v[3] | v[4], 0) << records;
        }
        lastWidth = v[0];
        lastHeight = v[1];
        at += 20 + (size_t)v[0] * v[1];
        ++records;
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(records, 0x42);
    EXPECT_GT(lastWidth, 5);
    EXPECT_GT(lastHeight, 5);
}

TEST(Canvas, PixelsComeOutStraightInRgbOrderAndTheMatteFillsWhatIsBare)
{
    Canvas c(4, 1);
    cairo_t* cr = c.Cr();
    cairo_rectangle(cr, 0, 0, 1, 1);
    SetSource(cr, Rgb(0xC4161C));
    cairo_fill(cr);
    cairo_rectangle(cr, 1, 0, 1, 1);
    SetSource(cr, Rgb(0x2D4F9E, 0.5f));
    cairo_fill(cr);
    cairo_rectangle(cr, 2, 0, 0.5, 1); // half a pixel: an anti-aliased edge
    SetSource(cr, Rgb(0x2D4F9E));
    cairo_fill(cr);
    const TImage_s img = c.ToImage(Rgb(0x102030, 0));
    ASSERT_EQ(img.rgba.size(), 16u);
    EXPECT_EQ(std::vector<int>(img.rgba.begin(), img.rgba.begin() + 4),
              (std::vector<int>{0xC4, 0x16, 0x1C, 255}));
    for (int px : {1, 2})
    {
        const uint8_t* p = &img.rgba[px * 4];
        EXPECT_NEAR(p[0], 0x2D, 1) << px;
        EXPECT_NEAR(p[1], 0x4F, 1) << px;
        EXPECT_NEAR(p[2], 0x9E, 1) << px;
        EXPECT_NEAR(p[3], 128, 1) << px;
    }
    EXPECT_EQ(std::vector<int>(img.rgba.begin() + 12, img.rgba.end()),
              (std::vector<int>{0x10, 0x20, 0x30, 0}));
}

TEST(SoftMask, BlurSpreadsTheShapeAndKeepsItsCoverage)
{
    SoftMask mask(40, 40);
    cairo_rectangle(mask.Cr(), 12, 12, 16, 16);
    cairo_fill(mask.Cr());
    mask.Blur(2);
    Canvas c(40, 40);
    mask.PaintOnto(c.Cr(), Rgb(0x000000));
    const TImage_s img = c.ToImage();
    auto alpha = [&](int x, int y) { return (int)img.rgba[((size_t)y * 40 + x) * 4 + 3]; };
    double sum = 0;
    for (int i = 0; i < 40 * 40; ++i)
    {
        sum += img.rgba[i * 4 + 3] / 255.0;
    }
    EXPECT_NEAR(sum, 256.0, 1.0);
    EXPECT_EQ(alpha(20, 20), 255);           // the middle stays solid
    EXPECT_GT(alpha(9, 20), 0);              // coverage spreads beyond the edge
    EXPECT_LT(alpha(12, 20), 200);           // and the edge softens
    EXPECT_EQ(alpha(20, 20), alpha(19, 19)); // symmetric about the middle
    EXPECT_EQ(alpha(14, 20), alpha(25, 20));
    EXPECT_EQ(alpha(5, 5), 0);
}
