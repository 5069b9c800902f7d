// krGUITestAssets: glyph blocks and TGA images made in memory for the GUI tests.
#include "krGUITestAssets.h"

#include <GL/gl.h>
#include <cstring>
#include <string>
#include <vector>

#include "app/krSDLWrapper.h"
#include "gui/krGUIManager.h"
#include "render/krFont.h"

void krGUIGLTest::SetUp()
{
    krGLTest::SetUp();
    if (IsSkipped())
    {
        return;
    }
    GlobalScreenWidth = kWidth;
    GlobalScreenHeight = kHeight;
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    manager = new krGUIManager(kWidth, kHeight);
}

void krGUIGLTest::TearDown()
{
    delete manager;
    krGLTest::TearDown();
}

void krGUIGLTest::DrawFrame(float r, float g, float b) const
{
    Clear(r, g, b);
    manager->Draw();
}

void krGUIGLTest::ExpectPixels(std::initializer_list<TPixelCheck_s> pixels) const
{
    for (const TPixelCheck_s& p : pixels)
    {
        const TTestPixel_s is = ReadPixel(p.x, p.y);
        EXPECT_TRUE(krPixelNear(is, p.r, p.g, p.b))
            << "pixel " << p.x << "," << p.y << " is " << int(is.r) << "," << int(is.g) << ","
            << int(is.b) << ", expected " << p.r << "," << p.g << "," << p.b;
    }
}

static void PutI32(std::vector<uint8_t>& out, int32_t value)
{
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; i++)
    {
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
}

krFont* krMakeTestFont(int32_t height, int32_t advance, int32_t glyphWidth)
{
    std::vector<uint8_t> block;
    for (int code = 0; code < 128; code++)
    {
        PutI32(block, glyphWidth);
        PutI32(block, height);
        PutI32(block, advance);
        PutI32(block, height);
        PutI32(block, 0);
        block.insert(block.end(), static_cast<size_t>(glyphWidth * height), 255);
    }
    krMemoryBlock view = {block.data(), block.size()};
    krFont* font = new krFont(ftYDown);
    if (!font->LoadFromMemory(&view))
    {
        delete font;
        return nullptr;
    }
    return font;
}

krMemoryBlock* krMakeSolidTGA(uint16_t width, uint16_t height, uint8_t r, uint8_t g, uint8_t b,
                              uint8_t a)
{
    std::vector<uint8_t> tga(18, 0);
    tga[2] = 2; // uncompressed true colour
    tga[12] = static_cast<uint8_t>(width);
    tga[13] = static_cast<uint8_t>(width >> 8);
    tga[14] = static_cast<uint8_t>(height);
    tga[15] = static_cast<uint8_t>(height >> 8);
    tga[16] = 32;
    tga[17] = 0x08;
    for (int i = 0; i < width * height; i++)
    {
        tga.push_back(b);
        tga.push_back(g);
        tga.push_back(r);
        tga.push_back(a);
    }
    krMemoryBlock view = {tga.data(), tga.size()};
    return krCrunchMemoryBlock(&view);
}

std::wstring krRepeat(wchar_t c, int count)
{
    return std::wstring(static_cast<size_t>(count), c);
}
