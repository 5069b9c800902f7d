// TextFit: the checks that keep every text of a language within the place the game gives it.
// The game draws what it is given and clips or overlaps what is too long, so the generator
// refuses such texts instead: button captions on their buttons, the settings labels left of
// the row buttons, the instruction strip's later texts no wider than its first (the strip
// measures only the text it is built with), the about dialog's composed second line within
// the dialog, and every line of the two text viewers within its viewer.
//
// It also keeps the trailing spaces of the message lines that are joined to a following word
// ("version " and "platform: " on the about dialog): editors strip trailing spaces, so the
// sources need not carry them.
#pragma once

#include <string>
#include <vector>

#include "GlyphBlock.h"

// The places, in pixels, as the game's screens lay them out.
struct TTextRoom_s
{
    int buttonCaption = 120;  // 128-pixel buttons, a little margin each side
    int settingsLabel = 184;  // label at 20, row button at 210
    int aboutLine = 600;      // labels at 10 in the 620-wide about dialog
    int licenceLine = 570;    // licence viewer: 600 wide, text inset 5, rounded edge
    int howToLine = 560;      // how-to viewer: 590 wide
    int numberQuestion = 440; // the number question's label in its 460-wide panel
    int replayButton = 192;   // the 200-pixel button at the reveal
    int replayCaption = 700;  // caption labels at 10 in the 720-wide caption panel
    // What the game puts into the about dialog's second line: its version and, for the
    // check, the longest platform name it is likely to report.
    const char* version = "1.1.222";
    const char* platform = "Mac OS X";
};

// Message lines 4 and 10 end with exactly one space whatever the source has.
void KeepJoiningSpaces(std::vector<std::string>& messages);

// The about dialog's second line as the game composes it.
std::u32string AboutSecondLine(const std::vector<std::string>& messages, const TTextRoom_s& room);

// False with `error` set (naming `what`, the line and the widths) when a message line does not
// fit its place; `messages` must hold every line the game names.
bool CheckMessagesFit(const std::vector<std::string>& messages, const GlyphBlock& mainFont,
                      const GlyphBlock& smallFont, const TTextRoom_s& room, const std::string& what,
                      std::string& error);

// The same for the lines of the twenty-seven-card trick and the replay (named in
// vossaMessageLines.h): the number question in its panel, the captions on their buttons, the
// count-out's strip text no wider than the strip's first text, and the replay's captions in
// their panel with their fields filled in at their widest; `messages` must hold every line
// the game reads.
bool CheckTrickTextsFit(const std::vector<std::string>& messages, const GlyphBlock& mainFont,
                        const GlyphBlock& smallFont, const TTextRoom_s& room,
                        const std::string& what, std::string& error);

// False with `error` set when a line of a viewer's text is wider than `width`.
bool CheckViewerFit(const std::vector<std::string>& lines, const GlyphBlock& font, int width,
                    const std::string& what, std::string& error);
