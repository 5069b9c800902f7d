// PackBuilder: makes every entry of the asset pack from the sources in assets/ and the DejaVu
// fonts, crunches them and writes the archive; on request it also draws preview sheets.
//
// Entry forms: packed card meshes, 24-bit run-length TGA card textures (face | back), 32-bit
// run-length TGA pictures with alpha (clouds, star, buttons, logo), glyph blocks, UTF-8 CR LF
// texts and Ogg Vorbis sounds. All output depends only on the sources: no clock, no unseeded
// randomness, and the worker threads each fill their own entries.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Canvas.h"
#include "CardMesh.h"
#include "GlyphBlock.h"

// The pack's fixed design figures (what the game can rely on).
struct TPackDesign_s
{
    // Card: width × height × thickness in scene units before the game's scale of 5.
    TCardShape_s card = {0.3150f, 0.4400f, 0.0040f, 0.0175f, 8};
    TCardShape_s cardLow = {0.3150f, 0.4400f, 0.0040f, 0.0f, 0};
    // Card textures: face | back, each half a square stretched over the whole card. The
    // revealed card, the largest a card is ever drawn, spans about 380 pixels of card height
    // on a 1920 x 1080 screen (scale 20, some 21.7 units from the camera, 60 degrees of view),
    // so 512 texels of height keep it sharp with room for wider screens; the pictures are
    // drawn at twice that and box-filtered down.
    int cardDrawHalf = 1024; // pixels of each half as drawn
    int cardHalf = 512;      // pixels of each half of a high-quality card texture
    int cardHalfLow = 256;   // the same for low quality (a quarter of the pixels)
    int cloudWidth = 512, cloudHeight = 256;
    int starSize = 128;
    int buttonWidth = 128, buttonHeight = 32;
    int logoWidth = 512, logoHeight = 256;
    int mainFontSize = 15;  // "arial": DejaVu Sans Bold, pixels per em
    int smallFontSize = 12; // "ss10": DejaVu Sans
    uint32_t lastGlyph = 0x17F;
    int aboutWrapWidth = 570; // licence viewer: 600 wide, text inset 5
    int howToWrapWidth = 560; // how-to viewer: 590 wide
    int musicRate = 44100;
    float musicQuality = 0.3f;
    float chimeQuality = 0.4f;
};

struct TPackEntry_s
{
    std::string name;
    std::vector<uint8_t> content; // the entry's bytes before crunching
    std::vector<uint8_t> crunched;
};

class PackBuilder
{
public:
    // `assetsDir`: the repository's assets folder; `fontsDir`: where the DejaVu fonts are.
    PackBuilder(const std::string& assetsDir, const std::string& fontsDir, int threads = 2);

    // Makes all entries; false with `error` set when a source is missing or invalid.
    bool Build(std::string& error);
    const std::vector<TPackEntry_s>& Entries() const { return entries; }
    const TPackEntry_s* Find(const std::string& name) const;

    // Writes the archive through the engine's resource writer.
    bool WriteArchive(const std::string& path, std::string& error) const;
    // pack-contact-sheet.png, pack-font-arial.png and pack-font-ss10.png into `dir`.
    bool WritePreviews(const std::string& dir, std::string& error) const;

    // Notes worth printing (font heights, sizes).
    const std::vector<std::string>& Notes() const { return notes; }

    static const TPackDesign_s& Design();

private:
    bool BuildCards(std::string& error);
    bool BuildFontsAndTexts(std::string& error);
    bool BuildPictures(std::string& error);
    bool BuildSounds(std::string& error);
    void Add(const std::string& name, std::vector<uint8_t> content);
    void CrunchAll();

    std::string assets, fonts;
    int threadCount;
    std::vector<TPackEntry_s> entries;
    std::vector<std::string> notes;
    // Pictures kept for the previews.
    std::vector<std::pair<std::string, TImage_s>> cardPreviews; // faces at low quality
    TImage_s backPreview;
    std::vector<std::pair<std::string, TImage_s>> pictures;
    std::shared_ptr<GlyphBlock> mainFont, smallFont;
};
