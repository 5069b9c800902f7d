// TextPack: the game's texts as stored in the pack: UTF-8 with lines separated by CR LF.
// Message texts keep their source lines as they are; the long texts (licences, how to play)
// are written as paragraphs and wrapped here to the pixel width of the game's text viewer,
// measured with the font that will draw them.
#pragma once

#include <string>
#include <vector>

#include "GlyphBlock.h"

std::string ToUtf8(const std::u32string& text);

// Source lines (LF or CR LF separated, trailing empty lines dropped).
std::vector<std::string> SplitLines(const std::string& text);

// Lines joined with CR LF, with no separator after the last line.
std::string JoinCrLf(const std::vector<std::string>& lines);

// Every source line is a paragraph, wrapped at spaces to at most `maxWidth` pixels of `font`;
// an empty source line stays an empty line. A paragraph starting with "- " or with a number
// and ". " ("1. ") is a list item whose continuation lines are indented to line up with its
// text. One-letter words are kept
// with the word that follows them, as Polish typesetting wants.
std::vector<std::string> WrapParagraphs(const std::vector<std::string>& paragraphs,
                                        const GlyphBlock& font, int maxWidth);
