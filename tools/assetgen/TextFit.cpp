// TextFit: width checks of the language texts against the game's screens.
#include "TextFit.h"

#include "vossaMessageLines.h"

#include "TextPack.h"
#include "vossaMessageLines.h"

#include <cstring>

namespace
{
// The message lines followed directly by a word of the program's own.
const int kJoinedLines[] = {4, 10};

bool Fits(const GlyphBlock& font, const std::string& line, int width, const std::string& what,
          const std::string& place, std::string& error)
{
    const int measured = font.Width(ToU32(line));
    if (measured <= width)
    {
        return true;
    }
    error = what + ": " + place + " is " + std::to_string(measured) + " px wide, " +
            std::to_string(width) + " px fit: " + line;
    return false;
}
} // namespace

void KeepJoiningSpaces(std::vector<std::string>& messages)
{
    for (int index : kJoinedLines)
    {
        if ((size_t)index >= messages.size())
        {
            continue;
        }
        std::string& line = messages[(size_t)index];
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        {
            line.pop_back();
        }
        line.push_back(' ');
    }
}

std::u32string AboutSecondLine(const std::vector<std::string>& messages, const TTextRoom_s& room)
{
    if (messages.size() < 11)
    {
        return U"";
    }
    return ToU32(messages[5] + ", " + messages[4] + room.version + ", " + messages[10] +
                 room.platform);
}

bool CheckMessagesFit(const std::vector<std::string>& messages, const GlyphBlock& mainFont,
                      const GlyphBlock& smallFont, const TTextRoom_s& room, const std::string& what,
                      std::string& error)
{
    if (messages.size() < kMessageLineCount)
    {
        error = what + " has fewer than " + std::to_string(kMessageLineCount) + " lines";
        return false;
    }
    auto line = [&](int i) { return "line " + std::to_string(i); };
    for (int i :
         {1, 2, 3, 7, 8, 9, 13, 14, 15, 16, int(mlTrick21), int(mlTrick27), int(mlSuitsTwoColours),
          int(mlSuitsFourColours), int(mlMotionFull), int(mlMotionReduced)})
    {
        if (!Fits(mainFont, messages[i], room.buttonCaption, what, line(i) + " (a button)", error))
        {
            return false;
        }
    }
    for (int i : {11, 12, 17, 21, int(mlTrickLabel), int(mlSuitsLabel), int(mlMotionLabel)})
    {
        if (!Fits(smallFont, messages[i], room.settingsLabel, what, line(i) + " (a settings label)",
                  error))
        {
            return false;
        }
    }
    // The strip keeps the width of line 18, the text it is built with.
    const int stripWidth = mainFont.Width(ToU32(messages[18]));
    for (int i : {19, 20})
    {
        if (!Fits(mainFont, messages[i], stripWidth, what,
                  line(i) + " (the instruction strip, wider than line 18)", error))
        {
            return false;
        }
    }
    for (int i : {3, 6})
    {
        if (!Fits(smallFont, messages[i], room.aboutLine, what, line(i) + " (the about dialog)",
                  error))
        {
            return false;
        }
    }
    return Fits(smallFont, ToUtf8(AboutSecondLine(messages, room)), room.aboutLine, what,
                "the about dialog's second line (lines 5, 4 and 10)", error);
}

bool CheckTrickTextsFit(const std::vector<std::string>& messages, const GlyphBlock& mainFont,
                        const GlyphBlock& smallFont, const TTextRoom_s& room,
                        const std::string& what, std::string& error)
{
    if (messages.size() < kMessageLineCount)
    {
        error = what + " has fewer than " + std::to_string(kMessageLineCount) + " lines";
        return false;
    }
    auto line = [&](uint64_t i) { return "line " + std::to_string(i); };
    const int stripWidth = mainFont.Width(ToU32(messages[18]));
    if (!Fits(smallFont, messages[kMsgNumberQuestion], room.numberQuestion, what,
              line(kMsgNumberQuestion) + " (the number question)", error) ||
        !Fits(mainFont, messages[kMsgCountOut], stripWidth, what,
              line(kMsgCountOut) + " (the instruction strip, wider than line 18)", error) ||
        !Fits(mainFont, messages[kMsgReplayButton], room.replayButton, what,
              line(kMsgReplayButton) + " (a button)", error))
    {
        return false;
    }
    for (uint64_t i : {kMsgNumberOk, kMsgReplayBack, kMsgReplayNext})
    {
        if (!Fits(mainFont, messages[i], room.buttonCaption, what, line(i) + " (a button)", error))
        {
            return false;
        }
    }
    // The fields at their widest: 27 cards, number 27.
    const std::pair<const char*, const char*> fields[] = {
        {"{n}", "27"},      {"{all}", "27"},   {"{chain}", "27 -> 9 -> 3 -> 1"},
        {"{number}", "27"}, {"{minus}", "26"}, {"{digits}", "2 2 2"}};
    for (uint64_t i = kMsgReplayStep1; i < kMessageLineCount; ++i)
    {
        std::string text = messages[i];
        for (const auto& f : fields)
        {
            for (size_t at = text.find(f.first); at != std::string::npos; at = text.find(f.first))
            {
                text.replace(at, std::strlen(f.first), f.second);
            }
        }
        if (!Fits(smallFont, text, room.replayCaption, what, line(i) + " (a replay caption)",
                  error))
        {
            return false;
        }
    }
    return true;
}

bool CheckViewerFit(const std::vector<std::string>& lines, const GlyphBlock& font, int width,
                    const std::string& what, std::string& error)
{
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (!Fits(font, lines[i], width, what, "line " + std::to_string(i), error))
        {
            return false;
        }
    }
    return true;
}
