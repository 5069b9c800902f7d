// vossaTestArchive: builds the tests' asset archive from generated meshes, images, glyphs and
// texts.
#include "vossaTestArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <unistd.h>

#include "data/krMemoryBlock.h"
#include "data/krResource.h"
#include "krTestFiles.h"
#include "render/krFont.h"
#include "vossaCardLayout.h"
#include "vossaMessageLines.h"

namespace
{
// Little-endian 32-bit words, and floats as their bits.
void PutU32(std::vector<uint8_t>& out, std::initializer_list<uint32_t> words)
{
    for (uint32_t v : words)
    {
        for (int i = 0; i < 4; ++i)
        {
            out.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
    }
}

void PutF32(std::vector<uint8_t>& out, std::initializer_list<float> values)
{
    for (float f : values)
    {
        uint32_t v;
        std::memcpy(&v, &f, 4);
        PutU32(out, {v});
    }
}

// A unit quad facing +z: one normal, four texture corners, four corners, two triangles, each
// as its corners' positions, normals and texture coordinates (counted from 1).
std::vector<uint8_t> QuadMesh()
{
    std::vector<uint8_t> out;
    PutU32(out, {1});
    PutF32(out, {0.0f, 0.0f, 1.0f});
    PutU32(out, {4});
    PutF32(out, {0, 0, 1, 0, 1, 1, 0, 1});
    PutU32(out, {4});
    PutF32(out, {-0.3f, -0.4f, 0.0f, 0.3f, -0.4f, 0.0f, 0.3f, 0.4f, 0.0f, -0.3f, 0.4f, 0.0f});
    PutU32(out, {2, 1, 2, 3, 1, 1, 1, 1, 2, 3, 1, 3, 4, 1, 1, 1, 1, 3, 4});
    return out;
}

// An uncompressed 32-bit TGA of one colour.
std::vector<uint8_t> Image(int w, int h, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255)
{
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = static_cast<uint8_t>(w);
    out[13] = static_cast<uint8_t>(w >> 8);
    out[14] = static_cast<uint8_t>(h);
    out[15] = static_cast<uint8_t>(h >> 8);
    out[16] = 32;
    out[17] = 8;
    for (int i = 0; i < w * h; ++i)
    {
        out.push_back(b);
        out.push_back(g);
        out.push_back(r);
        out.push_back(a);
    }
    return out;
}

std::vector<uint8_t> GlyphFont()
{
    krFont font(ftYDown);
    for (int code = 0; code < 128; ++code)
    {
        TGlyph_s glyph;
        uint8_t bitmap[4 * 8];
        std::memset(bitmap, 200, sizeof(bitmap));
        const bool visible = code > 32;
        glyph.bitmap = visible ? bitmap : nullptr;
        glyph.width = visible ? 4 : 0;
        glyph.height = visible ? 8 : 0;
        glyph.advance = TestGlyphAdvance(code);
        glyph.bearingY = 8;
        glyph.bearingX = 0;
        font.AppendGlyph(&glyph);
    }
    uint64_t size = 0;
    uint8_t* bytes = font.SaveToMemory(&size);
    std::vector<uint8_t> out(bytes, bytes + size);
    free(bytes);
    return out;
}

std::vector<uint8_t> Lines(const char* prefix, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
    {
        text += prefix + std::to_string(i);
        if (i + 1 < count)
        {
            text += "\r\n";
        }
    }
    return std::vector<uint8_t>(text.begin(), text.end());
}

bool Listed(const std::vector<std::string>& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

void Add(krResource& archive, const TTestArchiveOptions& options, const std::string& name,
         const std::vector<uint8_t>& bytes)
{
    if (Listed(options.missing, name))
    {
        return;
    }
    if (Listed(options.malformed, name))
    {
        // Eleven bytes that neither decrunch nor decode.
        static uint8_t junk[] = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4, 5, 6, 7};
        krMemoryBlock view = {junk, sizeof(junk)};
        archive.Append(&view, name.c_str());
        return;
    }
    AddCrunched(&archive, name, bytes);
}
} // namespace

void AddCrunched(krResource* archive, const std::string& name, const std::vector<uint8_t>& bytes)
{
    krMemoryBlock view = {const_cast<uint8_t*>(bytes.data()), bytes.size()};
    krMemoryBlock* crunched = krCrunchMemoryBlock(&view);
    archive->Append(crunched, name.c_str());
    krFreeMemoryBlock(crunched);
}

int TestGlyphAdvance(int code)
{
    return 4 + code % 5;
}

bool WriteTestArchive(const std::string& path, const TTestArchiveOptions& options)
{
    krResource archive;
    const std::vector<uint8_t> mesh = QuadMesh();
    Add(archive, options, "box", mesh);
    Add(archive, options, "box_low", mesh);
    for (int i = 0; i < kMaxCardCount; ++i)
    {
        // The six faces only the twenty-seven-card trick deals are bluer.
        const int k = i < kCardCount ? i : i - kCardCount;
        const uint8_t shade = static_cast<uint8_t>(40 + 10 * k);
        const uint8_t blue = i < kCardCount ? 90 : 200;
        Add(archive, options, "texture_" + std::to_string(i),
            Image(4, 4, shade, 255 - shade, blue));
        Add(archive, options, "texture_" + std::to_string(i) + "_low",
            Image(2, 2, shade, 255 - shade, blue));
        // The four-colour faces, told apart from the others by their sizes.
        Add(archive, options, "texture_" + std::to_string(i) + "_fourcolour",
            Image(8, 8, shade, 90, 255 - shade));
        Add(archive, options, "texture_" + std::to_string(i) + "_fourcolour_low",
            Image(4, 2, shade, 90, 255 - shade));
    }
    const std::vector<uint8_t> font = GlyphFont();
    Add(archive, options, "arial", font);
    Add(archive, options, "ss10", font);
    Add(archive, options, "texture_star_01", Image(4, 4, 255, 255, 200, 180));
    for (const char* cloud : {"cloud01", "cloud02", "cloud03"})
    {
        Add(archive, options, cloud, Image(8, 4, 250, 250, 250, 120));
        Add(archive, options, std::string(cloud) + "_low", Image(4, 2, 250, 250, 250, 120));
    }
    for (const char* colour : {"blue", "green", "red"})
    {
        for (const char* state : {"passive", "active", "pushed"})
        {
            Add(archive, options, std::string("button_") + colour + "_" + state,
                Image(16, 4, 30, 60, 200));
        }
    }
    Add(archive, options, "vossa_logo", Image(16, 8, 200, 40, 40));
    Add(archive, options, "vossa_logo_low", Image(8, 4, 200, 40, 40));
    Add(archive, options, "msg_english", Lines("E", static_cast<int>(kMessageLineCount)));
    Add(archive, options, "msg_polski", Lines("P", static_cast<int>(kMessageLineCount)));
    Add(archive, options, "licenses_english", Lines("License line ", 30));
    Add(archive, options, "licenses_polski", Lines("Licencja ", 30));
    Add(archive, options, "howtoplay_english", Lines("How to play ", 12));
    Add(archive, options, "howtoplay_polski", Lines("Jak grac ", 12));
    return archive.WriteToFile(path.c_str());
}

bool vossaTestFolder::Enter(const TTestArchiveOptions& options)
{
    char cwd[4096];
    if (getcwd(cwd, sizeof(cwd)) == nullptr)
    {
        return false;
    }
    // No settings file: the game starts in the system's language.
    setenv("LANG", "C.UTF-8", 1);
    unsetenv("LANGUAGE");
    path = krTestTempDir();
    if (chdir(path.c_str()) != 0)
    {
        return false;
    }
    previous = cwd;
    return WriteTestArchive(path + "/vossadata.bin", options);
}

vossaTestFolder::~vossaTestFolder()
{
    if (!previous.empty() && chdir(previous.c_str()) != 0)
    {
        ADD_FAILURE() << "cannot return to " << previous;
    }
}
