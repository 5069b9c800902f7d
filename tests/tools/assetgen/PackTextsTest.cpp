// The language texts, loaded with the engine's string arrays and measured with the pack's own
// fonts as the game's controls would.
#include <gtest/gtest.h>

#include <memory>

#include "AssetgenTestPack.h"
#include "ScaledEntries.h"
#include "data/krStringArray.h"
#include "render/krFont.h"
#include "vossaMessageLines.h"

namespace
{
std::unique_ptr<krStringArray> LoadText(const std::string& name)
{
    auto lines = std::make_unique<krStringArray>();
    const krResource* pack = krTestPack();
    if (!pack || !lines->LoadFromCrunchedMemoryBlock(pack->Get(name.c_str())))
    {
        return nullptr;
    }
    return lines;
}

std::unique_ptr<krFont> LoadFont(const std::string& name)
{
    auto font = std::make_unique<krFont>(ftYDown);
    std::vector<uint8_t> bytes = krTestPackEntry(name);
    krMemoryBlock view{bytes.data(), bytes.size()};
    if (!font->ParseGlyphBlock(&view))
    {
        return nullptr;
    }
    return font;
}

bool Drawable(const krFont& font, const wchar_t* text)
{
    for (; text && *text; ++text)
    {
        if ((uint64_t)*text >= font.glyphCount)
        {
            return false;
        }
        const TGlyph_s& g = font.glyphs[*text];
        // Spaces, the no-break one too (French puts it before ! ? : ;), draw nothing.
        if (*text != L' ' && *text != L'\u00a0' && g.width * g.height == 0)
        {
            return false;
        }
    }
    return true;
}

const char* kLanguages[8] = {"english", "polski",   "deutsch",   "francais",
                             "espanol", "italiano", "portugues", "cestina"};
const char* kKinds[3] = {"msg_", "licenses_", "howtoplay_"};
} // namespace

TEST(PackTexts, EveryTextIsCrLfSeparatedUtf8)
{
    for (const char* language : kLanguages)
    {
        for (const char* kind : kKinds)
        {
            const std::string name = std::string(kind) + language;
            std::vector<uint8_t> bytes = krTestPackEntry(name);
            ASSERT_FALSE(bytes.empty()) << name;
            for (size_t i = 0; i < bytes.size(); ++i)
            {
                if (bytes[i] == '\n')
                {
                    EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << name << ": lone LF at " << i;
                }
                if (bytes[i] == '\r')
                {
                    EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << name;
                }
            }
            // No byte-order mark, no Latin-1 leftovers: the bytes decode as strict UTF-8.
            EXPECT_FALSE(bytes.size() >= 3 && bytes[0] == 0xEF) << name;
            for (size_t i = 0; i < bytes.size();)
            {
                int extra = bytes[i] < 0x80         ? 0
                            : (bytes[i] >> 5) == 6  ? 1
                            : (bytes[i] >> 4) == 14 ? 2
                                                    : -1;
                ASSERT_GE(extra, 0) << name << ": bad UTF-8 at " << i;
                for (int k = 1; k <= extra; ++k)
                {
                    ASSERT_LT(i + k, bytes.size()) << name;
                    ASSERT_EQ(bytes[i + k] >> 6, 2) << name << ": bad UTF-8 at " << i;
                }
                i += extra + 1;
            }
        }
    }
}

TEST(PackTexts, MessageTablesHoldAllLinesAndEveryCharacterIsDrawable)
{
    std::unique_ptr<krFont> mainFont = LoadFont("arial"), smallFont = LoadFont("ss10");
    ASSERT_TRUE(mainFont && smallFont);
    for (const char* language : kLanguages)
    {
        for (const char* kind : kKinds)
        {
            const std::string name = std::string(kind) + language;
            std::unique_ptr<krStringArray> text = LoadText(name);
            ASSERT_NE(text, nullptr) << name;
            if (std::string(kind) == "msg_")
            {
                EXPECT_GE(text->GetLinesCounf(), uint64_t(kMessageLineCount)) << name;
                for (uint64_t i = 0; i < kMessageLineCount; ++i)
                {
                    EXPECT_GT(text->GetLine(i)->Length(), 0u) << name << " line " << i;
                }
            }
            for (uint64_t i = 0; i < text->GetLinesCounf(); ++i)
            {
                const wchar_t* line = text->GetLine(i)->GetString();
                EXPECT_TRUE(Drawable(*mainFont, line) && Drawable(*smallFont, line))
                    << name << " line " << i;
            }
        }
    }
}

