// The generator's fit checks, on purpose-made texts that do not fit, and the wrapping rules for
// numbered items and the last line of a paragraph.
#include <gtest/gtest.h>

#include "FontFace.h"
#include "GlyphBlock.h"
#include "TextFit.h"
#include "TextPack.h"
#include "vossaMessageLines.h"

namespace
{
class TextFitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bold.Open(std::string(VOSSA_FONTS_DIR) + "/DejaVuSans-Bold.ttf"));
        ASSERT_TRUE(regular.Open(std::string(VOSSA_FONTS_DIR) + "/DejaVuSans.ttf"));
        mainFont = std::make_unique<GlyphBlock>(bold, 15, 0x17F);
        smallFont = std::make_unique<GlyphBlock>(regular, 12, 0x17F);
    }

    // Short lines that fit everywhere.
    static std::vector<std::string> Fitting()
    {
        std::vector<std::string> lines(kMessageLineCount, "Ok");
        lines[4] = "version ";
        lines[10] = "platform: ";
        lines[18] = "Memorise a card, then click anywhere.";
        return lines;
    }

    FontFace bold, regular;
    std::unique_ptr<GlyphBlock> mainFont, smallFont;
    const TTextRoom_s room;
};
} // namespace

TEST_F(TextFitTest, EveryPlaceRefusesATextTooWideForIt)
{
    std::string error;
    ASSERT_TRUE(CheckMessagesFit(Fitting(), *mainFont, *smallFont, room, "msg_test", error))
        << error;
    const std::string wide = "Schließen Sie dieses Fenster";
    const struct
    {
        uint64_t line;
        std::string text;
        const char* place;
    } cases[] = {
        {7, wide, "button"},                                   // close caption
        {16, "Eingeschaltet lassen", "button"},                // toggle caption
        {21, "Hinweise während des Spiels anzeigen", "label"}, // settings row label
        {mlMotionLabel, "Bewegungen auf dem Bildschirm", "label"},
        {mlSuitsFourColours, "Quatre couleurs", "button"},
        {mlMotionReduced, "Verringerte Bewegung", "button"},
        {19, "Find your card and click the row that holds it.", "strip"},
        {20, "Memorise a card, then click anywhere!!", "strip"}, // one character more than 18
        {5, std::string(80, 'W'), "about"},                      // composed with version, platform
        {10, std::string(70, 'm') + ": ", "about"},
        {6, std::string(90, 'W'), "about"},
    };
    for (const auto& c : cases)
    {
        std::vector<std::string> lines = Fitting();
        lines[c.line] = c.text;
        error.clear();
        EXPECT_FALSE(CheckMessagesFit(lines, *mainFont, *smallFont, room, "msg_test", error))
            << "line " << c.line;
        EXPECT_NE(error.find("msg_test"), std::string::npos) << error;
        EXPECT_NE(error.find(c.place), std::string::npos) << error;
    }
    std::vector<std::string> shortList(kMessageLineCount - 1, "Ok");
    EXPECT_FALSE(CheckMessagesFit(shortList, *mainFont, *smallFont, room, "msg_test", error));

    // The twenty-seven-card trick's lines: the question in its panel, the caption on its
    // button, the count-out no wider than the strip's first text.
    ASSERT_TRUE(CheckTrickTextsFit(Fitting(), *mainFont, *smallFont, room, "msg_test", error))
        << error;
    const std::pair<uint64_t, std::string> trickCases[] = {
        {kMsgNumberQuestion, std::string(70, 'W')},
        {kMsgNumberOk, wide},
        {kMsgCountOut, "Memorise a card, then click anywhere!!"},
        {kMsgReplayButton, "Wie hat das alles funktioniert?"},
        {kMsgReplayNext, wide},
        // Fits as written, not once {chain} is filled in.
        {kMsgReplayStep3 + 1, std::string(95, 'a') + "{chain}"},
    };
    ASSERT_LE(smallFont->Width(ToU32(trickCases[4].second)), room.replayCaption);
    for (const auto& c : trickCases)
    {
        std::vector<std::string> lines = Fitting();
        lines[c.first] = c.second;
        EXPECT_FALSE(CheckTrickTextsFit(lines, *mainFont, *smallFont, room, "msg_test", error))
            << "line " << c.first;
    }
    shortList.assign(kMessageLineCount - 1, "Ok");
    EXPECT_FALSE(CheckTrickTextsFit(shortList, *mainFont, *smallFont, room, "msg_test", error));
}

TEST_F(TextFitTest, ViewerLinesAndTheJoiningSpaces)
{
    std::string error;
    const std::vector<std::string> wrapped = WrapParagraphs(
        {"See https://www.example.org/a/very/long/address/that/no/space/can/break/anywhere/at/all"
         "/in/the/licence/viewer/of/the/about/dialog/index.html for more."},
        *smallFont, room.licenceLine);
    EXPECT_FALSE(CheckViewerFit(wrapped, *smallFont, room.licenceLine, "licenses_test", error));
    EXPECT_NE(error.find("licenses_test: line 1"), std::string::npos) << error;
    EXPECT_TRUE(CheckViewerFit({"Short.", ""}, *smallFont, room.howToLine, "howto", error));

    // Editors strip trailing spaces; the generator puts back exactly one on lines 4 and 10.
    std::vector<std::string> lines(22, "x ");
    lines[4] = "Version";
    lines[10] = "plateforme\u00a0:   ";
    KeepJoiningSpaces(lines);
    EXPECT_EQ(lines[4], "Version ");
    EXPECT_EQ(lines[10], "plateforme\u00a0: ");
    EXPECT_EQ(lines[3], "x ");
    EXPECT_EQ(ToUtf8(AboutSecondLine(lines, room)),
              "x , Version 1.1.222, plateforme\u00a0: Mac OS X");
}

TEST_F(TextFitTest, NumberedItemsIndentAndNoParagraphEndsInALoneWord)
{
    const std::string item = "1. The origin of this software must not be misrepresented; you "
                             "must not claim that you wrote the original software.";
    const std::vector<std::string> lines = WrapParagraphs({item}, *smallFont, 200);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("1. The", 0), 0u);
    for (size_t i = 1; i < lines.size(); ++i)
    {
        EXPECT_EQ(lines[i].rfind("   ", 0), 0u) << lines[i];
    }
    const std::string polish = "- po pierwszej odpowiedzi twoja karta jest wśród 7 środkowych "
                               "kart stosu (miejsca od 8 do 14);";
    for (int width = 200; width <= 560; width += 3)
    {
        const std::vector<std::string> wrappedLines = WrapParagraphs({polish}, *smallFont, width);
        const std::string& last = wrappedLines.back();
        if (wrappedLines.size() >= 2)
        {
            EXPECT_NE(last.find(' ', last.find_first_not_of(' ')), std::string::npos)
                << "width " << width << ": '" << last << "'";
        }
    }
}