TEST(PackTexts, EveryLanguageUsesItsOwnLettersAndQuotationMarks)
{
    const std::pair<const char*, const wchar_t*> languages[] = {
        {"polski", L"ąćęłńóśźż«»"},  {"deutsch", L"äöüßÜ»«"},  {"francais", L"éèàçêôù«»\u00a0"},
        {"espanol", L"ñáéíóú¿¡«»"},  {"italiano", L"àèéìù«»"}, {"portugues", L"ãçõáéêóú«»"},
        {"cestina", L"áčéěířšůýž»«"}};
    for (const auto& language : languages)
    {
        std::wstring all;
        for (const char* kind : kKinds)
        {
            std::unique_ptr<krStringArray> text = LoadText(kind + std::string(language.first));
            ASSERT_NE(text, nullptr);
            for (uint64_t i = 0; i < text->GetLinesCounf(); ++i)
            {
                all += text->GetLine(i)->GetString();
            }
        }
        for (const wchar_t* c = language.second; *c != 0; ++c)
        {
            EXPECT_NE(all.find(*c), std::wstring::npos)
                << language.first << " lacks U+" << std::hex << (int)*c;
        }
        // Straight double quotes belong to the English legal texts only.
        EXPECT_EQ(all.find(L"\"Bitstream\""), std::wstring::npos) << language.first;
    }
}

TEST(PackTexts, CaptionsFitTheirButtonsAndViewerLinesFitTheirViewers)
{
    std::unique_ptr<krFont> mainFont = LoadFont("arial"), smallFont = LoadFont("ss10");
    ASSERT_TRUE(mainFont && smallFont);
    // The fonts made for the GUI's larger scales, measured in GUI units as the game draws them.
    std::vector<std::pair<float, std::unique_ptr<krFont>>> mainFonts, smallFonts;
    mainFonts.emplace_back(1.0f, std::move(mainFont));
    smallFonts.emplace_back(1.0f, std::move(smallFont));
    for (float scale : ScaledFontScales())
    {
        mainFonts.emplace_back(scale, LoadFont(ScaledEntryName("arial", scale)));
        smallFonts.emplace_back(scale, LoadFont(ScaledEntryName("ss10", scale)));
        ASSERT_TRUE(mainFonts.back().second && smallFonts.back().second) << scale;
    }
    auto fits = [](const std::vector<std::pair<float, std::unique_ptr<krFont>>>& fonts,
                   const krString* line, float room)
    {
        for (const auto& f : fonts)
        {
            if (f.second->GetWidth(line->GetString()) / f.first > room)
            {
                return false;
            }
        }
        return true;
    };
    for (const char* language : kLanguages)
    {
        std::unique_ptr<krStringArray> msg = LoadText(std::string("msg_") + language);
        ASSERT_NE(msg, nullptr);
        // Button captions on 128-pixel buttons.
        for (uint64_t i : {1, 2, 3, 7, 8, 9, 13, 14, 15, 16, int(mlTrick21), int(mlTrick27),
                           int(mlSuitsTwoColours), int(mlSuitsFourColours), int(mlMotionFull),
                           int(mlMotionReduced)})
        {
            EXPECT_TRUE(fits(mainFonts, msg->GetLine(i), 124.0f)) << language << " line " << i;
        }
        // Settings row labels sit left of the buttons (label at 20, button at 210).
        for (uint64_t i :
             {11, 12, 17, 21, int(mlTrickLabel), int(mlSuitsLabel), int(mlMotionLabel)})
        {
            EXPECT_TRUE(fits(smallFonts, msg->GetLine(i), 185.0f)) << language << " line " << i;
        }
        const krFont* viewerFont = smallFonts[0].second.get();
        // Viewers: licences 600 wide, how-to 590 wide, text inset by 5 on the left.
        const std::pair<std::string, float> viewers[2] = {{"licenses_", 590.0f},
                                                          {"howtoplay_", 580.0f}};
        for (const auto& v : viewers)
        {
            std::unique_ptr<krStringArray> text = LoadText(v.first + language);
            ASSERT_NE(text, nullptr);
            for (uint64_t i = 0; i < text->GetLinesCounf(); ++i)
            {
                EXPECT_LE(viewerFont->GetWidth(text->GetLine(i)->GetString()), v.second)
                    << v.first << language << " line " << i;
            }
        }
    }
}
